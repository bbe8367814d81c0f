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

// Words that say what a control is, not what it shows or asks (unless they
// are what it shows, as on the "Sol&ution" button).
const QStringList roleWords = {"person", "person picture", "picture", "solution", "mode", "sentence", "ending",
                               "animation", "gap"};

// A label with neither text nor picture shows nothing, so there is nothing to say.
bool showsNothing(QWidget* w)
{
    auto* label = qobject_cast<QLabel*>(w);
    return label && label->text().isEmpty() && label->pixmap().isNull() && label->accessibleName().isEmpty();
}

QString shownText(QWidget* w)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text().remove(u'&');
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    return {};
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

// Every control of the window has a name a screen reader can speak, more
// than a role word, and every shown enabled button can be pressed from the keyboard.
void expectSpeakable(const char* name)
{
    QWidget* w = window(name);
    ASSERT_NE(w, nullptr) << name;
    int controls = 0;
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (!isControl(c) || c->objectName().startsWith(QLatin1String("qt_")) || showsNothing(c))
            continue;
        ++controls;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
        ASSERT_NE(a, nullptr);
        const QString spoken = a->text(QAccessible::Name).trimmed();
        EXPECT_FALSE(spoken.isEmpty()) << name << " " << c->objectName().toStdString();
        if (roleWords.contains(spoken.toLower())) {
            EXPECT_EQ(spoken, shownText(c)) << name << " " << c->objectName().toStdString();
        }
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
    QAccessibleInterface* backdrop = QAccessible::queryAccessibleInterface(window("hatter"));
    EXPECT_EQ(backdrop->text(QAccessible::Name), "Lumora");
    EXPECT_EQ(backdrop->role(), QAccessible::Window);
    trigger(menu, "mnuabout");
    expectSpeakable("sobre");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window("sobre"))->role(), QAccessible::Window);
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

// Exercise 2 shows the person only as a picture; the picture is named by the
// pronoun that exercise 1 would show in words.
TEST(Accessibility, ThePersonPictureIsNamedByItsPronoun)
{
    RecordingPrompter rec;
    click(startToMenu(), "AniButton3");
    QWidget* ex2 = window("h05d1");
    click(ex2, "Command1");
    const auto* pronoun = child<QLabel>(ex2, "Label1");
    const auto* picture = child<QLabel>(ex2, "Image1");
    ASSERT_FALSE(picture->pixmap().isNull());
    EXPECT_TRUE(pronoun->isHidden());
    EXPECT_FALSE(pronoun->text().isEmpty());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(const_cast<QLabel*>(picture))->text(QAccessible::Name),
              pronoun->text());
}
