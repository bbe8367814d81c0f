#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class QAbstractButton;
class QColor;
class QFont;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Controls placed at their twips position (left, top, width, height) on a
// window's client area, named as the windows refer to them.
namespace lumora::controls {

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int l, int t, int w, int h);
QLabel* label(QWidget* parent, const char* name, const QString& text, int l, int t, int w, int h);
QLineEdit* field(QWidget* parent, const char* name, int l, int t, int w, int h);

// A picture that acts on a click, or on Space or Enter once Tab has given it
// the focus. Placed by the caller.
QLabel* clickablePicture(QWidget* parent, const char* name, std::function<void()> action);

// A window that is a plain QWidget is announced as a window, not a filler.
// Call it first: setting a title already fixes how the window is announced.
void announceAsWindow(QWidget* window);

// Whenever the field gets the focus, the caret goes after its last
// character with nothing selected, so that typing continues its text.
void caretToEndOnFocus(QLineEdit* field);

// Shows the meanings of the words a control shows (lesson/meanings.h), a
// line each, after the tooltip and the accessible description the control
// had before the first call; an empty list leaves only those.
void showMeanings(QWidget* control, const QStringList& glosses);

// Sets the background (and, if valid, the text colour) of a widget.
void paint(QWidget* widget, const QColor& background, const QColor& text);

// A button that says something aloud: enabled, with the tip, while speech
// can be heard; otherwise disabled, with the reason as its tooltip and
// description ("No sound output was found.").
void followSpeech(QAbstractButton* button, const QString& tip);
// The same, once, for a button that is also usable only while `offered`.
void showSpeech(QAbstractButton* button, const QString& tip, bool offered);

// The client area of a window: fixed size, given background.
QWidget* clientArea(QWidget* parent, int widthTwips, int heightTwips, const QColor& background);

} // namespace lumora::controls
