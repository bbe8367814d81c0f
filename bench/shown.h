#pragma once
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

// Nanoseconds on the clock that bench_run reads before it starts a program.
inline long long monotonicNs()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

// Prints "shown <ns>" when the first window (or the first of that name)
// paints, then ends the program.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const char* name = nullptr) : name(name) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()
            && (!name || watched->objectName() == QLatin1String(name)) && !done) {
            done = true;
            std::printf("shown %lld\n", monotonicNs());
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    const char* name;
    bool done = false;
};
