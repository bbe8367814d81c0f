// My progress while the learner works: it opens on the exercise it was asked
// from, follows every answer, and Escape closes it.
#include "gui.h"
#include "record/recorder.h"
#include "texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>

using namespace lumora;
using namespace lumora::test;

namespace {

double pick(int k, int n) { return (k + 0.5) / n; }

QWidget* progress() { return window("progress"); }

QTabWidget* tabs() { return progress() ? progress()->findChild<QTabWidget*>() : nullptr; }

// The summary line of the tab in front: "Finished runs: 1 · Practice time: 2 min".
QString summary()
{
    const auto labels =
        tabs() ? tabs()->currentWidget()->findChildren<QLabel*>(QStringLiteral("summary")) : QList<QLabel*>{};
    return labels.isEmpty() ? QString() : labels.first()->text();
}

// The rows of a table of the tab in front, cell texts joined by " | ".
QStringList rows(const char* name)
{
    QStringList out;
    if (!tabs())
        return out;
    for (auto* t : tabs()->currentWidget()->findChildren<QAbstractItemView*>())
        if (t->accessibleName() == QLatin1String(name))
            for (int r = 0; r < t->model()->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < t->model()->columnCount(); ++c)
                    cells << t->model()->index(r, c).data().toString();
                out << cells.join(QStringLiteral(" | "));
            }
    return out;
}

// Types over what the field holds, presses Enter and gives My progress the
// moment it waits before it reads the record again.
void type(QLineEdit* field, const char* keys)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, QString::fromUtf8(keys));
    QTest::keyClick(field, Qt::Key_Return);
    QTest::qWait(300);
    settle();
}

} // namespace

// The issue a learner met: after a review run My progress still said
// "Finished runs: 1" until it was opened again.
TEST(ProgressWindow, FollowsEveryAnswerWhileOpenOnTheTabItWasAskedFrom)
{
    RecordingPrompter rec;
    ScriptedRandom random;
    for (int item : {4, 0, 2, 5, 1, 3})
        random.script.push_back(pick(item, 6));
    accessKey(startToMenu(), Qt::Key_3);
    QWidget* w = window("h05d3");
    ASSERT_NE(w, nullptr);
    menuKeys(w, Qt::Key_O, Qt::Key_P);
    ASSERT_NE(progress(), nullptr);
    EXPECT_TRUE(child<QLabel>(progress(), "empty")->isVisible());

    auto* field = child<QLineEdit>(w, "Text1");
    activate(w); // the learner goes back to the exercise, My progress stays open
    accessKey(w, Qt::Key_S);
    type(field, "Sz'llod'ban lakom.");
    type(field, "Moziba mentek.");
    EXPECT_TRUE(child<QLabel>(progress(), "empty")->isVisible()); // right answers of a run not finished
    type(field, ")n0k ]js'got olvastok."); // wrong: olvasnak
    ASSERT_NE(tabs(), nullptr);
    EXPECT_TRUE(tabs()->isVisible());
    EXPECT_FALSE(child<QLabel>(progress(), "empty")->isVisible());
    EXPECT_EQ(tabs()->tabText(tabs()->currentIndex()), "Exercise 3");
    EXPECT_TRUE(summary().startsWith("Finished runs: 0 · ")) << summary().toStdString();
    EXPECT_EQ(rows("Missed most often").size(), 1);
    type(field, ")n0k ]js'got olvasnak.");
    type(field, "A konyh'ban f[z0l.");
    type(field, "Az egyetem el[tt 'llunk.");
    type(field, "Egy aut=t b;relsz.");
    ASSERT_EQ(rec.events.last(), texts::done);
    EXPECT_TRUE(summary().startsWith("Finished runs: 1 · ")) << summary().toStdString();
    ASSERT_EQ(rows("Finished runs").size(), 1);
    EXPECT_TRUE(rows("Finished runs")[0].endsWith(" | 5 of 6 | 83%")) << rows("Finished runs")[0].toStdString();

    // A review run of the one missed picture.
    accessKey(w, Qt::Key_V);
    type(field, ")n0k ]js'got olvasnak.");
    EXPECT_TRUE(summary().startsWith("Finished runs: 2 · ")) << summary().toStdString();
    EXPECT_TRUE(rows("Finished runs")[0].endsWith(" | 1 of 1 | 100%"));

    // Asked from another exercise, the open window turns to its tab.
    activate(w);
    accessKey(w, Qt::Key_1); // the jump button to exercise 1
    QWidget* ex1 = window("h05d1");
    ASSERT_NE(ex1, nullptr);
    menuKeys(ex1, Qt::Key_O, Qt::Key_P);
    EXPECT_EQ(tabs()->tabText(tabs()->currentIndex()), "Exercise 1");
    EXPECT_TRUE(summary().startsWith("Finished runs: 0 · "));

    QTest::keyClick(progress(), Qt::Key_Escape);
    settle();
    EXPECT_EQ(progress(), nullptr);
    EXPECT_EQ(mainWindows(), QStringList{"h05d1"});
}

// Shares round to the nearest per cent, and a text too long for its column
// ends in "…" with the whole text in its tooltip.
TEST(ProgressWindow, RoundsToTheNearestPerCentAndTellsLongTextsInFull)
{
    RecordingPrompter rec;
    QWidget* menu = startToMenu();
    record::Recorder& learner = record::recorder();
    learner.runStarted(1, record::Variant::Basic);
    for (int item = 0; item < 46; ++item) {
        if (item < 12)
            learner.answered({1, record::Variant::Basic, item, 11, QStringLiteral("x"), false, {}, {}});
        learner.answered({1, record::Variant::Basic, item, 11, QStringLiteral("ok"), true, {}, {}});
    }
    learner.runEnded(true);
    menuKeys(menu, Qt::Key_H, Qt::Key_P);
    ASSERT_NE(progress(), nullptr);
    EXPECT_EQ(tabs()->tabText(tabs()->currentIndex()), "Exercise 1");
    ASSERT_EQ(rows("Finished runs").size(), 1);
    EXPECT_TRUE(rows("Finished runs")[0].endsWith(" | 34 of 46 | 74%")) << rows("Finished runs")[0].toStdString();

    for (auto* t : tabs()->currentWidget()->findChildren<QTableView*>()) {
        EXPECT_FALSE(t->wordWrap()) << t->accessibleName().toStdString();
        for (int r = 0; r < t->model()->rowCount(); ++r)
            for (int c = 0; c < t->model()->columnCount(); ++c) {
                const QModelIndex cell = t->model()->index(r, c);
                EXPECT_EQ(cell.data(Qt::ToolTipRole), cell.data());
            }
    }
}

// Asked from exercise 5 it opens on its tab; a tab seen before and written
// to while another one is in front shows the new figures when it comes back.
TEST(ProgressWindow, EveryTabShowsWhatWasWrittenWhileAnotherWasInFront)
{
    RecordingPrompter rec;
    QWidget* menu = startToMenu();
    record::Recorder& learner = record::recorder();
    learner.runStarted(5, record::Variant::Basic);
    learner.answered({5, record::Variant::Basic, 0, 1, QStringLiteral("x"), false, {}, {}});
    learner.runEnded(false);
    accessKey(menu, Qt::Key_5);
    QWidget* w = window("h05d5");
    ASSERT_NE(w, nullptr);
    menuKeys(w, Qt::Key_O, Qt::Key_P);
    ASSERT_NE(tabs(), nullptr);
    EXPECT_EQ(tabs()->tabText(tabs()->currentIndex()), "Exercise 5");
    tabs()->setCurrentIndex(0);
    settle();
    EXPECT_TRUE(summary().startsWith("Finished runs: 0 · ")) << summary().toStdString();
    tabs()->setCurrentIndex(3);
    settle();

    learner.runStarted(1, record::Variant::Basic);
    for (int item = 0; item < 46; ++item)
        learner.answered({1, record::Variant::Basic, item, 11, QStringLiteral("ok"), true, {}, {}});
    learner.runEnded(true);
    QTest::qWait(300); // My progress reads the record a moment after a write
    settle();
    EXPECT_TRUE(summary().startsWith("Finished runs: 0 · ")) << summary().toStdString();
    tabs()->setCurrentIndex(0);
    settle();
    EXPECT_TRUE(summary().startsWith("Finished runs: 1 · ")) << summary().toStdString();
    ASSERT_EQ(rows("Finished runs").size(), 1);
    EXPECT_TRUE(rows("Finished runs")[0].endsWith(" | 46 of 46 | 100%")) << rows("Finished runs")[0].toStdString();
}

// A gap of exercise 5 takes an ending; My progress shows the whole word it makes.
TEST(ProgressWindow, ExerciseFivesRightFormIsTheWholeWordOfTheText)
{
    RecordingPrompter rec;
    click(startToMenu(), "AniButton4");
    QWidget* w = window("h05d5");
    ASSERT_NE(w, nullptr);
    accessKey(w, Qt::Key_S);
    auto gap = [w](int g) { return child<QLineEdit>(w, qPrintable(QStringLiteral("Text1_%1").arg(g))); };
    type(gap(0), "ik");
    type(gap(1), "x");
    QTest::mouseClick(gap(8), Qt::LeftButton); // after the stem ", francia"
    type(gap(8), "x");
    menuKeys(w, Qt::Key_O, Qt::Key_P);
    EXPECT_EQ(rows("Missed most often"),
              QStringList({"Kelenföld | Péter | Kelenföldön | 1", "francia | Péter | franciául | 1"}));
}
