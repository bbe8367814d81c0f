#pragma once
#include <QSize>
#include <QString>

class QWidget;

namespace lumora {
class Prompter;
}

// The state and procedures that every window shares.
namespace lumora::Module1 {

inline int splashdone = 0;   // 1 once the start-up splash has closed
inline int exnum = 0;        // exercise shown by the window of exercises 1 and 2
inline QString answer;       // the exercise-3 sentence being normalised
inline QString nl;           // line break, set when the menu loads
inline QString title;        // base title plus at most one exercise suffix
inline QString msgwrong;
inline QString msgcapital;
inline QString msgdone;
inline QString msgstop;
inline QString msgsolution;

// Sets the messages and puts title back to its base text.
void setmsg();

// Moves the window so that it is centred on its screen.
void center(QWidget& window);
// Gives the window the size wanted, or less where the screen's available
// area (the screen without its panels) is smaller, frame included, and
// centres it there, so that it opens whole on the screen.
void fitOnScreen(QWidget& window, QSize wanted);

// The text without its leading and trailing spaces; other white space stays.
QString trim(const QString& text);

// Collapses every run of spaces to one space.
void onespace(QString& text);
// Makes the first character a capital; beeps and warns if it was not one.
void capfirst(QString& text, Prompter& prompter);
// Drops a space before a final . ? or !, and appends a full stop (with a
// warning) when the text ends in none of them.
void endmark(QString& text, Prompter& prompter);

// An answer with the letters and digits the item put in its field, and no
// others (nothing typed, the prefilled "ik" alone, a "." meant for the
// answer before), is no try: it gets the wrong-answer box and its beep with
// a line saying so, and the caller records and counts nothing and puts the
// field back as the item set it up. True when the answer was such.
bool noTry(const QString& typed, const QString& setUp, Prompter& prompter);

// A text pasted into a one-line field: each run of line breaks and tabs
// becomes one space.
QString oneLine(const QString& pasted);

} // namespace lumora::Module1
