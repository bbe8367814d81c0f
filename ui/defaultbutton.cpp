#include "ui/defaultbutton.h"

#include <QKeyEvent>
#include <QPushButton>

namespace lumora {

DefaultButton::DefaultButton(QWidget* window) : QObject(window)
{
    // Key events a field does not take (Enter in a line edit) travel up to the window.
    window->installEventFilter(this);
}

void DefaultButton::set(QPushButton* button)
{
    if (current)
        current->setDefault(false);
    current = button;
    if (current)
        current->setDefault(true);
}

bool DefaultButton::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (current && current->isEnabled() && current->isVisible())
        current->click();
    return true;
}

} // namespace lumora
