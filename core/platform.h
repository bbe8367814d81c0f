#pragma once
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <functional>

class QWidget;

namespace lumora {

// Layouts are given in twips: 15 twips to a pixel at 96 DPI. Qt scales the
// pixels for high-DPI screens.
constexpr int twips(int t) { return (t + 7) / 15; }
QRect twips(int left, int top, int width, int height);

// A font of the given point size, measured at 96 DPI so that texts fit the
// twips layout whatever the screen reports.
QFont typeface(const QString& family, double points, bool bold = false, bool italic = false);

// A picture of the resources, read in the format its name ends in.
QImage resourceImage(const QString& path);

// A picture from the resources for a label of the widget: on a high-DPI
// screen it is scaled up smoothly instead of pixel by pixel.
QPixmap picture(const QString& path, const QWidget& shownOn);

// Runs `then` once, right after the window's first paint has gone to the
// screen (never, if the window goes first): for work that need not hold up
// the first sight of the window.
void afterFirstPaint(QWidget& window, std::function<void()> then);

// Keeps a window above all others, or ends that.
void setOnTop(QWidget& window, bool on);
bool isOnTop(const QWidget& window);

} // namespace lumora
