#pragma once
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
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
            // Once the painted window has gone to the screen, and before
            // anything the program put off until after its first paint: that
            // is no longer start-up. Not quit(), which asks every window to
            // close first (the splash refuses until its time is up).
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        }
        return false;
    }

private:
    const char* name;
    bool done = false;
};
