#pragma once
#include "core/prompter.h"

#include <QMainWindow>

namespace lumora {

// The exercise menu.
class Alap : public QMainWindow {
    Q_OBJECT
public:
    Alap();

protected:
    // The title-bar close box does what "&End" does, unless an exercise
    // window has just been opened from here.
    void closeEvent(QCloseEvent* event) override;

private:
    WindowPrompter boxes{this};
};

// The backdrop behind the other windows; no controls. Closing it ends the
// program, as "&End" does.
class Hatter : public QWidget {
    Q_OBJECT
public:
    Hatter();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace lumora
