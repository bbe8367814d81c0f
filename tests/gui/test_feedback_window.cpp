#include "core/module1.h"
#include "feedback/analyser.h"
#include "gui.h"
#include "record/store.h"
#include "texts.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QElapsedTimer>
#include <QTimer>
#include <iostream>

using namespace lumora;
using namespace lumora::test;

namespace {

// Exercise 1 from the menu, started on item 0: áll, for mi.
QWidget* openOnItem0(ScriptedRandom& random)
{
    click(window("alap"), "AniButton1");
    QWidget* w = window("h05d1");
    random.script = {0.0};
    click(w, "Command1");
    EXPECT_EQ(child<QLineEdit>(w, "Text1")->text(), "áll");
    return w;
}

// Types keys of an English keyboard into the ending field and presses Enter.
void typeEnding(QWidget* w, const QString& keys)
{
    QLineEdit* field = child<QLineEdit>(w, "Text2");
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, keys);
    QTest::keyClick(field, Qt::Key_Return);
    settle();
}

} // namespace

TEST(FeedbackWindow, AWrongFormIsExplainedUntilTheLearnerTurnsItOffForGood)
{
    RecordingPrompter rec;
    ScriptedRandom random;
    ASSERT_NE(startToMenu(), nullptr);
    QSettings().remove(QStringLiteral("explainMistakes"));

    QWidget* w = openOnItem0(random);
    const QList<QAction*> options = child<QMenu>(w, "mnuOptions")->actions();
    ASSERT_EQ(options.size(), 5);
    EXPECT_EQ(options[0]->objectName(), "mnuOntop");
    EXPECT_EQ(options[1]->objectName(), "mnuExplain");
    EXPECT_EQ(options[4]->objectName(), "mnuProgress");
    EXPECT_EQ(options[1]->text(), "&Explain mistakes");
    EXPECT_TRUE(options[1]->isChecked());

    // "-" is ü through the key translation.
    typeEnding(w, "-nk");
    EXPECT_EQ(rec.events, QStringList({"beep", texts::wrong}));
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, texts::title + ": 1.");
    EXPECT_EQ(rec.messages[0].icon, Icon::Exclamation);
    EXPECT_EQ(rec.messages[0].detail,
              "\"állünk\" breaks the vowel harmony: the vowels of áll decide the vowel of the ending.");

    // The second try on the same item brings the first letter of the ending.
    typeEnding(w, "tok");
    ASSERT_EQ(rec.messages.size(), 2u);
    EXPECT_EQ(rec.messages[1].text, texts::wrong);
    EXPECT_EQ(rec.messages[1].detail, "That is the form for ti. Here the person is mi. The ending starts with \"u\".");

    trigger(w, "mnuExplain");
    typeEnding(w, "-nk");
    ASSERT_EQ(rec.messages.size(), 3u);
    EXPECT_EQ(rec.messages[2].text, texts::wrong);
    EXPECT_EQ(rec.messages[2].detail, "");

    // On disk, where the next start of the program reads it.
    QFile file(QSettings().fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    EXPECT_TRUE(file.readAll().contains("explainMistakes=false"));
    EXPECT_EQ(file.fileName(), qEnvironmentVariable("XDG_CONFIG_HOME") + "/lumora/lumora.conf");

    // Closed and opened again, as after a restart of the program.
    click(w, "Command3");
    w = openOnItem0(random);
    EXPECT_FALSE(child<QAction>(w, "mnuExplain")->isChecked());
    typeEnding(w, "tok");
    ASSERT_EQ(rec.messages.size(), 4u);
    EXPECT_EQ(rec.messages[3].detail, "");

    trigger(w, "mnuExplain");
    click(w, "Command3");
    click(window("alap"), "AniButton1");
    EXPECT_TRUE(child<QAction>(window("h05d1"), "mnuExplain")->isChecked());
}

// A window's box belongs to it and shows the detail as its informative text.
TEST(FeedbackWindow, TheMessageBoxShowsTheDetailAsItsInformativeText)
{
    QStringList seen;
    QList<QWidget*> boxParents;
    auto readAndClose = [&seen, &boxParents] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen << box->text() << box->informativeText();
        boxParents << box->parentWidget();
        box->accept();
    };
    QWidget owner;
    owner.show();
    WindowPrompter boxes(&owner);
    QTimer::singleShot(50, readAndClose);
    boxes.message(QStringLiteral("Sorry"), QStringLiteral("title"), Icon::Exclamation, QStringLiteral("Why."));
    QTimer::singleShot(50, readAndClose);
    boxes.message(QStringLiteral("Sorry"), QStringLiteral("title"), Icon::Exclamation);
    EXPECT_EQ(seen, QStringList({"Sorry", "Why.", "Sorry", ""}));
    EXPECT_EQ(boxParents, QList<QWidget*>({&owner, &owner}));
}

TEST(FeedbackWindow, TheFirstExerciseWindowDoesNotWaitForTheDictionaryAndTheTablesAnswerUntilItIsThere)
{
    RecordingPrompter rec;
    ScriptedRandom random;
    QWidget* menu = startToMenu();
    ASSERT_NE(menu, nullptr);
    QSettings().remove(QStringLiteral("explainMistakes"));
    const feedback::Analyser& analyser = feedback::Analyser::shared();
    EXPECT_FALSE(analyser.requested()) << "start-up must not load the dictionary";

    QElapsedTimer clock;
    clock.start();
    QWidget* w = openOnItem0(random);
    const qint64 opened = clock.elapsed();
    EXPECT_TRUE(analyser.requested());
    EXPECT_FALSE(analyser.ready()) << "the window waited " << opened << " ms for the dictionary";

    // áll for mi: "állnuk" is no slip the tables know; the dictionary tells
    // that it is no word, so two letters must be swapped.
    typeEnding(w, "nuk");
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].detail, "");

    ASSERT_TRUE(analyser.waitUntilReady(20000));
    std::cout << "window shown after " << opened << " ms, dictionary ready after " << clock.elapsed() << " ms\n";
    typeEnding(w, "nuk");
    ASSERT_EQ(rec.messages.size(), 2u);
    EXPECT_EQ(rec.messages[1].detail,
              "Two letters are swapped in the ending: \"nu\". The ending starts with \"u\".");
}

// A window closed while its box is open: the box stays until OK, the window
// lives on until the code that asked for the box is back in the event loop,
// and it opens no more boxes.
TEST(FeedbackWindow, AWindowClosedUnderItsBoxOutlivesTheBoxAndOpensNoMore)
{
    struct Owner : QWidget {
        WindowPrompter boxes{this};
    };
    QPointer<Owner> owner = new Owner;
    owner->setAttribute(Qt::WA_DeleteOnClose);
    owner->show();
    bool shownAfterClose = false;
    int boxesSeen = 0;
    const auto pressOk = [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++boxesSeen;
            box->button(QMessageBox::Ok)->click();
        }
    };
    QTimer::singleShot(50, [&] {
        owner->close();
        settle(); // as the event loop does: every deletion that is due
        shownAfterClose = QApplication::activeModalWidget() && QApplication::activeModalWidget()->isVisible();
        pressOk();
    });
    owner->boxes.message(QStringLiteral("first"), QStringLiteral("title"), Icon::Information);
    ASSERT_FALSE(owner.isNull());
    EXPECT_TRUE(shownAfterClose);
    EXPECT_FALSE(owner->isVisible());

    QTimer::singleShot(50, pressOk); // closes the box, should one wrongly open
    owner->boxes.message(QStringLiteral("second"), QStringLiteral("title"), Icon::Information);
    EXPECT_EQ(boxesSeen, 1);
    settle();
    EXPECT_TRUE(owner.isNull());
}

// A settings file that an earlier start left in the folder of an unnamed
// organisation moves to the program's own folder, and the option the learner
// changes with the keys is kept there.
TEST(Settings, EarlierSettingsMoveToTheProgramsFolderWhereTheOptionIsKept)
{
    const QDir config(qEnvironmentVariable("XDG_CONFIG_HOME"));
    ASSERT_TRUE(config.mkpath(QStringLiteral("Unknown Organization")));
    QFile old(config.filePath(QStringLiteral("Unknown Organization/lumora.conf")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[General]\nexplainMistakes=false\n");
    old.close();

    RecordingPrompter rec;
    accessKey(startToMenu(), Qt::Key_1);
    QWidget* w = window("h05d1");
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(child<QAction>(w, "mnuExplain")->isChecked());
    EXPECT_FALSE(config.exists(QStringLiteral("Unknown Organization")));

    menuKeys(w, Qt::Key_O, Qt::Key_E);
    EXPECT_TRUE(child<QAction>(w, "mnuExplain")->isChecked());
    QFile kept(config.filePath(QStringLiteral("lumora/lumora.conf")));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_TRUE(kept.readAll().contains("explainMistakes=true"));
    // The record stays where it was, outside the settings' folder.
    EXPECT_EQ(record::Store::defaultPath(), qEnvironmentVariable("XDG_DATA_HOME") + "/lumora/record.sqlite");
    EXPECT_TRUE(QFileInfo::exists(record::Store::defaultPath()));
}
