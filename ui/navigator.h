#pragma once
#include <functional>

class QWidget;

// The one place that opens windows. Every transition shows the next window
// first and then closes the current one; windows are destroyed on close, so
// each opening starts from its load state.
namespace lumora::navigator {

enum class Window { Menu, Backdrop, About, Exercise12, Exercise3, Exercise5, Progress, Words };

// How a window is made, and how an opened one is put into the mode it was
// asked for (exercise 1 or 2; About rather than the splash).
using Maker = std::function<QWidget*()>;
using ModeSetter = std::function<void(QWidget&, int mode)>;
void registerMaker(Window which, Maker make, ModeSetter setMode = {});

// Registers window class W, made with its default constructor. setMode is
// called as setMode(W&, int) on the opened window: typed, so that a renamed
// member fails to compile.
template <class W, class SetMode>
void registerWindow(Window which, SetMode setMode)
{
    registerMaker(which, [] { return new W; },
                  [setMode](QWidget& w, int mode) { setMode(static_cast<W&>(w), mode); });
}
template <class W>
void registerWindow(Window which)
{
    registerMaker(which, [] { return new W; });
}

// Shows the window (making it if it is not open), then closes `from`.
QWidget* open(Window which, QWidget* from = nullptr);

// Exercise 1 or 2: sets exnum, shows the window in that exercise, then closes
// `from`.
void openExercise12(int exnum, QWidget* from);

// The About window in About mode, whichever window asks.
void openAbout();

// My progress, on the tab of that exercise (1, 2, 3 or 5; 0 from the menu).
void openProgress(int exercise);

// Words of the lesson, showing that exercise's words (1, 2, 3 or 5; 0 from the
// menu: every exercise's).
void openWords(int exercise);

// The window the learner has in front: About, the menu, an exercise window,
// My progress or the backdrop, whichever is open first in that order.
QWidget* frontWindow();

// Whether the menu or an exercise window other than `self` is open: a window
// closing then is one step of a transition, not the learner's close box.
bool anotherMainWindowOpen(const QWidget* self);

// Closes every window and ends the program.
void end();

} // namespace lumora::navigator
