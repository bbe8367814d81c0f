#include "gui.h"
#include "walker.h"

#include "core/module1.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <iostream>

using namespace lumora;
using namespace lumora::test;

namespace {

int setting(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// Solution, then the form it showed typed right: the item is missed, and
// answered. Returns the form.
QString solveAfterSolution(QWidget* w, RecordingPrompter& rec)
{
    click(w, "Command4");
    const QString form = rec.messages.back().text.mid(Module1::msgsolution.size());
    auto* verb = child<QLineEdit>(w, "Text1");
    auto* ending = child<QLineEdit>(w, "Text2");
    if (verb->isReadOnly()) {
        ending->setText(form.mid(verb->text().size()));
    } else {
        verb->setText(form);
        ending->clear();
    }
    QTest::keyClick(ending, Qt::Key_Return);
    settle();
    return form;
}

} // namespace

// A review run asks every item that waits: exercise 2's 18 items and a pair
// missed in its Plus run make 19, each asked once, none of exercise 1, and
// the list of the run before it gone. The walker takes such a run for sound.
TEST(WalkRules, AReviewRunMayListMoreThanABasicRun)
{
    RecordingPrompter rec;
    Walker walker(1, rec);
    QWidget* menu = startToMenu();
    ASSERT_NE(menu, nullptr);
    click(menu, "AniButton3");
    QWidget* w = window("h05d1");
    ASSERT_NE(w, nullptr);
    click(w, "Command9");
    click(w, "Command1");
    QStringList missed{solveAfterSolution(w, rec)};
    accessKey(w, Qt::Key_1);
    click(w, "Command1");
    solveAfterSolution(w, rec); // exercise 1 has an item waiting too
    accessKey(w, Qt::Key_2);
    click(w, "Command1");
    for (int n = 0; n < 18; ++n)
        missed << solveAfterSolution(w, rec);
    ASSERT_EQ(rec.messages.back().text, Module1::msgdone);
    ASSERT_EQ(child<QPushButton>(w, "Review")->text(), "Re&view (19)");

    click(w, "Review");
    QStringList asked;
    for (int n = 0; n < 19; ++n) {
        asked << solveAfterSolution(w, rec);
        ASSERT_EQ(walker.broken(), QString()) << "answer " << n + 1;
    }
    EXPECT_EQ(rec.messages.back().text, Module1::msgdone);
    EXPECT_EQ(child<QPlainTextEdit>(w, "Text3")->toPlainText(), asked.join("; ") + "; ");
    std::sort(asked.begin(), asked.end());
    std::sort(missed.begin(), missed.end());
    EXPECT_EQ(asked, missed);
}

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
