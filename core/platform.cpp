#include "core/platform.h"

#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QTimer>
#include <QWidget>

namespace lumora {
namespace {

class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& window, std::function<void()> then) : QObject(&window), then(std::move(then))
    {
        window.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The painted window is flushed to the screen once this event is
            // done: the timer comes after that.
            QTimer::singleShot(0, watched, std::move(then));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> then;
};

} // namespace

QRect twips(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

QFont typeface(const QString& family, double points, bool bold, bool italic)
{
    // The old bitmap faces have no metric twins here; the layout fits the
    // faces that fontconfig puts in place of Times New Roman and Arial.
    QString face = family;
    if (face == QLatin1String("MS Serif"))
        face = QStringLiteral("Times New Roman");
    else if (face == QLatin1String("MS Sans Serif"))
        face = QStringLiteral("Arial");
    QFont f(face);
    f.setStyleHint(face == QLatin1String("Arial") ? QFont::SansSerif : QFont::Serif);
    f.setPixelSize(qRound(points * 96.0 / 72.0));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QImage resourceImage(const QString& path)
{
    // Told the format, Qt loads only its plugin (none for PNG); left to
    // guess, it loads every image plugin (gif, ico, jpeg) to ask each one.
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QPixmap picture(const QString& path, const QWidget& shownOn)
{
    QPixmap pixmap = QPixmap::fromImage(resourceImage(path));
    const qreal ratio = shownOn.devicePixelRatioF();
    if (pixmap.isNull() || ratio == 1.0)
        return pixmap;
    pixmap = pixmap.scaled(pixmap.size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

void afterFirstPaint(QWidget& window, std::function<void()> then)
{
    new FirstPaint(window, std::move(then));
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
