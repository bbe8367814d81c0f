#include "gui.h"
#include "texts.h"

#include <QPushButton>

using namespace lumora;
using namespace lumora::test;

namespace {

const QString base = texts::title;

// After every step: one main window open, the backdrop behind it, and in the
// window of exercises 1 and 2 exactly one exercise button disabled.
void expectOneWindow(const char* name, const QString& step)
{
    SCOPED_TRACE(step.toStdString());
    EXPECT_EQ(mainWindows(), QStringList{QLatin1String(name)});
    EXPECT_NE(window("hatter"), nullptr);
    if (QWidget* w = window("h05d1")) {
        EXPECT_NE(child<QPushButton>(w, "Command10")->isEnabled(), child<QPushButton>(w, "Command5")->isEnabled());
    }
}

// About from the window's Help menu, then its "&OK": the window stays as it was.
void aboutAndBack(QWidget* w, const char* action)
{
    trigger(w, action);
    QWidget* about = window("sobre");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(child<QPushButton>(about, "Command1")->isVisible());
    click(about, "Command1");
    EXPECT_EQ(window("sobre"), nullptr);
    EXPECT_EQ(window(w->objectName().toLatin1().constData()), w);
}

struct Jump {
    const char* from;
    const char* button;
    const char* to;
};

} // namespace

TEST(Journey, EveryTransitionLeavesExactlyOneMainWindow)
{
    RecordingPrompter rec;
    QWidget* menu = startToMenu();
    expectOneWindow("alap", "splash to menu");

    trigger(menu, "mnuHow");
    EXPECT_EQ(rec.messages.back().title, "     How to ...");
    aboutAndBack(menu, "mnuabout");

    // The menu's four buttons, each followed by Close.
    const std::pair<const char*, const char*> choices[] = {
        {"AniButton1", "h05d1"}, {"AniButton3", "h05d1"}, {"AniButton2", "h05d3"}, {"AniButton4", "h05d5"}};
    for (auto [button, name] : choices) {
        click(window("alap"), button);
        expectOneWindow(name, QStringLiteral("menu %1").arg(button));
        QWidget* w = window(name);
        aboutAndBack(w, "mnuAbout");
        click(w, name == QLatin1String("h05d3") ? "Cerrar" : "Command3");
        expectOneWindow("alap", QStringLiteral("close %1").arg(name));
    }
    trigger(window("alap"), "mnuHow");
    EXPECT_EQ(rec.messages.back().title, base + ": 5.     How to ...");

    // Every jump button of every exercise window.
    click(window("alap"), "AniButton1");
    const Jump jumps[] = {
        {"h05d1", "Command5", "h05d1"},  {"h05d1", "Command6", "h05d3"}, {"h05d3", "Command2", "h05d1"},
        {"h05d1", "Command8", "h05d5"},  {"h05d5", "Command5", "h05d1"}, {"h05d1", "Command10", "h05d1"},
        {"h05d1", "Command6", "h05d3"},  {"h05d3", "Command1", "h05d1"}, {"h05d1", "Command8", "h05d5"},
        {"h05d5", "Command6", "h05d1"},  {"h05d1", "Command6", "h05d3"}, {"h05d3", "Command4", "h05d5"},
        {"h05d5", "Command7", "h05d3"},
    };
    for (const Jump& j : jumps) {
        QWidget* from = window(j.from);
        ASSERT_NE(from, nullptr) << j.from;
        click(from, j.button);
        expectOneWindow(j.to, QStringLiteral("%1 %2").arg(j.from, j.button));
    }
    // The inert buttons change nothing.
    for (auto [name, button] : {std::pair{"h05d3", "Command3"}, {"h05d3", "Command6"}}) {
        auto* b = child<QPushButton>(window(name), button);
        EXPECT_FALSE(b->isEnabled()) << button;
    }

    click(window("h05d3"), "Cerrar");
    expectOneWindow("alap", "close h05d3");
    click(window("alap"), "Command1");
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}
