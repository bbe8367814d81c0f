#include "core/speaker.h"
#include "gui.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>

using namespace lumora;
using namespace lumora::test;

// In each exercise window: Hear in free space with its own access key, F5,
// Shift+F5 in the answer field, Hear disabled while nothing can be heard,
// speech stopped when the window closes and at the End; the Options kept.
TEST(Speech, EachExerciseWindowHearsWithItsButtonAndKeys)
{
    RecordingPrompter rec;
    RecordingSpeaker speech;
    QWidget* menu = startToMenu();
    ASSERT_NE(menu, nullptr);
    const struct {
        const char* button;
        const char* name;
        const char* answer;
        const char* close;
    } windows[] = {{"AniButton1", "h05d1", "Text2", "Command3"},
                   {"AniButton2", "h05d3", "Text1", "Cerrar"},
                   {"AniButton4", "h05d5", "Text1_0", "Command3"}};
    for (const auto& e : windows) {
        SCOPED_TRACE(e.name);
        const int prepared = speech.prepares;
        click(menu, e.button);
        QWidget* w = window(e.name);
        ASSERT_NE(w, nullptr);
        EXPECT_GT(speech.prepares, prepared) << "the voice is got ready with the window";
        auto* hear = child<QPushButton>(w, "Hear");
        EXPECT_EQ(hear->text(), "He&ar");
        EXPECT_EQ(hear->accessibleName(), "Hear");
        EXPECT_TRUE(hear->isEnabled());
        EXPECT_TRUE(hear->toolTip().contains("F5"));
        EXPECT_EQ(hear->accessibleDescription(), hear->toolTip());
        for (auto* c : hear->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(c == hear || c->isHidden() || !c->geometry().intersects(hear->geometry()))
                << c->objectName().toStdString();

        accessKey(w, Qt::Key_S);
        speech.said.clear();
        accessKey(w, Qt::Key_A);
        QTest::keyClick(w, Qt::Key_F5);
        ASSERT_EQ(speech.said.size(), 2);
        EXPECT_FALSE(speech.said[0].isEmpty());
        EXPECT_EQ(speech.said[1], speech.said[0]);
        auto* field = child<QLineEdit>(w, e.answer);
        QTest::keyClicks(field, "x'");
        QTest::keyClick(field, Qt::Key_F5, Qt::ShiftModifier);
        ASSERT_EQ(speech.said.size(), 3);
        EXPECT_TRUE(speech.said[2].endsWith(field->text())) << speech.said[2].toStdString();
        EXPECT_TRUE(speech.said[2].endsWith("xá"));

        speech.setSilence(noSound);
        EXPECT_FALSE(hear->isEnabled());
        EXPECT_EQ(hear->toolTip(), noSound);
        EXPECT_EQ(hear->accessibleDescription(), noSound);
        const int looked = speech.prepares;
        QEvent activation(QEvent::ActivationChange);
        QApplication::sendEvent(w, &activation);
        EXPECT_EQ(speech.prepares, looked + 1) << "coming back to the window looks for a sound output again";
        QTest::keyClick(w, Qt::Key_F5);
        EXPECT_EQ(speech.said.size(), 4) << "F5 still asks, and so finds a sound server started later";
        speech.setSilence({});
        EXPECT_TRUE(hear->isEnabled());

        const int stops = speech.stops;
        click(w, e.close);
        EXPECT_GT(speech.stops, stops);
        menu = window("alap");
        ASSERT_NE(menu, nullptr);
    }

    // Options: speaking answers on and the slow rate off until changed, for good.
    click(menu, "AniButton2");
    QWidget* w = window("h05d3");
    auto* speak = child<QAction>(w, "mnuSpeak");
    auto* slowly = child<QAction>(w, "mnuSlowly");
    EXPECT_EQ(speak->text(), "&Speak answers");
    EXPECT_EQ(slowly->text(), "Speak s&lowly");
    EXPECT_TRUE(speak->isChecked());
    EXPECT_FALSE(slowly->isChecked());
    menuKeys(w, Qt::Key_O, Qt::Key_S);
    menuKeys(w, Qt::Key_O, Qt::Key_L);
    EXPECT_FALSE(QSettings().value(speakAnswersKey).toBool());
    EXPECT_TRUE(QSettings().value(speakSlowlyKey).toBool());
    click(w, "Command1");
    w = window("h05d1");
    EXPECT_FALSE(child<QAction>(w, "mnuSpeak")->isChecked());
    EXPECT_TRUE(child<QAction>(w, "mnuSlowly")->isChecked());

    int stops = speech.stops;
    w->close(); // its close box stops the speech as Close does
    EXPECT_GT(speech.stops, stops);
    stops = speech.stops;
    click(window("alap"), "Command1"); // "&End"
    EXPECT_GT(speech.stops, stops);
}
