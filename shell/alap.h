#pragma once
#include <QMainWindow>

namespace lumora {

// The exercise menu.
class Alap : public QMainWindow {
    Q_OBJECT
public:
    Alap();
};

// The backdrop behind the other windows; no controls, no code.
QWidget* makeHatter();

} // namespace lumora
