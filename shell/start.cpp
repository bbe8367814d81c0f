#include "shell/start.h"

#include "core/platform.h"
#include "exercises/h05d1/window.h"
#include "exercises/h05d3/window.h"
#include "exercises/h05d5/window.h"
#include "shell/alap.h"
#include "shell/navigator.h"
#include "shell/sobre.h"

#include <QApplication>
#include <QIcon>

namespace lumora {

void start()
{
    QCoreApplication::setApplicationName(QStringLiteral("lumora"));
    using navigator::Window;
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(resourceImage(QStringLiteral(":/icons/lumora.png")))));
    navigator::registerWindow<Alap>(Window::Menu);
    navigator::registerWindow<Hatter>(Window::Backdrop);
    navigator::registerWindow<Sobre>(Window::About, [](Sobre& about, int) { about.showAbout(); });
    navigator::registerWindow<h05d1::Window>(Window::Exercise12,
                                             [](h05d1::Window& w, int exnum) { w.openAs(exnum); });
    navigator::registerWindow<h05d3::Window>(Window::Exercise3);
    navigator::registerWindow<h05d5::Window>(Window::Exercise5);
    navigator::open(Window::About);
}

} // namespace lumora
