#include "gui.h"
#include "walker.h"

#include <QElapsedTimer>
#include <iostream>

using namespace lumora::test;

namespace {

int setting(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

// A seeded random learner through every window. After each event: the program
// still runs, the event took less than a second, exactly one of the menu and
// the exercise windows is open, and the counters of the open exercise are
// within their run. LUMORA_WALK_EVENTS and LUMORA_WALK_SEED make a longer or
// another walk, LUMORA_WALK_LIMIT_MS a slower one (under valgrind); the
// failure message names the seed and the last events.
TEST(RandomWalk, EveryEventLeavesTheProgramSound)
{
    const int events = setting("LUMORA_WALK_EVENTS", 400);
    const auto seed = unsigned(setting("LUMORA_WALK_SEED", 1));
#ifdef __SANITIZE_ADDRESS__
    const int slowdown = 3; // sanitized code runs about three times slower
#else
    const int slowdown = 1;
#endif
    const int limitMs = setting("LUMORA_WALK_LIMIT_MS", 1000) * slowdown;
    RecordingPrompter prompter;
    SeededRandom draws(seed);
    Walker walker(seed, prompter);
    ASSERT_NE(startToMenu(), nullptr);

    qint64 slowest = 0;
    QString slowestEvent;
    int restarts = 0;
    for (int i = 0; i < events; ++i) {
        QElapsedTimer clock;
        clock.start();
        const QString what = walker.step();
        const qint64 ms = clock.elapsed();
        if (ms > slowest) {
            slowest = ms;
            slowestEvent = what;
        }
        const auto where = [&] {
            return QStringLiteral("seed %1, event %2: %3\nlast events:\n  %4")
                .arg(seed)
                .arg(i)
                .arg(what, walker.recent.join(QStringLiteral("\n  ")))
                .toStdString();
        };
        ASSERT_LT(ms, limitMs) << where();
        const QString broken = walker.broken();
        ASSERT_TRUE(broken.isEmpty()) << broken.toStdString() << "\n" << where();
        if (walker.ended()) {
            walker.restart();
            ++restarts;
        }
    }
    std::cout << "seed " << seed << ": " << events << " events, " << restarts << " restarts after End, slowest "
              << slowest << " ms (" << slowestEvent.toStdString() << "); runs finished:";
    for (auto [name, count] : walker.finishedRuns.asKeyValueRange())
        std::cout << " " << name.toStdString() << " " << count;
    std::cout << std::endl;
}
