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
    using navigator::Window;
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(resourceImage(QStringLiteral(":/icons/lumora.png")))));
    navigator::registerWindow(Window::Menu, [] { return new Alap; });
    navigator::registerWindow(Window::Backdrop, [] { return makeHatter(); });
    navigator::registerWindow(Window::About, [] { return new Sobre; });
    navigator::registerWindow(Window::Exercise12, [] { return new h05d1::Window; });
    navigator::registerWindow(Window::Exercise3, [] { return new h05d3::Window; });
    navigator::registerWindow(Window::Exercise5, [] { return new h05d5::Window; });
    navigator::open(Window::About);
}

} // namespace lumora
