#include "core/platform.h"

#include <QWidget>

namespace lumora {

QRect twips(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

QFont typeface(const QString& family, double points, bool bold, bool italic)
{
    // "MS Serif" is the screen face of Times Roman. The generic serif face that
    // would stand in for it is too wide for the twips its texts were laid out
    // in, so it takes the Times metrics (Liberation Serif on Debian).
    QFont f(family == QLatin1String("MS Serif") ? QStringLiteral("Times New Roman") : family);
    // Other faces missing on the machine fall back by style.
    const bool sans = family.contains(QLatin1String("Sans")) || family == QLatin1String("Arial");
    f.setStyleHint(sans ? QFont::SansSerif : QFont::Serif);
    f.setPixelSize(qRound(points * 96.0 / 72.0));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void setOnTop(QWidget& window, bool on)
{
    const bool visible = window.isVisible();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible) // changing a flag hides the window
        window.show();
}

bool isOnTop(const QWidget& window) { return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

} // namespace lumora
