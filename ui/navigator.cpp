#include "ui/navigator.h"

#include "core/module1.h"
#include "core/speaker.h"

#include <QApplication>
#include <QMap>
#include <QPointer>
#include <QWidget>

namespace lumora::navigator {
namespace {

struct Entry {
    Maker make;
    ModeSetter setMode;
    QPointer<QWidget> open;
};

QMap<Window, Entry>& registry()
{
    static QMap<Window, Entry> r;
    return r;
}

// Shows the window in a mode, then closes `from`.
void openIn(Window which, int mode, QWidget* from)
{
    QWidget* window = open(which);
    if (const ModeSetter& set = registry()[which].setMode)
        set(*window, mode);
    if (from && from != window)
        from->close();
}

} // namespace

void registerMaker(Window which, Maker make, ModeSetter setMode)
{
    registry().insert(which, {std::move(make), std::move(setMode), nullptr});
}

QWidget* open(Window which, QWidget* from)
{
    QPointer<QWidget>& window = registry()[which].open;
    if (!window) {
        window = registry()[which].make();
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
    openIn(Window::Exercise12, exnum, from);
}

void openAbout() { openIn(Window::About, 0, nullptr); }

void openProgress(int exercise) { openIn(Window::Progress, exercise, nullptr); }

void openWords(int exercise) { openIn(Window::Words, exercise, nullptr); }

QWidget* frontWindow()
{
    for (Window w : {Window::About, Window::Menu, Window::Exercise12, Window::Exercise3, Window::Exercise5,
                     Window::Progress, Window::Backdrop})
        if (QWidget* window = registry().value(w).open; window && window->isVisible())
            return window;
    return nullptr;
}

bool anotherMainWindowOpen(const QWidget* self)
{
    for (Window w : {Window::Menu, Window::Exercise12, Window::Exercise3, Window::Exercise5}) {
        const QWidget* window = registry().value(w).open;
        if (window && window != self && window->isVisible())
            return true;
    }
    return false;
}

void end()
{
    speaker().stop();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        w->hide();
        w->deleteLater();
    }
    QCoreApplication::quit();
}

} // namespace lumora::navigator
