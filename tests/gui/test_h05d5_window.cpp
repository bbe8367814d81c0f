#include "core/module1.h"
#include "core/platform.h"
#include "gui.h"
#include "lesson/text.h"
#include "texts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace lumora;
using namespace lumora::test;

namespace {

const QString base = texts::title;
const QString& wrong = texts::wrong;
const QColor red(255, 0, 0);

// What a learner types into each gap, in the keys of an English keyboard
// ("0" gives ö, "-" gives ü). Gap 0 already holds "ik".
const char* const peterKeys[18] = {"", "0n", "", "t", "en", "", "", "-l", "ul",
                                   "ul", "", "ban", "", "", "ot", "", "t", ""};
const char* const teKeys[18] = {"sz", "0n", "sz", "t", "en", "sz", "sz", "-l", "ul",
                                "ul", "sz", "ban", "sz", "sz", "ot", "ol", "t", "sz"};
const char* const enKeys[18] = {"om", "0n", "ek", "t", "en", "ok", "ek", "-l", "ul",
                                "ul", "ok", "ban", "0k", "ek", "ot", "ok", "t", "ok"};

// The stems before gaps 3, 8, 11 and 16, and the key that replaces their
// last vowel: szobá, franciá, szobá, zené.
struct StemEdit {
    int gap;
    const char* field;
    const char* key;
};
const StemEdit stemEdits[] = {{3, "Text7", "'"}, {8, "Text6", "'"}, {11, "Text4", "'"}, {16, "Text5", ";"}};

struct Exercise5 {
    QWidget* w;

    QLineEdit* gap(int g) { return child<QLineEdit>(w, qPrintable(QStringLiteral("Text1_%1").arg(g))); }
    QLineEdit* field(const char* name) { return child<QLineEdit>(w, name); }
    QPushButton* button(const char* name) { return child<QPushButton>(w, name); }
    QComboBox* box() { return child<QComboBox>(w, "Combo1"); }
    QString personLabel() { return child<QLabel>(w, "Label1_18")->text(); }
    QWidget* focus() { return QApplication::focusWidget(); }

    // Picks an item from the open list of the "Ki?" box with the mouse.
    void choose(const QString& item)
    {
        box()->showPopup();
        QAbstractItemView* list = box()->view();
        const QModelIndex index = list->model()->index(box()->findText(item), 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        settle();
        // A desktop gives the activation back to the window when the list
        // closes; the offscreen platform leaves it with the closed list.
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        settle();
    }

    // Fills every gap from gap 0 on, in the order the window moves the focus,
    // each confirmed with Enter. A stem gap gets its suffix first; then
    // Shift+Tab goes back to the stem, whose last vowel is replaced, and
    // Enter is pressed there.
    // With `twice`, each right answer gets a second Enter, in the next gap as
    // the run set it up: the wrong-answer box, and nothing counted.
    void run(const char* const keys[18], RecordingPrompter* twice = nullptr)
    {
        for (int g = 0; g < 18; ++g) {
            ASSERT_EQ(focus(), gap(g)) << "gap " << g;
            QTest::keyClicks(gap(g), QLatin1String(keys[g]));
            QWidget* enter = gap(g);
            for (const StemEdit& s : stemEdits)
                if (s.gap == g) {
                    QTest::keyClick(gap(g), Qt::Key_Backtab);
                    settle(); // the caret goes to the end once the field has the focus
                    enter = field(s.field);
                    ASSERT_EQ(focus(), enter);
                    QTest::keyClick(enter, Qt::Key_Backspace);
                    QTest::keyClicks(enter, QLatin1String(s.key));
                }
            QTest::keyClick(enter, Qt::Key_Return);
            settle();
            if (twice && g < 17) {
                const QString counted = child<QLabel>(w, "Progress")->text();
                twice->clear();
                QTest::keyClick(focus(), Qt::Key_Return);
                settle();
                EXPECT_EQ(twice->events, QStringList({"beep", texts::wrong})) << "gap " << g + 1;
                EXPECT_EQ(child<QLabel>(w, "Progress")->text(), counted);
                twice->clear();
            }
        }
    }

    void expectAccomplished(RecordingPrompter& rec)
    {
        EXPECT_EQ(rec.events, QStringList{texts::done});
        EXPECT_EQ(rec.beeps, 0);
        EXPECT_EQ(button("Command1")->text(), "&Restart");
        EXPECT_FALSE(button("Command2")->isEnabled());
        EXPECT_FALSE(button("Command4")->isEnabled());
        for (int g = 0; g < 18; ++g)
            EXPECT_FALSE(gap(g)->isEnabled()) << g;
        EXPECT_EQ(field("Text7")->text(), "szobá");
        EXPECT_EQ(field("Text6")->text(), ", franciá");
        EXPECT_EQ(field("Text4")->text(), "A szobá");
        EXPECT_EQ(field("Text5")->text(), "és zené");
    }
};

// Opens exercise 5 from the menu; the window is active, so the focus
// events of its fields arrive as they do for a learner.
Exercise5 openFromMenu()
{
    QWidget* menu = startToMenu();
    click(menu, "AniButton4");
    QWidget* w = window("h05d5");
    if (w) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    }
    return {w};
}

// The colour of the gap as drawn, inside its frame, away from its text.
QColor drawnBackground(QLineEdit* gap)
{
    return gap->grab().toImage().pixelColor(gap->width() - 5, gap->height() / 2);
}

bool drawnInRed(QLineEdit* gap)
{
    const QImage image = gap->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                return true;
        }
    return false;
}

} // namespace

TEST(Exercise5Window, OpensFromTheMenuInItsLoadState)
{
    Exercise5 ex = openFromMenu();
    ASSERT_NE(ex.w, nullptr);
    EXPECT_EQ(mainWindows(), QStringList{"h05d5"});
    EXPECT_EQ(ex.w->windowTitle(), base + ": 5.");
    EXPECT_TRUE(isOnTop(*ex.w));
    EXPECT_TRUE(child<QAction>(ex.w, "mnuOntop")->isChecked());
    EXPECT_EQ(child<QAction>(ex.w, "mnuOntop")->text(), "On&Top");
    EXPECT_EQ(child<QLabel>(ex.w, "Label2")->text(), "5. Put in the right suffixes.");
    EXPECT_EQ(ex.personLabel(), "Péter");

    EXPECT_EQ(ex.box()->currentIndex(), -1);
    EXPECT_EQ(ex.box()->placeholderText(), "Ki?");
    EXPECT_FALSE(ex.box()->isEditable());
    QStringList items;
    for (int i = 0; i < ex.box()->count(); ++i)
        items << ex.box()->itemText(i);
    EXPECT_EQ(items, (QStringList{"Péter", "én", "te", "mi", "ti", "ők"}));

    EXPECT_EQ(ex.button("Command1")->text(), "&Start");
    EXPECT_FALSE(ex.button("Command2")->isEnabled());
    EXPECT_TRUE(ex.button("Command2")->isDefault());
    EXPECT_FALSE(ex.button("Command4")->isEnabled());
    EXPECT_TRUE(child<QLabel>(ex.w, "Label3")->isHidden());
    for (int g = 0; g < 18; ++g) {
        EXPECT_FALSE(ex.gap(g)->isEnabled()) << g;
        EXPECT_TRUE(ex.gap(g)->text().isEmpty()) << g;
        EXPECT_EQ(ex.gap(g)->property("tag").toString(), QString::number(g));
    }
    // Unsolved colours by kind: adverb, object, verb.
    EXPECT_EQ(drawnBackground(ex.gap(1)), QColor(255, 224, 192));
    EXPECT_EQ(drawnBackground(ex.gap(3)), QColor(255, 255, 192));
    EXPECT_EQ(drawnBackground(ex.gap(2)), QColor(Qt::white));
    EXPECT_EQ(ex.field("Text7")->text(), "szoba");
    EXPECT_EQ(ex.field("Text5")->text(), "és zene");
}

TEST(Exercise5Window, EveryPieceSitsOnItsLineAndTouchesTheNext)
{
    Exercise5 ex = openFromMenu();
    using h05d5::Piece;
    QWidget* before = nullptr;
    int line = 0;
    for (const h05d5::Element& e : h05d5::textElements) {
        QString name = e.control.toString();
        if (e.index >= 0)
            name += QStringLiteral("_%1").arg(e.index);
        auto* piece = child<QWidget>(ex.w, qPrintable(name));
        ASSERT_NE(piece, nullptr);
        const bool isLabel = e.piece == Piece::Person || e.piece == Piece::Fixed;
        EXPECT_EQ(isLabel, qobject_cast<QLabel*>(piece) != nullptr) << name.toStdString();
        const int height = isLabel ? h05d5::labelHeight : h05d5::fieldHeight;
        EXPECT_EQ(piece->geometry(), twips(e.left, h05d5::lineTops[e.line - 1], e.width, height))
            << name.toStdString();
        if (e.line == line) { // one pixel of overlap
            EXPECT_EQ(before->geometry().right(), piece->geometry().left()) << name.toStdString();
        }
        if (e.piece != Piece::Gap) {
            const QString text =
                isLabel ? static_cast<QLabel*>(piece)->text() : static_cast<QLineEdit*>(piece)->text();
            EXPECT_EQ(text, e.text.toString());
            // The text fits; a field loses its frame and margins, and a stem
            // has room for its changed vowel.
            const int room = isLabel ? piece->width() : piece->width() - 8;
            const QString longest = e.piece == Piece::Stem ? text + "á" : text;
            EXPECT_LE(piece->fontMetrics().horizontalAdvance(longest), room) << name.toStdString();
        }
        before = piece;
        line = e.line;
    }
}

TEST(Exercise5Window, AWholeRunForPeterTypedWithKeys)
{
    RecordingPrompter rec;
    Exercise5 ex = openFromMenu();
    accessKey(ex.w, Qt::Key_S);
    EXPECT_TRUE(ex.button("Command2")->isEnabled());
    EXPECT_TRUE(ex.button("Command4")->isEnabled());
    EXPECT_EQ(ex.gap(0)->text(), "ik");
    ex.run(peterKeys);
    ex.expectAccomplished(rec);
    EXPECT_EQ(ex.gap(1)->text(), "ön");
    EXPECT_EQ(ex.gap(7)->text(), "ül");
}

// Enter on the "ik" gap 0 was given is the wrong-answer box, but no try.
TEST(Exercise5Window, AWholeRunForEnAfterEnterOnTheIkItWasGiven)
{
    RecordingPrompter rec;
    Exercise5 ex = openFromMenu();
    ex.choose("én");
    EXPECT_EQ(ex.personLabel(), "(Én)");
    EXPECT_EQ(ex.box()->currentText(), "én");
    click(ex.w, "Command1");

    // Gap 0 still holds the Péter form.
    QTest::keyClick(ex.gap(0), Qt::Key_Return);
    settle();
    EXPECT_EQ(rec.events, (QStringList{"beep", wrong}));
    EXPECT_EQ(rec.messages.at(0).detail, texts::noTry);
    EXPECT_EQ(rec.messages.at(0).title, base + ": 5.");
    EXPECT_EQ(rec.messages.at(0).icon, Icon::Exclamation);
    ASSERT_EQ(ex.focus(), ex.gap(0));
    QTest::keyClick(ex.gap(0), Qt::Key_Backspace);
    QTest::keyClick(ex.gap(0), Qt::Key_Backspace);
    rec.clear();

    ex.run(enKeys, &rec);
    ex.expectAccomplished(rec);
    EXPECT_EQ(rec.messages.at(0).detail, "18 of 18 right at the first try · no mistakes · no items wait for review");
    EXPECT_EQ(ex.gap(0)->text(), "om");
    EXPECT_EQ(ex.gap(12)->text(), "ök");
}

TEST(Exercise5Window, SolvedGapsShowTheColoursOfTheirKind)
{
    RecordingPrompter rec;
    Exercise5 ex = openFromMenu();
    click(ex.w, "Command1");
    ex.run(peterKeys);
    const QColor normal = QApplication::palette(ex.gap(0)).color(QPalette::Active, QPalette::Text);
    for (int g : {1, 4, 7, 8, 9, 11}) { // adverbs: orange
        EXPECT_EQ(drawnBackground(ex.gap(g)), QColor(255, 192, 128)) << g;
        EXPECT_EQ(ex.gap(g)->palette().color(QPalette::Disabled, QPalette::Text), normal) << g;
    }
    for (int g : {3, 14, 16}) { // objects: yellow
        EXPECT_EQ(drawnBackground(ex.gap(g)), QColor(255, 255, 0)) << g;
        EXPECT_EQ(ex.gap(g)->palette().color(QPalette::Disabled, QPalette::Text), normal) << g;
    }
    for (int g : {0, 2, 5, 6, 10, 12, 13, 15, 17}) { // verbs: red text on white
        EXPECT_EQ(drawnBackground(ex.gap(g)), QColor(Qt::white)) << g;
        EXPECT_EQ(ex.gap(g)->palette().color(QPalette::Disabled, QPalette::Text), red) << g;
    }
    EXPECT_TRUE(drawnInRed(ex.gap(0)));
    EXPECT_FALSE(drawnInRed(ex.gap(1)));

    // Restart: the colours stay, gap 0 writes "ik" in the normal colour again.
    click(ex.w, "Command1");
    EXPECT_EQ(ex.gap(0)->palette().color(QPalette::Active, QPalette::Text), normal);
    EXPECT_FALSE(drawnInRed(ex.gap(0)));
    EXPECT_EQ(ex.gap(2)->palette().color(QPalette::Active, QPalette::Text), red);
    EXPECT_EQ(drawnBackground(ex.gap(1)), QColor(255, 192, 128));
    EXPECT_TRUE(ex.gap(1)->isEnabled());
    EXPECT_EQ(ex.focus(), ex.gap(0));
}

TEST(Exercise5Window, ChoosingTiResetsTheTextAndEnterThenPressesStart)
{
    RecordingPrompter rec;
    Exercise5 ex = openFromMenu();
    click(ex.w, "Command1");
    QTest::keyClick(ex.gap(0), Qt::Key_Return);
    QTest::keyClicks(ex.gap(1), "0n");
    QTest::keyClick(ex.gap(1), Qt::Key_Return);
    QTest::keyClicks(ex.gap(2), "xy");
    QTest::keyClick(ex.field("Text7"), Qt::Key_Backspace);
    settle();

    ex.choose("ti");
    EXPECT_EQ(ex.personLabel(), "(Ti)");
    EXPECT_EQ(ex.box()->currentText(), "ti");
    EXPECT_EQ(ex.box()->count(), 6);
    EXPECT_EQ(ex.gap(0)->text(), "ik");
    for (int g = 0; g < 18; ++g) {
        EXPECT_FALSE(ex.gap(g)->isEnabled()) << g;
        if (g > 0) {
            EXPECT_TRUE(ex.gap(g)->text().isEmpty()) << g;
        }
    }
    EXPECT_EQ(ex.field("Text7")->text(), "szoba");
    EXPECT_EQ(ex.focus(), ex.button("Command1"));

    // Enter on the focused Start button presses Start, not Next.
    QTest::keyClick(ex.focus(), Qt::Key_Return);
    settle();
    EXPECT_TRUE(ex.gap(5)->isEnabled());
    ASSERT_EQ(ex.focus(), ex.gap(0));
    EXPECT_TRUE(rec.events.isEmpty());
    QTest::keyClick(ex.gap(0), Qt::Key_Return); // "ik" is no ti form
    EXPECT_EQ(rec.events, (QStringList{"beep", wrong}));
    QTest::keyClick(ex.gap(0), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(ex.gap(0), "tok");
    QTest::keyClick(ex.gap(0), Qt::Key_Return);
    settle();
    EXPECT_FALSE(ex.gap(0)->isEnabled());
    EXPECT_EQ(ex.focus(), ex.gap(1));
}

TEST(Exercise5Window, TheClickedGapIsTheOneNextAndSolutionWorkOn)
{
    RecordingPrompter rec;
    Exercise5 ex = openFromMenu();
    click(ex.w, "Command1");
    QTest::mouseClick(ex.gap(14), Qt::LeftButton);
    QTest::mouseClick(ex.field("Text4"), Qt::LeftButton); // a stem: still gap 14
    settle();
    click(ex.w, "Command4");
    EXPECT_EQ(rec.events, QStringList{"The correct solution is:-ot"});
    EXPECT_EQ(ex.focus(), ex.gap(14));

    QTest::keyClicks(ex.gap(14), "ot");
    QTest::keyClick(ex.gap(14), Qt::Key_Return);
    settle();
    EXPECT_FALSE(ex.gap(14)->isEnabled());
    EXPECT_TRUE(ex.gap(0)->isEnabled());
    EXPECT_EQ(ex.focus(), ex.gap(15));
}

TEST(Exercise5Window, TabGoesThroughGapsAndStemsInReadingOrder)
{
    Exercise5 ex = openFromMenu();
    click(ex.w, "Command1");
    ASSERT_EQ(ex.focus(), ex.gap(0));
    QStringList expected;
    for (int g = 1; g < 18; ++g) {
        for (const StemEdit& s : stemEdits)
            if (s.gap == g)
                expected << s.field;
        expected << QStringLiteral("Text1_%1").arg(g);
    }
    expected << "Command1" << "Command4";
    QStringList order;
    while (order.size() < expected.size()) {
        QTest::keyClick(ex.focus(), Qt::Key_Tab);
        order << ex.focus()->objectName();
    }
    EXPECT_EQ(order, expected);
}

TEST(Exercise5Window, EachFieldTranslatesKeysWithItsOwnTable)
{
    Exercise5 ex = openFromMenu();
    click(ex.w, "Command1");
    auto typed = [&](QLineEdit* field, const char* keys) {
        field->clear();
        QTest::keyClicks(field, QLatin1String(keys));
        return field->text();
    };
    // The main table: [ gives ő, - gives ü, = gives ó.
    for (const char* name : {"Text1_4", "Text2", "Text6", "Text7"})
        EXPECT_EQ(typed(ex.field(name), "[-=\""), "őüóÁ") << name;
    // The short table: - gives ő, ] gives ü, = gives ű, no capitals.
    for (const char* name : {"Text4", "Text5"})
        EXPECT_EQ(typed(ex.field(name), "[-]=\""), "öőüű\"") << name;
    for (const char* name : {"Text3", "Text8", "Text9"})
        EXPECT_EQ(typed(ex.field(name), "[-"), "[-") << name;
}

TEST(Exercise5Window, StemsPutTheCaretAtTheEndWhenTheyGetTheFocus)
{
    Exercise5 ex = openFromMenu();
    for (const char* name : {"Text4", "Text5", "Text6", "Text7"}) {
        QLineEdit* stem = ex.field(name);
        QTest::mouseClick(stem, Qt::LeftButton, {}, QPoint(3, stem->height() / 2));
        settle();
        EXPECT_EQ(stem->cursorPosition(), stem->text().size()) << name;
        EXPECT_FALSE(stem->hasSelectedText()) << name;
    }
}

TEST(Exercise5Window, CharShowsAndHidesTheKeyHelp)
{
    Exercise5 ex = openFromMenu();
    auto* help = child<QLabel>(ex.w, "Label3");
    EXPECT_EQ(help->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_EQ(help->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_LE(help->fontMetrics().horizontalAdvance(help->text()), help->width());
    accessKey(ex.w, Qt::Key_C);
    EXPECT_TRUE(help->isVisible());
    click(ex.w, "Command10");
    EXPECT_TRUE(help->isHidden());

    // Char takes the focus from the gap; a letter clicked in its line goes
    // to that gap, which gets the focus back.
    accessKey(ex.w, Qt::Key_S);
    click(ex.w, "Command10");
    clickLetter(help, "ö");
    EXPECT_EQ(ex.gap(0)->text(), "ikö");
    EXPECT_EQ(ex.focus(), ex.gap(0));
}

TEST(Exercise5Window, HowToCarriesTheTitle)
{
    RecordingPrompter rec;
    Exercise5 ex = openFromMenu();
    trigger(ex.w, "mnuHow");
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, base + ": 5.");
    EXPECT_EQ(rec.messages[0].icon, Icon::Information);
    const QStringList paragraphs = rec.messages[0].text.split("\r\n\r\n");
    ASSERT_EQ(paragraphs.size(), 2);
    EXPECT_EQ(paragraphs[0], "Click the \"Start\" button and put your solution in any of the gaps. Then click the "
                             "\"Next\" button or press the \"Enter\" key. Go on. If you want to, you can change the "
                             "person (Péter, én, te, etc.) clicking the preferred option in the \"Ki?\" box.");
    EXPECT_TRUE(paragraphs[1].startsWith("If you want to see how to type"));
}

TEST(Exercise5Window, FourAndFiveDoNothing)
{
    Exercise5 ex = openFromMenu();
    EXPECT_EQ(ex.button("Command11")->text(), "&4");
    EXPECT_EQ(ex.button("Command8")->text(), "&5");
    for (const char* name : {"Command11", "Command8"}) {
        EXPECT_FALSE(ex.button(name)->isEnabled());
        click(ex.w, name);
    }
    accessKey(ex.w, Qt::Key_4);
    accessKey(ex.w, Qt::Key_5);
    EXPECT_EQ(mainWindows(), QStringList{"h05d5"});
    EXPECT_EQ(window("h05d5"), ex.w);
}

TEST(Exercise5Window, OneOpensExerciseOne)
{
    Exercise5 ex = openFromMenu();
    click(ex.w, "Command5");
    QWidget* w = window("h05d1");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(mainWindows(), QStringList{"h05d1"});
    EXPECT_EQ(Module1::exnum, 1);
    EXPECT_FALSE(child<QPushButton>(w, "Command10")->isEnabled());
    EXPECT_EQ(child<QLabel>(w, "Label2")->text(), "1. Put in the correct suffixes:");
}

TEST(Exercise5Window, TwoOpensExerciseTwo)
{
    Exercise5 ex = openFromMenu();
    accessKey(ex.w, Qt::Key_2);
    QWidget* w = window("h05d1");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(mainWindows(), QStringList{"h05d1"});
    EXPECT_EQ(Module1::exnum, 2);
    EXPECT_FALSE(child<QPushButton>(w, "Command5")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(w, "Command10")->isEnabled());
    EXPECT_EQ(child<QLabel>(w, "Label2")->text(), "2. Put in the correct suffixes:");

    // And its "&5" comes back to a fresh exercise 5.
    click(w, "Command8");
    EXPECT_EQ(mainWindows(), QStringList{"h05d5"});
    EXPECT_EQ(child<QLabel>(window("h05d5"), "Label1_18")->text(), "Péter");
}

TEST(Exercise5Window, ThreeOpensExerciseThreeWhoseFiveComesBack)
{
    RecordingPrompter rec;
    Exercise5 ex = openFromMenu();
    click(ex.w, "Command1");
    click(ex.w, "Command7");
    QWidget* w = window("h05d3");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(mainWindows(), QStringList{"h05d3"});
    EXPECT_EQ(w->windowTitle(), base + ": 3.");

    click(w, "Command4");
    Exercise5 again{window("h05d5")};
    ASSERT_NE(again.w, nullptr);
    EXPECT_EQ(mainWindows(), QStringList{"h05d5"});
    EXPECT_EQ(again.w->windowTitle(), base + ": 5.");
    EXPECT_EQ(again.button("Command1")->text(), "&Start");
    EXPECT_FALSE(again.gap(0)->isEnabled());
    EXPECT_TRUE(again.gap(0)->text().isEmpty());
}

TEST(Exercise5Window, CloseBringsTheMenuBack)
{
    Exercise5 ex = openFromMenu();
    accessKey(ex.w, Qt::Key_E);
    EXPECT_EQ(mainWindows(), QStringList{"alap"});
}

// Two gaps missed in te's text: the review opens te's text with only those
// two gaps open and every other gap shown solved.
TEST(Exercise5Window, AReviewOpensOnlyTheMissedGapsOfThePersonsText)
{
    RecordingPrompter rec;
    Exercise5 ex = openFromMenu();
    ASSERT_NE(ex.w, nullptr);
    QPushButton* review = ex.button("Review");
    EXPECT_TRUE(review->isHidden());
    ex.choose(QStringLiteral("te"));
    accessKey(ex.w, Qt::Key_S);
    QTest::keyClick(ex.gap(0), Qt::Key_Backspace); // gap 0 holds "ik"
    QTest::keyClick(ex.gap(0), Qt::Key_Backspace);
    const int missedA = 5, missedB = 13;
    for (int g = 0; g < missedA; ++g) {
        QTest::keyClicks(ex.gap(g), QLatin1String(teKeys[g]));
        QWidget* enter = ex.gap(g);
        for (const StemEdit& s : stemEdits)
            if (s.gap == g) {
                QTest::keyClick(ex.gap(g), Qt::Key_Backtab);
                settle();
                enter = ex.field(s.field);
                QTest::keyClick(enter, Qt::Key_Backspace);
                QTest::keyClicks(enter, QLatin1String(s.key));
            }
        QTest::keyClick(enter, Qt::Key_Return);
        settle();
    }
    for (int g : {missedA, missedB}) {
        ASSERT_TRUE(ex.gap(g)->isEnabled());
        ex.gap(g)->setFocus();
        settle();
        QTest::keyClicks(ex.gap(g), QStringLiteral("x"));
        QTest::keyClick(ex.gap(g), Qt::Key_Return);
        settle();
    }
    EXPECT_EQ(rec.beeps, 2);
    // Another person ends the run; the misses wait for review.
    ex.choose(QStringLiteral("Péter"));
    EXPECT_EQ(review->text(), "Re&view (2)");
    ASSERT_TRUE(review->isEnabled());

    // While a run goes on, Review waits for its end.
    accessKey(ex.w, Qt::Key_S);
    EXPECT_FALSE(review->isEnabled());
    accessKey(ex.w, Qt::Key_V);
    EXPECT_EQ(ex.personLabel(), "Péter");
    EXPECT_EQ(child<QLabel>(ex.w, "Progress")->text(), "0 of 18 right · 0 mistakes");
    ex.choose(QStringLiteral("Péter"));
    ASSERT_TRUE(review->isEnabled());

    rec.clear();
    accessKey(ex.w, Qt::Key_V);
    EXPECT_EQ(ex.personLabel(), "(Te)");
    EXPECT_EQ(ex.box()->currentText(), "te");
    const char* const teTexts[18] = {"sz", "ön", "sz", "t", "en", "", "sz", "ül", "ul",
                                     "ul", "sz", "ban", "sz", "", "ot", "ol", "t", "sz"};
    for (int g = 0; g < 18; ++g) {
        EXPECT_EQ(ex.gap(g)->isEnabled(), g == missedA || g == missedB) << g;
        EXPECT_EQ(ex.gap(g)->text(), QString::fromUtf8(teTexts[g])) << g;
    }
    EXPECT_EQ(ex.field("Text4")->text(), "A szobá");
    EXPECT_EQ(ex.focus(), ex.gap(missedA));
    for (int g : {missedA, missedB}) {
        QTest::keyClicks(ex.gap(g), QLatin1String(teKeys[g]));
        QTest::keyClick(ex.gap(g), Qt::Key_Return);
        settle();
    }
    EXPECT_EQ(rec.events, QStringList{texts::done});
    EXPECT_EQ(rec.messages.at(0).detail,
              "2 of 2 right at the first try · no mistakes · no items left the review · 2 items wait for review");
    EXPECT_EQ(child<QLabel>(ex.w, "Progress")->text(), "Review: 2 of 2 right · 0 mistakes");
    EXPECT_EQ(ex.button("Command1")->text(), "&Restart");
    EXPECT_EQ(review->text(), "Re&view (2)"); // both in box 2 now

    // The menu counts them beside exercise 5 only.
    accessKey(ex.w, Qt::Key_E);
    QWidget* menu = window("alap");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(child<QLabel>(menu, "Review5")->text(), "2");
    EXPECT_TRUE(child<QLabel>(menu, "Review5")->isVisible());
    EXPECT_TRUE(child<QLabel>(menu, "Review1")->isHidden());
}
