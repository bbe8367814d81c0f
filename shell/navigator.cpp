#include "shell/navigator.h"

#include "core/module1.h"

#include <QApplication>
#include <QLabel>
#include <QMap>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace lumora::navigator {
namespace {

struct Registry {
    QMap<Window, std::function<QWidget*()>> makers;
    QMap<Window, QPointer<QWidget>> open;
};

Registry& registry()
{
    static Registry r;
    return r;
}

template <class T>
T* child(QWidget* window, const char* name)
{
    return window->findChild<T*>(QLatin1String(name));
}

} // namespace

void registerWindow(Window which, std::function<QWidget*()> make)
{
    registry().makers.insert(which, std::move(make));
}

QWidget* open(Window which, QWidget* from)
{
    Registry& r = registry();
    QPointer<QWidget>& window = r.open[which];
    if (!window) {
        window = r.makers.value(which)();
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    if (from && from != window)
        from->close();
    return window;
}

void openExercise12(int exnum, QWidget* from)
{
    Module1::exnum = exnum;
    QWidget* window = open(Window::Exercise12);
    child<QPushButton>(window, "Command10")->setEnabled(exnum != 1);
    child<QPushButton>(window, "Command5")->setEnabled(exnum == 1);
    child<QLabel>(window, "Label2")->setText(QString::number(exnum) + QLatin1String(". Put in the correct suffixes:"));
    if (from)
        from->close();
}

void openAbout()
{
    QWidget* about = open(Window::About);
    child<QTimer>(about, "Timer1")->stop();
    about->unsetCursor();
    auto* ok = child<QPushButton>(about, "Command1");
    ok->setEnabled(true);
    ok->show();
}

void end()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        w->hide();
        w->deleteLater();
    }
    QCoreApplication::quit();
}

} // namespace lumora::navigator

