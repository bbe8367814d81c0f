#include "core/module1.h"
#include "core/platform.h"
#include "gui.h"
#include "h05d1_tables.h"
#include "texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>

using namespace lumora;
using namespace lumora::test;

namespace {

const QString base = texts::title;

// The keys a learner presses on an English keyboard to get the text, from
// the README's key table.
QString keysFor(const QString& text)
{
    const QString letters = QStringLiteral("áéíóöőúüű");
    const QString keys = QStringLiteral("';`=0[]-\\");
    QString typed;
    for (QChar c : text)
        typed += letters.contains(c) ? keys.at(letters.indexOf(c)) : c;
    return typed;
}

// The expected forms, from the hand-written tables of the data tests.
QString basicForm(int item) { return QString::fromUtf16(h05d1_tables::itemRows[item].answer); }
QString extendedForm(int verb, int person)
{
    return QString::fromUtf16(h05d1_tables::verbRows[verb].forms).split(u' ').at(person - 1);
}

struct Exercise12 {
    QWidget* w;
    QLineEdit* verb() { return child<QLineEdit>(w, "Text1"); }
    QLineEdit* ending() { return child<QLineEdit>(w, "Text2"); }
    QString pronoun() { return child<QLabel>(w, "Label1")->text(); }
    QString record() { return child<QPlainTextEdit>(w, "Text3")->toPlainText(); }
    QPushButton* button(const char* name) { return child<QPushButton>(w, name); }
    QString progress() { return child<QLabel>(w, "Progress")->text(); }

    // The basic item on show, found from its verb and (possibly hidden)
    // pronoun among the items of the exercise: 0 to 45 or 46 to 63.
    int shownItem(int exercise)
    {
        const int first = exercise == 1 ? 0 : 46, end = exercise == 1 ? 46 : 64;
        for (int i = first; i < end; ++i)
            if (QStringView(h05d1_tables::itemRows[i].verb) == verb()->text()
                && QStringView(h05d1_tables::itemRows[i].person) == pronoun())
                return i;
        ADD_FAILURE() << "no item " << verb()->text().toStdString();
        return -1;
    }

    // Types the answer as a learner would and confirms it with Enter: the
    // ending into the ending field, or the whole word into the verb field
    // when the stem changes.
    void answer(const QString& form)
    {
        QLineEdit* field = ending();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QString rest = form.mid(verb()->text().size());
        if (!form.startsWith(verb()->text())) {
            QTest::keyClick(field, Qt::Key_Backspace);
            field = verb();
            field->setFocus();
            settle();
            for (int i = verb()->text().size(); i > 0; --i)
                QTest::keyClick(field, Qt::Key_Backspace);
            rest = form;
        }
        QTest::keyClicks(field, keysFor(rest));
        QTest::keyClick(field, Qt::Key_Return);
        settle();
    }
};

Exercise12 openFromMenu(const char* button)
{
    QWidget* menu = startToMenu();
    click(menu, button);
    return {window("h05d1")};
}

} // namespace

TEST(Exercise12Window, TheMenuOpensExerciseOneWithItsButtonDisabled)
{
    Exercise12 ex = openFromMenu("AniButton1");
    ASSERT_NE(ex.w, nullptr);
    EXPECT_EQ(mainWindows(), QStringList{"h05d1"});
    EXPECT_EQ(Module1::exnum, 1);
    EXPECT_FALSE(ex.button("Command10")->isEnabled());
    EXPECT_TRUE(ex.button("Command5")->isEnabled());
    EXPECT_FALSE(ex.button("Command7")->isEnabled());
    EXPECT_EQ(child<QLabel>(ex.w, "Label2")->text(), "1. Put in the correct suffixes:");
    EXPECT_EQ(ex.w->windowTitle(), base + ": 1.");
    EXPECT_TRUE(isOnTop(*ex.w));
    EXPECT_TRUE(child<QAction>(ex.w, "mnuOntop")->isChecked());
    EXPECT_FALSE(ex.button("Command2")->isEnabled());
    EXPECT_FALSE(ex.button("Command4")->isEnabled());
    EXPECT_TRUE(child<QLabel>(ex.w, "Label6")->isHidden());
    EXPECT_NE(window("hatter"), nullptr);
}

TEST(Exercise12Window, TheMenuOpensExerciseTwoWithItsButtonDisabled)
{
    Exercise12 ex = openFromMenu("AniButton3");
    ASSERT_NE(ex.w, nullptr);
    EXPECT_EQ(Module1::exnum, 2);
    EXPECT_TRUE(ex.button("Command10")->isEnabled());
    EXPECT_FALSE(ex.button("Command5")->isEnabled());
    EXPECT_EQ(child<QLabel>(ex.w, "Label2")->text(), "2. Put in the correct suffixes:");
    EXPECT_EQ(ex.w->windowTitle(), base + ": 2.");
}

TEST(Exercise12Window, AWholeRunOfExerciseOneTypedWithKeys)
{
    RecordingPrompter rec;
    Exercise12 ex = openFromMenu("AniButton1");
    accessKey(ex.w, Qt::Key_S);
    EXPECT_EQ(QApplication::focusWidget(), ex.ending());
    EXPECT_TRUE(child<QLabel>(ex.w, "Label1")->isVisible());
    EXPECT_FALSE(child<QLabel>(ex.w, "Image1")->isVisible());
    QSet<int> seen;
    for (int n = 0; n < 46; ++n) {
        const int item = ex.shownItem(1);
        ASSERT_GE(item, 0);
        EXPECT_FALSE(seen.contains(item)) << item;
        seen.insert(item);
        ex.answer(basicForm(item));
        if (n < 45) {
            ASSERT_TRUE(rec.messages.empty()) << rec.events.join(" | ").toStdString() << " at item " << item;
            // A second Enter meets the next item as it was set up ("ik" or
            // nothing): the wrong-answer box, and no try.
            const QString counted = ex.progress(), verb = ex.verb()->text(), ending = ex.ending()->text();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            settle();
            EXPECT_EQ(rec.events, QStringList({"beep", texts::wrong}));
            EXPECT_EQ(ex.progress(), counted);
            EXPECT_EQ(ex.verb()->text() + ex.ending()->text(), verb + ending);
            rec.clear();
        }
    }
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, texts::done);
    EXPECT_EQ(rec.messages[0].detail, "46 of 46 right at the first try · no mistakes · no items wait for review");
    EXPECT_TRUE(ex.button("Review")->isHidden()); // nothing was missed
    EXPECT_EQ(rec.messages[0].title, base + ": 1.");
    EXPECT_EQ(ex.button("Command1")->text(), "&Restart");
    EXPECT_EQ(QApplication::focusWidget(), ex.button("Command1"));
    EXPECT_FALSE(ex.button("Command2")->isEnabled());
    EXPECT_EQ(ex.record().count("; "), 46);

    // Enter on the focused Restart button starts a clean run.
    QTest::keyClick(ex.button("Command1"), Qt::Key_Return);
    settle();
    EXPECT_TRUE(ex.record().isEmpty());
    EXPECT_TRUE(ex.button("Command2")->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), ex.ending());
}

TEST(Exercise12Window, AWholeRunOfExerciseTwoShowsThePictureNotThePronoun)
{
    RecordingPrompter rec;
    Exercise12 ex = openFromMenu("AniButton3");
    click(ex.w, "Command1");
    EXPECT_FALSE(child<QLabel>(ex.w, "Label1")->isVisible());
    EXPECT_TRUE(child<QLabel>(ex.w, "Image1")->isVisible());
    for (int n = 0; n < 18; ++n) {
        const int item = ex.shownItem(2);
        ASSERT_GE(item, 46);
        EXPECT_FALSE(child<QLabel>(ex.w, "Image1")->pixmap().isNull());
        ex.answer(basicForm(item));
    }
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, texts::done);
    EXPECT_EQ(rec.messages[0].title, base + ": 2.");
    EXPECT_EQ(ex.button("Command1")->text(), "&Restart");
    EXPECT_FALSE(ex.button("Command2")->isEnabled());
    EXPECT_TRUE(ex.button("Command9")->isEnabled());
}

TEST(Exercise12Window, AWrongAnswerBeepsWarnsAndKeepsTheFields)
{
    RecordingPrompter rec;
    Exercise12 ex = openFromMenu("AniButton1");
    click(ex.w, "Command1");
    const QString verb = ex.verb()->text();
    QTest::keyClicks(ex.ending(), "xyz");
    QTest::keyClick(ex.ending(), Qt::Key_Enter);
    settle();
    EXPECT_EQ(rec.events, QStringList({"beep", texts::wrong}));
    EXPECT_EQ(ex.ending()->text().right(3), "xyz");
    EXPECT_EQ(ex.verb()->text(), verb);
    EXPECT_TRUE(ex.record().isEmpty());
}

TEST(Exercise12Window, SolutionShowsTheFormAndChangesNothing)
{
    RecordingPrompter rec;
    Exercise12 ex = openFromMenu("AniButton1");
    click(ex.w, "Command1");
    const int item = ex.shownItem(1);
    accessKey(ex.w, Qt::Key_U);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, texts::solution + basicForm(item));
    EXPECT_EQ(rec.messages[0].icon, Icon::Exclamation);
    EXPECT_EQ(ex.shownItem(1), item);
}

TEST(Exercise12Window, ThePlusVariantKeepsDrawingTypedItems)
{
    RecordingPrompter rec;
    Exercise12 ex = openFromMenu("AniButton1");
    click(ex.w, "Command9");
    EXPECT_TRUE(ex.button("Command9")->isHidden());
    EXPECT_TRUE(child<QLabel>(ex.w, "Label5")->isHidden());
    click(ex.w, "Command1");
    const QStringList pronouns = {"én", "te", "mi", "ti", "ők"};
    for (int n = 0; n < 12; ++n) {
        int verb = int(std::size(h05d1_tables::verbRows)) - 1;
        while (verb >= 0 && QStringView(h05d1_tables::verbRows[verb].verb) != ex.verb()->text())
            --verb;
        const int person = pronouns.indexOf(ex.pronoun()) + 1;
        ASSERT_GE(verb, 0);
        ASSERT_GT(person, 0);
        ex.answer(extendedForm(verb, person));
    }
    EXPECT_TRUE(rec.messages.empty()) << rec.events.join(" | ").toStdString();
    EXPECT_EQ(ex.record().count("; "), 12);
    EXPECT_TRUE(ex.button("Command2")->isEnabled());
    EXPECT_EQ(ex.w->windowTitle(), base + ": 1.");
    // The variant has no end: a miss is offered for review at once.
    ex.answer(ex.verb()->text() + "x");
    EXPECT_TRUE(ex.button("Review")->isEnabled());
    EXPECT_EQ(ex.button("Review")->text(), "Re&view (1)");
}

TEST(Exercise12Window, SwitchingExerciseResetsTheWindow)
{
    RecordingPrompter rec;
    Exercise12 ex = openFromMenu("AniButton1");
    click(ex.w, "Command1");
    ex.answer(basicForm(ex.shownItem(1)));
    accessKey(ex.w, Qt::Key_2);
    EXPECT_EQ(Module1::exnum, 2);
    EXPECT_TRUE(ex.button("Command10")->isEnabled());
    EXPECT_FALSE(ex.button("Command5")->isEnabled());
    EXPECT_EQ(child<QLabel>(ex.w, "Label2")->text(), "2.  Put in the correct suffixes:");
    EXPECT_EQ(ex.w->windowTitle(), base + ": 2.");
    EXPECT_TRUE(ex.record().isEmpty());
    EXPECT_FALSE(ex.button("Command2")->isEnabled());
    EXPECT_EQ(ex.button("Command1")->text(), "&Start");
    EXPECT_TRUE(ex.button("Command1")->isEnabled());
}

TEST(Exercise12Window, CharShowsTheKeyHelpAndFocusesTheEnding)
{
    Exercise12 ex = openFromMenu("AniButton1");
    click(ex.w, "Command1");
    auto* help = child<QLabel>(ex.w, "Label6");
    click(ex.w, "Command11");
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->text(), "á  ( ' );  é ( ; );  í ( ` );  ó ( = );  ö ( 0 );  ő ( [ );  ú ( ] );  ü ( - );  ű ( \\ )");
    EXPECT_EQ(QApplication::focusWidget(), ex.ending());
    click(ex.w, "Command11");
    EXPECT_FALSE(help->isVisible());
}

TEST(Exercise12Window, TheVerbFieldTakesTheCaretToItsEnd)
{
    Exercise12 ex = openFromMenu("AniButton1");
    click(ex.w, "Command1");
    ex.verb()->setCursorPosition(0);
    QTest::keyClick(ex.ending(), Qt::Key_Backtab, Qt::ShiftModifier);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), ex.verb());
    EXPECT_EQ(ex.verb()->cursorPosition(), ex.verb()->text().size());
    EXPECT_FALSE(ex.verb()->hasSelectedText());
}

TEST(Exercise12Window, OnTopAndHowTo)
{
    RecordingPrompter rec;
    Exercise12 ex = openFromMenu("AniButton1");
    trigger(ex.w, "mnuOntop");
    EXPECT_FALSE(isOnTop(*ex.w));
    EXPECT_FALSE(child<QAction>(ex.w, "mnuOntop")->isChecked());
    trigger(ex.w, "mnuOntop");
    EXPECT_TRUE(isOnTop(*ex.w));
    EXPECT_TRUE(child<QAction>(ex.w, "mnuOntop")->isChecked());
    EXPECT_TRUE(ex.w->isVisible());

    trigger(ex.w, "mnuHow");
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, base + ": 1.");
    EXPECT_EQ(rec.messages[0].icon, Icon::Information);
    EXPECT_EQ(rec.messages[0].text,
              "Click the \"Start\" button and put your solution in the gap. Then click on the \"Next\" button or "
              "press the \"Enter\" key. Go on.\r\n\r\nIf you want to see how to type the special Hungarian "
              "characters (á, é etc.) on an English keyboard, click the \"Char\" button. If you want that "
              "information to desappear, click again.");
}

TEST(Exercise12Window, CloseBringsTheMenuBackAndItsHowToCarriesTheTitle)
{
    RecordingPrompter rec;
    Exercise12 ex = openFromMenu("AniButton1");
    click(ex.w, "Command3");
    QWidget* menu = window("alap");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(mainWindows(), QStringList{"alap"});
    const QRect screen = menu->screen()->geometry();
    EXPECT_NEAR(menu->frameGeometry().center().x(), screen.center().x(), 3);
    trigger(menu, "mnuHow");
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, base + ": 1.     How to ...");
}

TEST(Exercise12Window, AboutFromTheWindowLeavesItOpen)
{
    Exercise12 ex = openFromMenu("AniButton1");
    trigger(ex.w, "mnuAbout");
    QWidget* about = window("sobre");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(child<QPushButton>(about, "Command1")->isVisible());
    EXPECT_EQ(about->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(mainWindows(), QStringList{"h05d1"});
    QTest::qWait(900);
    settle();
    EXPECT_EQ(mainWindows(), QStringList{"h05d1"});
}

// One item missed in a finished run comes back in review runs, asked alone,
// until two right review runs let it go. Keys only, as a learner works.
TEST(Exercise12Window, AMissedItemIsReviewedUntilItSticks)
{
    RecordingPrompter rec;
    QWidget* menu = startToMenu();
    ASSERT_NE(menu, nullptr);
    accessKey(menu, Qt::Key_1);
    Exercise12 ex{window("h05d1")};
    ASSERT_NE(ex.w, nullptr);
    QPushButton* review = ex.button("Review");
    EXPECT_TRUE(review->isHidden()); // nothing missed yet

    accessKey(ex.w, Qt::Key_S);
    const int missed = ex.shownItem(1);
    QTest::keyClicks(ex.ending(), QStringLiteral("x"));
    QTest::keyClick(ex.ending(), Qt::Key_Return);
    settle();
    ex.answer(basicForm(missed));
    for (int n = 1; n < 46; ++n)
        ex.answer(basicForm(ex.shownItem(1)));
    ASSERT_EQ(rec.events.last(), texts::done);
    EXPECT_EQ(rec.messages.back().detail,
              "45 of 46 right at the first try · 1 mistake · 1 item waits for review");
    EXPECT_TRUE(review->isVisible());
    EXPECT_EQ(review->text(), "Re&view (1)");
    EXPECT_TRUE(review->isEnabled());

    // While a basic run goes on, Review waits for its end.
    accessKey(ex.w, Qt::Key_R);
    EXPECT_FALSE(review->isEnabled());
    const QString basicLine = ex.progress();
    accessKey(ex.w, Qt::Key_V);
    EXPECT_EQ(ex.progress(), basicLine);
    EXPECT_EQ(basicLine, "0 of 46 right · 0 mistakes");
    click(ex.w, "Command5"); // exercise 2, then back: no run goes on
    click(ex.w, "Command10");
    EXPECT_TRUE(review->isEnabled());

    const QString leaving[] = {"no items left the review · 1 item waits for review",
                               "1 item left the review · no items wait for review"};
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        rec.clear();
        accessKey(ex.w, Qt::Key_V);
        EXPECT_EQ(ex.shownItem(1), missed);
        EXPECT_FALSE(review->isEnabled()); // a run is going on
        EXPECT_EQ(ex.progress(), "Review: 0 of 1 right · 0 mistakes");
        EXPECT_EQ(QApplication::focusWidget(), ex.ending());
        ex.answer(basicForm(missed));
        EXPECT_EQ(rec.events, QStringList{texts::done});
        EXPECT_EQ(rec.messages.at(0).title, base + ": 1.");
        EXPECT_EQ(rec.messages.at(0).detail,
                  "1 of 1 right at the first try · no mistakes · " + leaving[round - 1]);
        EXPECT_EQ(ex.progress(), "Review: 1 of 1 right · 0 mistakes");
        EXPECT_EQ(ex.button("Command1")->text(), "&Restart");
        EXPECT_EQ(ex.record(), basicForm(missed) + "; ");
    }
    EXPECT_TRUE(review->isVisible());
    EXPECT_EQ(review->text(), "Re&view");
    EXPECT_FALSE(review->isEnabled());
}
