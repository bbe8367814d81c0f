#pragma once
#include <functional>

class QWidget;

// The one place that opens windows. Every transition shows the next window
// first and then closes the current one; windows are destroyed on close, so
// each opening starts from its load state.
namespace lumora::navigator {

enum class Window { Menu, Backdrop, About, Exercise12, Exercise3, Exercise5, Progress };

// How each window is made; registered once at start-up.
void registerWindow(Window which, std::function<QWidget*()> make);

// Shows the window (making it if it is not open), then closes `from`.
QWidget* open(Window which, QWidget* from = nullptr);

// Exercise 1 or 2: sets exnum, shows the window, disables the button of the
// chosen exercise and sets the heading, then closes `from`.
void openExercise12(int exnum, QWidget* from);

// The About window in About mode, whichever window asks.
void openAbout();

// Closes every window and ends the program.
void end();

} // namespace lumora::navigator
