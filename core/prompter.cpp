#include "core/prompter.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>

namespace lumora {
namespace {

Prompter* installed = nullptr;

// Holds back the deletion of a window while its box is open: a window closed
// then (a timer, a close request, the End of another window) would otherwise
// be deleted inside the box's own event loop, the box with it, and the code
// waiting for the box would go on in a window that is gone.
struct DeleteHold : QObject {
    explicit DeleteHold(QWidget* window) : window(window)
    {
        if (window)
            window->installEventFilter(this);
    }
    ~DeleteHold() override
    {
        if (window && held)
            window->deleteLater(); // once the caller is back in the event loop
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::DeferredDelete)
            return false;
        held = true;
        return true;
    }
    QPointer<QWidget> window;
    bool held = false;
};

} // namespace

void setPrompter(Prompter* p) { installed = p; }

void WindowPrompter::beep()
{
    if (installed)
        installed->beep();
    else
        QApplication::beep();
}

void WindowPrompter::message(const QString& text, const QString& title, Icon icon, const QString& detail)
{
    if (installed) {
        installed->message(text, title, icon, detail);
        return;
    }
    if (closed)
        return; // its window has gone from the screen, and its boxes with it
    // On the heap: the End of the program deletes every window, this box too.
    QPointer<QMessageBox> box = new QMessageBox(icon == Icon::Exclamation ? QMessageBox::Warning
                                                                         : QMessageBox::Information,
                                                title, text, QMessageBox::Ok, owner);
    if (!detail.isEmpty())
        box->setInformativeText(detail);
    // A window that stays on top sits in the window manager's upper layer;
    // its box must be there too, or it opens behind it.
    if (owner && owner->window()->windowFlags() & Qt::WindowStaysOnTopHint)
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
    DeleteHold hold(owner ? owner->window() : nullptr);
    box->exec();
    delete box;
    if (hold.window) // a window deleted outright has taken this prompter with it
        closed = hold.held;
}

} // namespace lumora
