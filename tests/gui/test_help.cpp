// What the windows explain beyond their How-to pages: the "More help..."
// page of each window, the tooltips, and the gap colours of exercise 5.
#include "gui.h"
#include "texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <map>
#include <tuple>

using namespace lumora;
using namespace lumora::test;

namespace {

const QString reviewHelp = "Review: an item you miss (a wrong first answer, or Solution) waits for review.";
const QString progressHelp = "My progress (in the Options menu of the exercises and the Help menu of the menu) ";

} // namespace

// Each window's page ends with the review and My progress; an exercise
// window's page begins with what that window shows and says nowhere else.
TEST(MoreHelp, EveryWindowExplainsReviewAndMyProgressAfterItsOwnNotes)
{
    RecordingPrompter rec;
    QWidget* menu = startToMenu();
    ASSERT_NE(menu, nullptr);
    menuKeys(menu, Qt::Key_H, Qt::Key_M);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].icon, Icon::Information);
    QStringList paragraphs = rec.messages[0].text.split(QStringLiteral("\r\n\r\n"));
    ASSERT_EQ(paragraphs.size(), 2);
    EXPECT_TRUE(paragraphs[0].startsWith(reviewHelp)) << paragraphs[0].toStdString();
    EXPECT_TRUE(paragraphs[0].contains("right at the first try in 2 review runs leaves the review"));
    EXPECT_TRUE(paragraphs[1].startsWith(progressHelp)) << paragraphs[1].toStdString();

    const std::tuple<const char*, const char*, QString> windows[] = {
        {"AniButton1", "h05d1",
         "The picture beside the verb shows the person: one figure for the singular, two for the plural"},
        {"AniButton2", "h05d3",
         "A person in brackets, such as (mi), is left out of the sentence: the ending of the verb shows it. A "
         "person without brackets, such as önök, is written in the sentence."},
        {"AniButton4", "h05d5",
         "The words in fields before some gaps (szoba, francia, A szoba, és zene) are yours to change"}};
    for (const auto& [button, name, note] : windows) {
        SCOPED_TRACE(name);
        rec.clear();
        click(window("alap"), button);
        QWidget* w = window(name);
        ASSERT_NE(w, nullptr);
        menuKeys(w, Qt::Key_H, Qt::Key_M);
        ASSERT_EQ(rec.messages.size(), 1u);
        EXPECT_EQ(rec.messages[0].title, w->windowTitle());
        paragraphs = rec.messages[0].text.split(QStringLiteral("\r\n\r\n"));
        ASSERT_EQ(paragraphs.size(), 3);
        EXPECT_TRUE(paragraphs[0].startsWith(note)) << paragraphs[0].toStdString();
        EXPECT_TRUE(paragraphs[1].startsWith(reviewHelp));
        EXPECT_TRUE(paragraphs[2].startsWith(progressHelp));
        // The specified How-to page is as it was.
        rec.clear();
        menuKeys(w, Qt::Key_H, Qt::Key_H);
        ASSERT_EQ(rec.messages.size(), 1u);
        EXPECT_FALSE(rec.messages[0].text.contains("Review"));
        click(w, name == QLatin1String("h05d3") ? "Cerrar" : "Command3");
    }
}

TEST(Tooltips, TheReviewButtonThePersonsAndTheBracketsSayWhatTheyMean)
{
    RecordingPrompter rec;
    ScriptedRandom random;
    QWidget* menu = startToMenu();
    accessKey(menu, Qt::Key_3);
    QWidget* w = window("h05d3");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(child<QPushButton>(w, "Review")->toolTip(),
              "Ask again the items you missed. An item leaves the review once it is right at the first try in 2 "
              "review runs.");
    random.script = {0.99}; // item 5, (te)
    accessKey(w, Qt::Key_S);
    auto* person = child<QLabel>(w, "Label7");
    EXPECT_EQ(person->text(), "(te)");
    EXPECT_TRUE(person->toolTip().startsWith("A person in brackets, such as (mi), is left out of the sentence"));

    // The extended variant shows the person as a picture.
    accessKey(w, Qt::Key_E);
    accessKey(window("alap"), Qt::Key_2);
    w = window("h05d1");
    accessKey(w, Qt::Key_S);
    auto* picture = child<QLabel>(w, "Image1");
    const QString pronoun = child<QLabel>(w, "Label1")->text();
    const std::map<QString, QString> meanings = {{"én", "I"},
                                                 {"te", "you, one person"},
                                                 {"mi", "we"},
                                                 {"ti", "you, more people"},
                                                 {"ők", "they"}};
    ASSERT_TRUE(meanings.count(pronoun)) << pronoun.toStdString();
    EXPECT_EQ(picture->toolTip(), "The person: " + pronoun + " (" + meanings.at(pronoun) + ")");
}

// The legend stands in the free space right of the last line and names the
// colours the gaps have when the window opens.
TEST(Exercise5Help, TheLegendNamesTheGapColoursAndTheStemsSayTheyMayChange)
{
    RecordingPrompter rec;
    accessKey(startToMenu(), Qt::Key_5);
    QWidget* w = window("h05d5");
    ASSERT_NE(w, nullptr);
    QWidget* legend = child<QWidget>(w, "Legend");
    QWidget* area = legend->parentWidget();
    EXPECT_TRUE(legend->isVisible());
    EXPECT_TRUE(area->rect().contains(legend->geometry()));
    for (QWidget* other : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (other != legend && !other->isHidden()) {
            EXPECT_FALSE(other->geometry().intersects(legend->geometry())) << other->objectName().toStdString();
        }
    // A hidden control that shows later: the key help line and the Review button.
    for (const char* later : {"Label3", "Review"})
        EXPECT_FALSE(child<QWidget>(w, later)->geometry().intersects(legend->geometry())) << later;

    const QList<QLabel*> labels = legend->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 6);
    const std::tuple<QColor, QString, QString> expected[] = {
        {QColor(255, 255, 255), "verb ending", "White gap"},
        {QColor(255, 255, 192), "object ending", "Yellow gap"},
        {QColor(255, 224, 192), "adverb ending", "Peach gap"}};
    for (int i = 0; i < 3; ++i) {
        const auto& [colour, word, tip] = expected[i];
        QLabel* swatch = labels[2 * i];
        const QImage drawn = swatch->grab().toImage();
        EXPECT_EQ(drawn.pixelColor(drawn.width() / 2, drawn.height() / 2), colour) << i;
        EXPECT_EQ(labels[2 * i + 1]->text(), word);
        EXPECT_TRUE(labels[2 * i + 1]->toolTip().startsWith(tip));
        // Neither squeezed nor cut off at the legend's edge.
        EXPECT_GE(labels[2 * i + 1]->width(), labels[2 * i + 1]->sizeHint().width()) << i;
        EXPECT_LE(labels[2 * i + 1]->geometry().right(), legend->width()) << i;
    }

    // Each gap's tooltip names its kind: gap 0 a verb, 1 an adverb, 3 an object.
    for (auto [g, tip] : {std::pair{0, "White gap"}, {1, "Peach gap"}, {3, "Yellow gap"}, {17, "White gap"}})
        EXPECT_TRUE(child<QLineEdit>(w, qPrintable(QStringLiteral("Text1_%1").arg(g)))->toolTip().startsWith(tip))
            << g;
    for (const char* stem : {"Text7", "Text6", "Text4", "Text5"}) {
        auto* field = child<QLineEdit>(w, stem);
        EXPECT_TRUE(field->toolTip().startsWith(
            "You may change this word: its last vowel can become long, as alma → almát.\n"));
        EXPECT_EQ(field->accessibleDescription(), field->toolTip());
    }
}
