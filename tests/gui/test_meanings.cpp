// What the words mean, as the learner meets it: the tooltips and descriptions
// of each exercise, which never hold the answer, and Words of the lesson.
#include "gui.h"
#include "h05d1_tables.h"
#include "lesson/text.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableView>
#include <span>

using namespace lumora;
using namespace lumora::test;

namespace {

// Whether a tooltip, accessible description or name given in the window holds the word.
bool told(QWidget* w, const QString& word)
{
    const QRegularExpression whole("(^|\\W)" + QRegularExpression::escape(word) + "($|\\W)",
                                   QRegularExpression::CaseInsensitiveOption
                                       | QRegularExpression::UseUnicodePropertiesOption);
    for (QWidget* c : w->findChildren<QWidget*>())
        for (const QString& said : {c->toolTip(), c->accessibleDescription(), c->accessibleName()})
            if (whole.match(said).hasMatch())
                return true;
    return false;
}

QString tip(QWidget* w, const char* name) { return child<QWidget>(w, name)->toolTip(); }
QString description(QWidget* w, const char* name) { return child<QWidget>(w, name)->accessibleDescription(); }

} // namespace

TEST(Meanings, EachExerciseNamesItsWordsNeverTheAnswer)
{
    RecordingPrompter rec;
    ScriptedRandom random;
    accessKey(startToMenu(), Qt::Key_1);
    QWidget* w = window("h05d1");
    for (const h05d1_tables::ItemRow& row : std::span(h05d1_tables::itemRows).first(46)) { // exercise 1
        click(w, "Command5"); // a new run of exercise 1, which draws the scripted item
        click(w, "Command10");
        random.script = {(row.item + 0.5) / 46};
        accessKey(w, Qt::Key_S);
        const QString verb = QString::fromUtf16(row.verb);
        EXPECT_TRUE(tip(w, "Text1").startsWith((verb == u"lak" ? "lakik" : verb) + " — ")) << row.item;
        EXPECT_TRUE(tip(w, "Label1").startsWith(QString::fromUtf16(row.person) + " — ")) << row.item;
        EXPECT_EQ(description(w, "Text1") + description(w, "Label1"),
                  tip(w, "Text1") + "person\n" + tip(w, "Label1"));
        EXPECT_FALSE(told(w, QString::fromUtf16(row.answer))) << row.item;
    }

    random.script = {0.5 / 6}; // item 0, (ti)
    accessKey(w, Qt::Key_3);
    w = window("h05d3");
    accessKey(w, Qt::Key_S);
    EXPECT_EQ(tip(w, "Image1"), "lány — girl\nmozi — cinema\nmegy — to go");
    EXPECT_EQ(description(w, "Image1"), "picture\n" + tip(w, "Image1"));
    EXPECT_TRUE(tip(w, "Label7").endsWith(" in the sentence.\nti — you (more people)"));
    for (int item = 0; item < 6; ++item) {
        // Of the sentence, only what the hint and the person label show may be told.
        rec.clear();
        QTest::mouseClick(child<QWidget>(w, "Image1"), Qt::LeftButton);
        const QString shown = rec.messages.at(0).text + " " + child<QLabel>(w, "Label7")->text();
        const QString sentence = child<QLabel>(w, "Label1")->text();
        for (const QString& word : sentence.split(QRegularExpression("\\W+"), Qt::SkipEmptyParts))
            if (!shown.contains(word, Qt::CaseInsensitive)) {
                EXPECT_FALSE(told(w, word)) << sentence.toStdString() << ": " << word.toStdString();
            }
        child<QLineEdit>(w, "Text1")->setText(sentence);
        QTest::keyClick(child<QWidget>(w, "Text1"), Qt::Key_Return);
        settle();
    }
    EXPECT_EQ(child<QWidget>(w, "comenzar")->property("text"), "&Restart"); // all six were asked
    accessKey(w, Qt::Key_5);
    w = window("h05d5");
    EXPECT_EQ(tip(w, "Label1_0"), "Budapest — the capital of Hungary\nlakik — to live (somewhere)");
    EXPECT_TRUE(tip(w, "Text4").endsWith("almát.\na — the\nszoba — room"));
    const char* const persons[] = {"Péter — Peter", "én — I", "te — you", "mi — we", "ti — you", "ők — they"};
    for (int person = 0; person < h05d5::personCount; ++person) {
        child<QWidget>(w, "Combo1")->setFocus(); // the next person of the box, from the keyboard
        QTest::keyClick(child<QWidget>(w, "Combo1"), Qt::Key_Down);
        ASSERT_EQ(child<QLabel>(w, "Label1_18")->text(), h05d5::persons[person].caption);
        EXPECT_TRUE(tip(w, "Label1_18").startsWith(persons[person])) << tip(w, "Label1_18").toStdString();
        h05d5::SuffixList suffixes;
        h05d5::persons[person].fill(suffixes);
        for (int g = 1; g < h05d5::gapCount; ++g) // gap 0 shows its ik from the start
            EXPECT_TRUE(suffixes[g].isEmpty() || !told(w, h05d5::gapWord(g) + suffixes[g])) << person << " " << g;
    }
}

// Help, "Words of the lesson..." from the menu and each exercise window:
// that exercise's words, narrowed as the learner types, gone with Escape.
TEST(WordsWindow, OpensFromEveryWindowFindsAsTypedAndClosesWithEscape)
{
    RecordingPrompter rec;
    startToMenu();
    for (auto [key, name] : {std::pair{Qt::Key_unknown, "alap"}, {Qt::Key_1, "h05d1"}, {Qt::Key_3, "h05d3"},
                             {Qt::Key_5, "h05d5"}}) {
        SCOPED_TRACE(name);
        if (QWidget* before = window(qPrintable(mainWindows().at(0))); key != Qt::Key_unknown) {
            activate(before);
            accessKey(before, key);
        }
        QWidget *from = window(name), *words = nullptr;
        menuKeys(from, Qt::Key_H, Qt::Key_W);
        ASSERT_NE(words = window("words"), nullptr);
        activate(words);
        const QString exercise = key == Qt::Key_unknown ? "All exercises" : QStringLiteral("Exercise ") + name[4];
        EXPECT_EQ(child<QComboBox>(words, "exercise")->currentText(), exercise);
        ASSERT_EQ(QApplication::focusWidget(), child<QLineEdit>(words, "find"));
        QAbstractItemModel* rows = child<QTableView>(words, "table")->model();
        const int all = rows->rowCount();
        if (key == Qt::Key_unknown) {
            EXPECT_EQ(child<QLabel>(words, "count")->text(), QStringLiteral("%1 words").arg(all));
        }
        QTest::keyClicks(QApplication::focusWidget(), "set"); // sétál, in all but exercise 5
        ASSERT_EQ(rows->rowCount(), exercise == "Exercise 5" ? 0 : 1);
        EXPECT_TRUE(exercise == "Exercise 5" || rows->index(0, 1).data() == "to walk");
        if (key == Qt::Key_unknown) {
            EXPECT_EQ(child<QLabel>(words, "count")->text(), QStringLiteral("1 of %1 words").arg(all));
            child<QLineEdit>(words, "find")->setText("walk"); // the English finds it too
            ASSERT_EQ(rows->rowCount(), 1);
            EXPECT_EQ(rows->index(0, 0).data(), "sétál");
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        settle();
        EXPECT_EQ(window("words"), nullptr);
        EXPECT_EQ(window(name), from);
    }
}

// Each word can be heard: a click on its Hear, Enter or F5 on its row; while
// nothing can be heard the buttons are disabled and say why.
TEST(WordsWindow, HearSaysTheWordOfItsRowUnlessNothingCanBeHeard)
{
    RecordingPrompter rec;
    RecordingSpeaker voice;
    menuKeys(startToMenu(), Qt::Key_H, Qt::Key_W);
    QWidget* words = window("words");
    ASSERT_NE(words, nullptr);
    activate(words);
    EXPECT_GE(voice.prepares, 1);
    QTest::keyClicks(QApplication::focusWidget(), "hallg");
    auto* table = child<QTableView>(words, "table");
    QAbstractItemModel* rows = table->model();
    ASSERT_EQ(rows->rowCount(), 1);
    const int hear = rows->columnCount() - 1;
    EXPECT_EQ(rows->headerData(hear, Qt::Horizontal), "Hear");
    auto click = [table](const QModelIndex& cell) {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(cell).center());
    };
    click(rows->index(0, 1)); // the meaning itself says nothing
    click(rows->index(0, hear));
    QTest::keyClick(table, Qt::Key_Return);
    QTest::keyClick(table, Qt::Key_F5);
    EXPECT_EQ(voice.said, QStringList({"hallgat", "hallgat", "hallgat"}));
    EXPECT_EQ(rows->index(0, hear).data(Qt::AccessibleTextRole), "Hear hallgat");

    voice.setSilence(noSound);
    EXPECT_EQ(rows->index(0, hear).data(Qt::ToolTipRole), noSound);
    EXPECT_FALSE(rows->index(0, hear).flags() & Qt::ItemIsEnabled);
    click(rows->index(0, hear));
    QTest::keyClick(table, Qt::Key_F5);
    EXPECT_EQ(voice.said.size(), 3);
}
