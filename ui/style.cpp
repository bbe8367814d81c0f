#include "ui/style.h"

#include <QPainter>
#include <QStyleOption>

namespace lumora {
namespace {

void dotted(QPainter* painter, const QStyleOption* option, const QRect& rect)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(option->palette.color(QPalette::WindowText), 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

} // namespace

void FocusShown::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    if (element == PE_FrameFocusRect) {
        dotted(painter, option, option->rect.adjusted(1, 1, -1, -1));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    // A focused frame, such as that of a read-only text, gets the dots over its line.
    if (element == PE_Frame && option->state & State_HasFocus)
        dotted(painter, option, option->rect);
}

void FocusShown::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    // The platform's style marks a focused button as it marks the default one.
    if (element == CE_PushButton && option->state & State_HasFocus)
        dotted(painter, option, subElementRect(SE_PushButtonFocusRect, option, widget));
}

} // namespace lumora
