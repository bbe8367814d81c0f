#include "core/prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace lumora {
namespace {

Prompter* installed = nullptr;

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
    QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::Information, title, text,
                    QMessageBox::Ok, owner);
    if (!detail.isEmpty())
        box.setInformativeText(detail);
    // A window that stays on top sits in the window manager's upper layer;
    // its box must be there too, or it opens behind it.
    if (owner && owner->window()->windowFlags() & Qt::WindowStaysOnTopHint)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

} // namespace lumora
