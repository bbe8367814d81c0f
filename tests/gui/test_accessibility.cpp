#include "gui.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>

using namespace lumora;
using namespace lumora::test;

namespace {

bool isControl(QWidget* w)
{
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)
           || qobject_cast<QComboBox*>(w) || qobject_cast<QLabel*>(w);
}

// Alt and the caption's access key press the button: no other shown button
// or menu of the window has the same key.
bool hasOwnAccessKey(QWidget* window, QAbstractButton* button)
{
    const QKeySequence key = QKeySequence::mnemonic(button->text());
    if (key.isEmpty())
        return false;
    int uses = 0;
    for (auto* b : window->findChildren<QAbstractButton*>())
        uses += b->isVisible() && b->isEnabled() && QKeySequence::mnemonic(b->text()) == key;
    for (auto* bar : window->findChildren<QMenuBar*>())
        for (QAction* menu : bar->actions())
            uses += menu->isVisible() && QKeySequence::mnemonic(menu->text()) == key;
    return uses == 1;
}

// Tab, pressed again and again from the window's focus, comes to the widget:
// the chain QWidget::focusNextPrevChild follows, stopping where Tab stops.
bool tabReaches(QWidget* window, QWidget* target)
{
    QWidget* from = window->focusWidget() ? window->focusWidget() : window;
    for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain())
        if (w == target)
            return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy() && w->isVisibleTo(window)
                   && w->isEnabled() && window->isAncestorOf(w);
    return false;
}

// Every control of the window has a name a screen reader can speak, and
// every shown enabled button can be pressed from the keyboard.
void expectSpeakable(const char* name)
{
    QWidget* w = window(name);
    ASSERT_NE(w, nullptr) << name;
    int controls = 0;
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (!isControl(c) || c->objectName().startsWith(QLatin1String("qt_")))
            continue;
        ++controls;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
        ASSERT_NE(a, nullptr);
        EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
            << name << " " << c->objectName().toStdString();
        if (auto* b = qobject_cast<QAbstractButton*>(c); b && b->isEnabled() && b->isVisible()) {
            EXPECT_TRUE(hasOwnAccessKey(w, b) || tabReaches(w, b)) << name << " " << b->objectName().toStdString();
        }
    }
    EXPECT_GT(controls, 0) << name;
}

} // namespace

TEST(Accessibility, EveryControlOfEveryWindowHasAName)
{
    RecordingPrompter rec;
    QWidget* menu = startToMenu();
    expectSpeakable("alap");
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(window("hatter"))->text(QAccessible::Name).isEmpty());
    trigger(menu, "mnuabout");
    expectSpeakable("sobre");
    click(window("sobre"), "Command1");
    for (auto [button, name] : {std::pair{"AniButton1", "h05d1"}, {"AniButton2", "h05d3"}, {"AniButton4", "h05d5"}}) {
        click(window("alap"), button);
        expectSpeakable(name);
        click(window(name), name == QLatin1String("h05d3") ? "Cerrar" : "Command3");
    }
}

TEST(Accessibility, TheCreditsOpenFromTheKeyboard)
{
    RecordingPrompter rec;
    QWidget* menu = startToMenu();
    trigger(menu, "mnuabout");
    QWidget* info = child<QWidget>(window("sobre"), "Image2");
    info->setFocus();
    QTest::keyClick(info, Qt::Key_Space);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, "About Lumora!");
}
