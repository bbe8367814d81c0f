#pragma once
#include <QProxyStyle>

namespace lumora {

// The platform's style, with a focus frame that every control taking the
// focus shows, however the focus came to it: a dotted line inside the
// control, in its text colour, so that the default button with the focus
// looks other than without it.
class FocusShown : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

} // namespace lumora
