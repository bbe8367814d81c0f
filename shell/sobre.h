#pragma once
#include "core/prompter.h"
#include "ui/defaultbutton.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace lumora {

// The start-up splash and, once the splash has closed, the About window.
class Sobre : public QWidget {
    Q_OBJECT
public:
    Sobre();
    // About mode: the splash's timer stopped, the normal pointer, "&OK"
    // shown, focused and pressed by Enter.
    void showAbout();

protected:
    // The close box does what "&OK" does; the splash cannot be closed by it.
    void closeEvent(QCloseEvent* event) override;

private:
    void animate();

    QLabel* image1;
    QLabel* frames[3];
    int frame = 0;  // the frame shown in image1
    QPushButton* ok;
    QTimer* splash;
    bool splashing = false;
    WindowPrompter boxes{this};
    DefaultButton defaults{this};
};

} // namespace lumora
