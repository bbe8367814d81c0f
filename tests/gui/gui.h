#pragma once
#include "core/keytables.h"
#include "recording.h"

#include <QAction>
#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace lumora::test {

// The open top-level window with that objectName, or nullptr.
inline QWidget* window(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    return nullptr;
}

// Names of the open windows among the menu and the exercise windows.
inline QStringList mainWindows()
{
    QStringList open;
    for (const char* name : {"alap", "h05d1", "h05d3", "h05d5"})
        if (window(name))
            open << QLatin1String(name);
    return open;
}

// A named child of a window; fails the test if it is missing.
template <class T>
T* child(QWidget* w, const char* name)
{
    T* c = w ? w->findChild<T*>(QString::fromUtf8(name)) : nullptr;
    EXPECT_NE(c, nullptr) << "no " << name;
    return c;
}

// Lets closed windows go and pending events run.
inline void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

inline void trigger(QWidget* w, const char* action)
{
    if (auto* a = child<QAction>(w, action))
        a->trigger();
    settle();
}

inline void click(QWidget* w, const char* button)
{
    if (auto* b = child<QWidget>(w, button))
        QTest::mouseClick(b, Qt::LeftButton);
    settle();
}

// Alt plus the key, as a learner presses an access key. A button pressed so
// reports its click 100 ms later, when it springs back.
inline void accessKey(QWidget* w, Qt::Key key)
{
    QTest::keyClick(w, key, Qt::AltModifier);
    QTest::qWait(150);
    settle();
}

// Makes the window the active one, as a click on it does: access keys work
// only there. The offscreen platform does not give the activation back when
// a popup closes, nor when another window closes.
inline void activate(QWidget* w)
{
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }, 1000));
}

// Alt and a menu's key open that menu of the menu bar; then the item's key picks it.
inline void menuKeys(QWidget* w, Qt::Key menu, Qt::Key item)
{
    activate(w);
    QTest::keyClick(w, menu, Qt::AltModifier);
    const bool opened = QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 1000);
    EXPECT_TRUE(opened);
    if (opened)
        QTest::keyClick(QApplication::activePopupWidget(), item);
    settle();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

// Clicks the letter in the text of a one-line label, as a learner points at it.
inline void clickLetter(QLabel* line, const QString& letter, Qt::KeyboardModifiers modifiers = {})
{
    const QString text = line->text();
    const qreal x = QFontMetricsF(line->font()).horizontalAdvance(text.left(text.indexOf(letter))) + 3;
    QTest::mouseClick(line, Qt::LeftButton, modifiers, QPoint(int(x), line->height() / 2));
}

// The keys that type the text on a learner's English keyboard: the key
// filter turns ' into á, [ into ő and so on.
inline QString englishKeys(const QString& text)
{
    QString keys;
    for (QChar letter : text) {
        QChar key = letter;
        for (char16_t c = 32; c < 127; ++c)
            if (hunkey(QChar(c)) == letter && QChar(c) != letter)
                key = QChar(c);
        keys += key;
    }
    return keys;
}

// Starts the program and waits for the splash to give way to the menu.
QWidget* startToMenu();

} // namespace lumora::test
