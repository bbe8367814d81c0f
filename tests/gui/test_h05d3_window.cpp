#include "core/icons.h"
#include "core/keytables.h"
#include "core/module1.h"
#include "core/platform.h"
#include "core/speaker.h"
#include "gui.h"
#include "lesson/pictures.h"
#include "record/store.h"
#include "texts.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>

using namespace lumora;
using namespace lumora::test;

namespace {

const QString title = texts::title + ": 3.";

// A draw of r that picks index k of n.
double pick(int k, int n) { return (k + 0.5) / n; }

struct Exercise3 {
    QWidget* w;
    QLineEdit* answerField() { return child<QLineEdit>(w, "Text1"); }
    QPushButton* button(const char* name) { return child<QPushButton>(w, name); }
    QLabel* label(const char* name) { return child<QLabel>(w, name); }
    QImage picture() { return label("Image1")->pixmap().toImage(); }
    QImage icon() { return label("Image2")->pixmap().toImage(); }

    // Types the keys with the learner's English keyboard and presses Enter.
    void answer(const QString& keys)
    {
        QTest::keyClick(answerField(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(answerField(), Qt::Key_Backspace);
        QTest::keyClicks(answerField(), keys);
        QTest::keyClick(answerField(), Qt::Key_Return);
        settle();
    }
};

Exercise3 openFromMenu()
{
    QWidget* menu = startToMenu();
    click(menu, "AniButton2");
    return {window("h05d3")};
}

// How many answers of exercise 3 the learner's record holds.
int answersInRecord()
{
    int count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("look"));
        db.setDatabaseName(record::Store::defaultPath());
        QSqlQuery q(db);
        if (db.open() && q.exec(QStringLiteral("SELECT count(*) FROM answers WHERE exercise = 3")) && q.next())
            count = q.value(0).toInt();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("look"));
    return count;
}

QImage pictureOf(int item) { return QPixmap(h05d3::picturePath(item)).toImage(); }
QImage iconOf(int id) { return QIcon(personIconPath(id)).pixmap(32, 32).toImage(); }

} // namespace

TEST(Exercise3Window, OpensFromTheMenuInItsLoadState)
{
    Exercise3 ex = openFromMenu();
    ASSERT_NE(ex.w, nullptr);
    EXPECT_EQ(mainWindows(), QStringList{"h05d3"});
    EXPECT_EQ(ex.w->windowTitle(), title);
    EXPECT_EQ(Module1::title, title);
    EXPECT_TRUE(isOnTop(*ex.w));
    EXPECT_TRUE(child<QAction>(ex.w, "mnuOntop")->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), ex.button("comenzar"));

    const std::pair<const char*, const char*> captions[] = {
        {"comenzar", "&Start"}, {"Siguiente", "&Next"}, {"Solución", "Sol&ution"}, {"Modelo", "&Example"},
        {"Plusd1", "&Plus"},    {"Cerrar", "Clos&e"},   {"Command5", "&Char"},     {"Command1", "&1"},
        {"Command2", "&2"},     {"Command3", "&3"},     {"Command6", "&4"},        {"Command4", "&5"}};
    for (auto [name, caption] : captions) {
        EXPECT_EQ(ex.button(name)->text(), caption) << name;
        EXPECT_TRUE(ex.button(name)->isVisible()) << name;
        const bool enabled = !QStringList{"Siguiente", "Solución", "Command3", "Command6"}.contains(name);
        EXPECT_EQ(ex.button(name)->isEnabled(), enabled) << name;
    }
    EXPECT_EQ(ex.label("Label4")->text(), "3. Make sentences:");
    EXPECT_EQ(ex.label("Label3")->text(), "Go to exercise:");
    EXPECT_EQ(ex.label("Label2")->text(), " If you want to practise with an extended variant  of this exercise, "
                                          "click the \"Plus\" button:");
    EXPECT_TRUE(ex.label("Label5")->text().isEmpty());
    for (const char* hidden : {"Label1", "Label6", "Label7", "Image2"})
        EXPECT_TRUE(ex.label(hidden)->isHidden()) << hidden;
    EXPECT_TRUE(ex.answerField()->isHidden());
    EXPECT_TRUE(ex.label("Image1")->pixmap().isNull());

    QMenu* options = child<QMenu>(ex.w, "mnuOpciones");
    EXPECT_EQ(options->title(), "&Options");
    EXPECT_EQ(child<QAction>(ex.w, "mnuOntop")->text(), "&OnTop");
    EXPECT_EQ(options->menuAction(), ex.w->findChild<QMenuBar*>()->actions().value(0));
}

TEST(Exercise3Window, ControlsStandWhereTheLayoutPutsThemAndTheirTextsFit)
{
    Exercise3 ex = openFromMenu();
    auto* frame = child<QFrame>(ex.w, "Picture1");
    EXPECT_EQ(frame->geometry(), twips(2760, 600, 4095, 2895));
    QLabel* image = ex.label("Image1");
    EXPECT_EQ(image->parentWidget(), frame);
    EXPECT_EQ(image->size(), QSize(240, 170));
    EXPECT_TRUE(frame->contentsRect().contains(image->geometry()));
    EXPECT_EQ(ex.answerField()->geometry().topLeft(), twips(600, 3600, 0, 0).topLeft());
    EXPECT_EQ(ex.answerField()->width(), twips(8055));
    const std::pair<const char*, QPoint> at[] = {
        {"comenzar", {0, 0}},       {"Solución", {1080, 0}},     {"Cerrar", {2280, 0}},
        {"Command1", {6840, 0}},    {"Command4", {8760, 0}},     {"Modelo", {7320, 1800}},
        {"Siguiente", {7320, 2400}}, {"Plusd1", {7800, 4680}},   {"Command5", {240, 4920}}};
    for (auto [name, twipsAt] : at)
        EXPECT_EQ(ex.button(name)->pos(), twips(twipsAt.x(), twipsAt.y(), 0, 0).topLeft()) << name;
    const std::pair<const char*, QPoint> labels[] = {{"Label4", {240, 600}}, {"Label5", {360, 960}},
                                                     {"Label7", {120, 3000}}, {"Image2", {1920, 2880}},
                                                     {"Label1", {600, 4200}}, {"Label2", {2760, 4680}},
                                                     {"Label6", {240, 5400}}};
    for (auto [name, twipsAt] : labels)
        EXPECT_EQ(ex.label(name)->pos(), twips(twipsAt.x(), twipsAt.y(), 0, 0).topLeft()) << name;

    // The longest texts each control will carry.
    ex.button("comenzar")->setText("&Restart");
    ex.label("Label5")->setText("(Extended)");
    ex.label("Label7")->setText("a tanárnő");
    ex.label("Label1")->setText("A lányok és a fiúk egy klubban táncolnak.");
    for (QPushButton* b : ex.w->findChildren<QPushButton*>()) {
        const QString text = QString(b->text()).remove('&');
        EXPECT_LE(b->fontMetrics().horizontalAdvance(text) + 8, b->width()) << b->objectName().toStdString();
    }
    for (const char* name : {"Label4", "Label5", "Label7", "Label1", "Label3", "Label6"}) {
        QLabel* l = ex.label(name);
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width()) << name;
        EXPECT_LE(l->fontMetrics().height(), l->height()) << name;
    }
    QLabel* invitation = ex.label("Label2");
    EXPECT_LE(invitation->heightForWidth(invitation->width()), invitation->height());
    // Not under the picture frame, nor under the buttons beside it.
    EXPECT_LE(ex.label("Label4")->geometry().right(), frame->geometry().left());
    EXPECT_LE(invitation->geometry().right(), ex.button("Plusd1")->geometry().left());
}

TEST(Exercise3Window, AWholeBasicSeriesTypedWithKeysThenRestart)
{
    RecordingPrompter rec;
    ScriptedRandom random;
    const int order[] = {4, 0, 2, 5, 1, 3};
    for (int item : order)
        random.script.push_back(pick(item, 6));
    Exercise3 ex = openFromMenu();
    accessKey(ex.w, Qt::Key_S);
    EXPECT_EQ(QApplication::focusWidget(), ex.answerField());
    EXPECT_TRUE(ex.button("Siguiente")->isEnabled());
    EXPECT_TRUE(ex.button("Solución")->isEnabled());
    EXPECT_TRUE(ex.button("Siguiente")->isDefault());
    EXPECT_TRUE(ex.button("Modelo")->isHidden());
    EXPECT_FALSE(ex.button("Plusd1")->isEnabled());
    EXPECT_TRUE(ex.label("Label7")->isVisible());
    EXPECT_TRUE(ex.label("Image2")->isHidden());

    // Item 4, (én): a small first letter is warned about and corrected.
    EXPECT_EQ(ex.picture(), pictureOf(4));
    EXPECT_EQ(ex.label("Label7")->text(), "(én)");
    ex.answer("sz'llod'ban lakom.");
    EXPECT_EQ(rec.events, QStringList({"beep", texts::capital}));
    EXPECT_EQ(rec.messages[0].title, title);
    EXPECT_TRUE(ex.answerField()->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), ex.answerField());

    // Item 0, (ti): the missing full stop is warned about and appended; the
    // second accepted sentence counts as well.
    rec.clear();
    EXPECT_EQ(ex.picture(), pictureOf(0));
    EXPECT_EQ(ex.label("Label7")->text(), "(ti)");
    ex.answer("Moziba mentek");
    EXPECT_EQ(rec.events, QStringList{texts::stop});
    EXPECT_EQ(rec.messages[0].detail, "A full stop has been added at the end, and the sentence is right.");

    // Item 2, önök: a wrong answer beeps, warns and stays for correction.
    rec.clear();
    EXPECT_EQ(ex.picture(), pictureOf(2));
    EXPECT_EQ(ex.label("Label7")->text(), "önök");
    ex.answer(")n0k  ]js'got olvastok.");
    EXPECT_EQ(rec.events, QStringList({"beep", texts::wrong}));
    EXPECT_EQ(rec.messages[0].icon, Icon::Exclamation);
    EXPECT_EQ(ex.answerField()->text(), "Önök újságot olvastok.");
    EXPECT_EQ(ex.picture(), pictureOf(2));
    rec.clear();
    ex.answer(")n0k ]js'got olvasnak.");
    EXPECT_TRUE(rec.events.isEmpty());

    // Item 5 confirmed with the Next button itself, the others with Enter.
    EXPECT_EQ(ex.picture(), pictureOf(5));
    EXPECT_EQ(ex.label("Label7")->text(), "(te)");
    QTest::keyClicks(ex.answerField(), "A konyh'ban f[z0l.");
    click(ex.w, "Siguiente");
    EXPECT_EQ(ex.picture(), pictureOf(1));
    EXPECT_EQ(ex.label("Label7")->text(), "(mi)");
    ex.answer("Az egyetem el[tt 'llunk.");
    EXPECT_EQ(ex.picture(), pictureOf(3));
    ex.answer("Egy aut=t b;relsz.");
    EXPECT_EQ(rec.events, QStringList({"beep", texts::done}));
    EXPECT_EQ(rec.messages.back().detail, "5 of 6 right at the first try · 1 mistake · 1 item waits for review");

    // The reset: Restart has the focus, Next and Solution are gone, and Enter
    // in the answer field no longer presses Next.
    EXPECT_EQ(ex.button("comenzar")->text(), "&Restart");
    EXPECT_EQ(QApplication::focusWidget(), ex.button("comenzar"));
    EXPECT_TRUE(ex.button("Siguiente")->isHidden());
    EXPECT_FALSE(ex.button("Siguiente")->isDefault());
    EXPECT_TRUE(ex.button("Solución")->isHidden());
    EXPECT_TRUE(ex.button("Modelo")->isVisible());
    EXPECT_TRUE(ex.button("Plusd1")->isVisible());
    EXPECT_FALSE(ex.button("Plusd1")->isEnabled());
    EXPECT_TRUE(ex.label("Label2")->isVisible());
    EXPECT_TRUE(ex.label("Label7")->isHidden());
    EXPECT_TRUE(ex.label("Image1")->pixmap().isNull());
    EXPECT_TRUE(ex.answerField()->isVisible());
    rec.clear();
    ex.answerField()->setFocus();
    ex.answer("Egy aut=t b;relsz.");
    EXPECT_TRUE(rec.events.isEmpty());
    EXPECT_EQ(ex.answerField()->text(), "Egy autót bérelsz.");

    // Restart by Enter on the focused button: Next and Solution work again.
    random.script = {pick(3, 6)};
    ex.button("comenzar")->setFocus();
    QTest::keyClick(ex.button("comenzar"), Qt::Key_Return);
    settle();
    EXPECT_TRUE(ex.button("Siguiente")->isVisible());
    EXPECT_TRUE(ex.button("Siguiente")->isEnabled());
    EXPECT_TRUE(ex.button("Siguiente")->isDefault());
    EXPECT_TRUE(ex.button("Solución")->isVisible());
    EXPECT_TRUE(ex.button("Solución")->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), ex.answerField());
    EXPECT_EQ(ex.picture(), pictureOf(3));
    EXPECT_EQ(ex.button("Review")->text(), "Re&view (1)");
    EXPECT_FALSE(ex.button("Review")->isEnabled()); // not while a run goes on
    click(ex.w, "Solución");
    EXPECT_TRUE(ex.label("Label1")->isVisible());
    EXPECT_EQ(ex.label("Label1")->text(), "Autót bérelsz.");
    ex.answer("Aut=t b;relsz.");
    EXPECT_TRUE(rec.events.isEmpty()) << rec.events.join(" | ").toStdString();
    EXPECT_NE(ex.picture(), pictureOf(3));
}

// A right sentence without its full stop is taken, and the reminder says
// so. A "." typed after that, meant for the sentence before, reaches the
// next picture: it gets the wrong-answer box but is no try of it.
TEST(Exercise3Window, TheFullStopReminderSaysTheSentenceWasTakenAndAStrayStopIsNoTry)
{
    RecordingPrompter rec;
    ScriptedRandom random;
    random.script = {pick(0, 6), pick(2, 6)};
    Exercise3 ex = openFromMenu();
    accessKey(ex.w, Qt::Key_S);
    ex.answer("Moziba mentek");
    EXPECT_EQ(rec.events, QStringList{texts::stop});
    EXPECT_EQ(rec.messages[0].detail, "A full stop has been added at the end, and the sentence is right.");
    EXPECT_EQ(ex.picture(), pictureOf(2));

    // Nothing but a stop, a comma or nothing at all: one box, no reminder, and
    // the field as the picture set it up.
    for (const char* stray : {".", " ! ", ",", ""}) {
        SCOPED_TRACE(stray);
        rec.clear();
        ex.answer(QString::fromLatin1(stray));
        EXPECT_EQ(rec.events, QStringList({"beep", texts::wrong}));
        EXPECT_EQ(rec.messages.back().detail, texts::noTry);
        EXPECT_EQ(ex.answerField()->text(), "");
        EXPECT_EQ(ex.picture(), pictureOf(2));
        EXPECT_EQ(child<QLabel>(ex.w, "Progress")->text(), "1 of 6 right · 0 mistakes");
        EXPECT_TRUE(ex.button("Review")->isHidden());
    }
    EXPECT_EQ(answersInRecord(), 1);

    // A wrong sentence without its stop: the reminder says only what it did.
    rec.clear();
    ex.answer(")n0k ]js'got olvastok");
    EXPECT_EQ(rec.events, QStringList({texts::stop, "beep", texts::wrong}));
    EXPECT_EQ(rec.messages[0].detail, "A full stop has been added at the end.");
    EXPECT_EQ(child<QLabel>(ex.w, "Progress")->text(), "1 of 6 right · 1 mistake");
    EXPECT_EQ(answersInRecord(), 2);
}

TEST(Exercise3Window, TheExampleBeforeStartAndStartAfterIt)
{
    Exercise3 ex = openFromMenu();
    click(ex.w, "Modelo");
    EXPECT_EQ(ex.picture(), pictureOf(0));
    EXPECT_TRUE(ex.label("Label7")->isVisible());
    EXPECT_EQ(ex.label("Label7")->text(), "(ti)");
    EXPECT_TRUE(ex.label("Label1")->isVisible());
    EXPECT_EQ(ex.label("Label1")->text(), "Moziba mentek.");
    EXPECT_TRUE(ex.answerField()->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), ex.button("comenzar"));

    click(ex.w, "comenzar");
    EXPECT_TRUE(ex.answerField()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), ex.answerField());
    EXPECT_TRUE(ex.button("Modelo")->isHidden());
    EXPECT_TRUE(ex.label("Label1")->isHidden());
}

TEST(Exercise3Window, SolutionIsHiddenAgainByTheFirstKeystroke)
{
    ScriptedRandom random;
    random.script = {pick(2, 6)};
    Exercise3 ex = openFromMenu();
    click(ex.w, "comenzar");
    accessKey(ex.w, Qt::Key_U);
    EXPECT_TRUE(ex.label("Label1")->isVisible());
    EXPECT_EQ(ex.label("Label1")->text(), "Önök újságot olvasnak.");
    EXPECT_EQ(QApplication::focusWidget(), ex.answerField());
    QTest::keyClick(ex.answerField(), Qt::Key_Apostrophe);
    EXPECT_TRUE(ex.label("Label1")->isHidden());
    EXPECT_EQ(ex.answerField()->text(), "á");
}

// A learner who clicks Next with the mouse types the correction straight on.
TEST(Exercise3Window, AWrongAnswerClickedWithNextLeavesTheFocusInTheAnswerField)
{
    RecordingPrompter rec;
    ScriptedRandom random;
    random.script = {pick(2, 6)};
    Exercise3 ex = openFromMenu();
    click(ex.w, "comenzar");
    QTest::keyClicks(ex.answerField(), "Rossz.");
    click(ex.w, "Siguiente");
    EXPECT_EQ(rec.events, QStringList({"beep", texts::wrong}));
    EXPECT_EQ(QApplication::focusWidget(), ex.answerField());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
    EXPECT_EQ(ex.answerField()->text(), "Rossz.x");
}

TEST(Exercise3Window, ClickingThePictureGivesTheMainWords)
{
    RecordingPrompter rec;
    ScriptedRandom random;
    random.script = {pick(4, 6)};
    Exercise3 ex = openFromMenu();
    const QString nl = "\r\n";

    // Before Start the empty picture names item 0; the focus stays put.
    QTest::mouseClick(ex.label("Image1"), Qt::LeftButton);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "The main words to use in the sentence are:" + nl + nl + QString(24, ' ')
                                        + "megy" + nl + QString(23, ' ') + "mozi");
    EXPECT_EQ(rec.messages[0].icon, Icon::Information);
    EXPECT_EQ(rec.messages[0].title, title);
    EXPECT_EQ(QApplication::focusWidget(), ex.button("comenzar"));

    click(ex.w, "comenzar");
    ex.button("Cerrar")->setFocus();
    QTest::mouseClick(ex.label("Image1"), Qt::LeftButton);
    ASSERT_EQ(rec.messages.size(), 2u);
    EXPECT_TRUE(rec.messages[1].text.endsWith(QString(24, ' ') + "lakik" + nl + QString(23, ' ') + "szálloda"));
    EXPECT_EQ(QApplication::focusWidget(), ex.answerField());
}

TEST(Exercise3Window, PlusThenStartGivesExtendedItemsWithIcons)
{
    RecordingPrompter rec;
    ScriptedRandom random;
    // Item 30 as ők, item 16 with its own subject, item 11 as te, then item 0 as ti.
    random.script = {pick(30, 32), pick(2, 3), pick(16, 32), pick(2, 3), pick(11, 32), pick(1, 3),
                     pick(0, 32),  pick(1, 3)};
    Exercise3 ex = openFromMenu();
    accessKey(ex.w, Qt::Key_P);
    EXPECT_EQ(ex.label("Label5")->text(), "(Extended)");
    EXPECT_TRUE(ex.label("Label2")->isHidden());
    EXPECT_TRUE(ex.button("Plusd1")->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), ex.button("comenzar"));

    click(ex.w, "comenzar");
    EXPECT_EQ(ex.picture(), pictureOf(30));
    EXPECT_TRUE(ex.label("Image2")->isVisible());
    EXPECT_TRUE(ex.label("Label7")->isHidden());
    EXPECT_FALSE(ex.icon().isNull());
    EXPECT_EQ(ex.icon(), iconOf(57));
    ex.answer("{k egy klubban t'ncolnak.");

    EXPECT_EQ(ex.picture(), pictureOf(16));
    EXPECT_TRUE(ex.label("Image2")->isHidden());
    EXPECT_TRUE(ex.label("Label7")->isVisible());
    EXPECT_EQ(ex.label("Label7")->text(), "a tanárnő");
    ex.answer("A tan'rn[ a szob'ban pihen.");

    EXPECT_EQ(ex.picture(), pictureOf(11));
    EXPECT_EQ(ex.icon(), iconOf(52));
    ex.answer("Bankba m;sz.");

    EXPECT_EQ(ex.picture(), pictureOf(0));
    EXPECT_EQ(ex.icon(), iconOf(56));
    EXPECT_TRUE(rec.events.isEmpty()) << rec.events.join(" | ").toStdString();
    EXPECT_TRUE(ex.button("Siguiente")->isVisible());
    EXPECT_EQ(ex.label("Label5")->text(), "(Extended)");

    // The variant never ends: a miss in it is offered for review at once.
    EXPECT_TRUE(ex.button("Review")->isHidden());
    ex.answer("Rossz mondat.");
    EXPECT_TRUE(ex.button("Review")->isEnabled());
    accessKey(ex.w, Qt::Key_V);
    EXPECT_EQ(ex.picture(), pictureOf(0));
    EXPECT_EQ(child<QLabel>(ex.w, "Progress")->text(), "Review: 0 of 1 right · 0 mistakes");
}

TEST(Exercise3Window, CharShowsTheKeyHelpAndFocusesTheShownAnswerField)
{
    Exercise3 ex = openFromMenu();
    QLabel* help = ex.label("Label6");
    click(ex.w, "Command5");
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->text(), "á  ( ' );  é ( ; );  í ( ` );  ó ( = );  ö ( 0 );  ő ( [ );  ú ( ] );  ü ( - );  ű ( \\ )");
    click(ex.w, "Command5");
    EXPECT_TRUE(help->isHidden());

    click(ex.w, "comenzar");
    ex.button("Cerrar")->setFocus();
    click(ex.w, "Command5");
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), ex.answerField());

    // A letter clicked in the line is typed where the learner writes; with Shift, its capital.
    QTest::keyClicks(ex.answerField(), "Az ");
    clickLetter(help, "ö", Qt::ShiftModifier);
    clickLetter(help, "ő");
    EXPECT_EQ(ex.answerField()->text(), "Az Öő");
    EXPECT_EQ(QApplication::focusWidget(), ex.answerField());
}

TEST(Exercise3Window, EveryKeyOfTheTableReachesTheAnswerFieldTranslated)
{
    Exercise3 ex = openFromMenu();
    click(ex.w, "comenzar");
    QTest::keyClicks(ex.answerField(), "';`\\[-0]=\":~|{_)}+ xyz/?");
    EXPECT_EQ(ex.answerField()->text(), "áéíűőüöúóÁÉÍŰŐÜÖÚÓ xyz/?");
}

TEST(Exercise3Window, ButtonOneOpensExerciseOne)
{
    Exercise3 ex = openFromMenu();
    accessKey(ex.w, Qt::Key_1);
    QWidget* h05d1 = window("h05d1");
    ASSERT_NE(h05d1, nullptr);
    EXPECT_EQ(mainWindows(), QStringList{"h05d1"});
    EXPECT_EQ(Module1::exnum, 1);
    EXPECT_FALSE(child<QPushButton>(h05d1, "Command10")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(h05d1, "Command5")->isEnabled());
    EXPECT_EQ(child<QLabel>(h05d1, "Label2")->text(), "1. Put in the correct suffixes:");

    // And its "&3" comes back to a fresh window of exercise 3.
    click(h05d1, "Command6");
    QWidget* again = window("h05d3");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(mainWindows(), QStringList{"h05d3"});
    EXPECT_EQ(again->windowTitle(), title);
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>(again, "comenzar"));
}

TEST(Exercise3Window, CloseBringsTheMenuBack)
{
    Exercise3 ex = openFromMenu();
    click(ex.w, "comenzar");
    click(ex.w, "Cerrar");
    EXPECT_EQ(mainWindows(), QStringList{"alap"});

    // Opening it again starts from the load state, on top.
    click(window("alap"), "AniButton2");
    Exercise3 again{window("h05d3")};
    ASSERT_NE(again.w, nullptr);
    EXPECT_TRUE(again.answerField()->isHidden());
    EXPECT_FALSE(again.button("Siguiente")->isEnabled());
    EXPECT_TRUE(isOnTop(*again.w));
}

TEST(Exercise3Window, OnTopTogglesAndHowToHasThreeParagraphs)
{
    RecordingPrompter rec;
    Exercise3 ex = openFromMenu();
    QAction* ontop = child<QAction>(ex.w, "mnuOntop");
    trigger(ex.w, "mnuOntop");
    EXPECT_FALSE(isOnTop(*ex.w));
    EXPECT_FALSE(ontop->isChecked());
    trigger(ex.w, "mnuOntop");
    EXPECT_TRUE(isOnTop(*ex.w));
    EXPECT_TRUE(ontop->isChecked());
    EXPECT_TRUE(ex.w->isVisible());

    trigger(ex.w, "mnuHow");
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, title);
    EXPECT_EQ(rec.messages[0].icon, Icon::Information);
    EXPECT_EQ(rec.messages[0].text,
              "Click on the \"Start\" button and put your solution. Then click on the \"Next\" button or press the "
              "\"Enter\" key. Go on.\r\n\r\nIf you want to see the main words to be used in the sentence, click "
              "the picture.\r\n\r\nIf you want to see how to type the special Hungarian characters (á, é etc.) on "
              "an English keyboard, click the \"Char\" button. If you want that information to desappear, click "
              "again.");
}

// Listen with the keys alone: Alt+T, each sentence typed as heard, F5
// between, Enter; the end, the variant in My progress, the miss heard again
// in Review. The button has a key of its own, stands clear of every control
// and says why it is disabled while nothing can be heard.
TEST(Exercise3Window, AWholeListenRunTypedFromWhatIsHeard)
{
    RecordingPrompter rec;
    RecordingSpeaker speech;
    ScriptedRandom random; // its own fixed draws
    Exercise3 ex = openFromMenu();
    QPushButton* listen = ex.button("Listen");
    QStringList keys;
    for (auto* b : ex.w->findChildren<QAbstractButton*>())
        keys << QKeySequence::mnemonic(b->text()).toString();
    for (auto* menu : ex.w->findChildren<QMenu*>()) {
        const QList<QAction*> actions = menu->actions() << menu->menuAction();
        for (QAction* a : actions)
            keys << QKeySequence::mnemonic(a->text()).toString();
    }
    EXPECT_EQ(keys.count("Alt+T"), 1) << keys.join(' ').toStdString();
    for (auto* c : listen->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(c == listen || !c->geometry().intersects(listen->geometry())) << c->objectName().toStdString();
    speech.setSilence(noVoice);
    EXPECT_FALSE(listen->isEnabled());
    EXPECT_EQ(listen->toolTip(), noVoice);
    speech.setSilence({});

    accessKey(ex.w, Qt::Key_T);
    EXPECT_FALSE(listen->isEnabled()); // a run with an end is going on
    QString missed;
    for (int n = 0; n < 10; ++n) {
        ASSERT_EQ(speech.said.size(), 2 * n + 1);
        const QString sentence = speech.said.last();
        EXPECT_EQ(sentence, ex.label("Label1")->text());
        EXPECT_TRUE(ex.label("Label7")->isHidden() && ex.label("Image2")->isHidden());
        EXPECT_TRUE(ex.answerField()->accessibleName().contains(QStringLiteral("%1 of 10: it is being said").arg(n + 1)));
        QTest::keyClick(ex.answerField(), Qt::Key_F5);
        EXPECT_EQ(speech.said.last(), sentence);
        if (n == 2) {
            missed = sentence;
            ex.answer(englishKeys(sentence.chopped(1) + "x."));
        }
        ex.answer(englishKeys(sentence));
    }
    EXPECT_EQ(rec.events, QStringList({"beep", texts::wrong, "beep", texts::done}));
    EXPECT_TRUE(rec.messages.back().detail.endsWith(" · 1 mistake · 1 item waits for review"));
    EXPECT_TRUE(listen->isEnabled());

    trigger(ex.w, "mnuProgress");
    QStringList cells;
    for (auto* t : window("progress")->findChildren<QAbstractItemView*>())
        for (int c = 0; t->isVisible() && c < t->model()->columnCount(); ++c)
            cells << t->model()->index(0, c).data().toString();
    EXPECT_TRUE(cells.contains("listen")) << cells.join(" | ").toStdString();
    EXPECT_FALSE(cells.filter(QRegularExpression("^listen: [A-Z]")).isEmpty()) << cells.join(" | ").toStdString();
    window("progress")->close();
    activate(ex.w);
    accessKey(ex.w, Qt::Key_V);
    EXPECT_EQ(speech.said.last(), missed) << "asked again by ear";
    EXPECT_TRUE(ex.label("Label7")->isHidden());
}
