#pragma once
#include "shell/defaultbutton.h"

#include <QMainWindow>
#include <QStringList>
#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumora {

// What the three exercise windows share: the Options and Help menus, the
// Close button, Enter pressing the default button and the first load steps.
class ExerciseWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        const char* name;            // window objectName
        const char* optionsMenu;     // objectName of the Options menu
        const char* onTopCaption;    // caption of mnuOntop
        QStringList howTo;           // paragraphs of the How-to message
    };
    explicit ExerciseWindow(const Options& options);

protected:
    // The client area under the menu bar; controls are placed on it in twips.
    // It is 60 twips wider than the 9210 the layout was drawn on, so that the
    // button "&5" at 8760 + 495 is not cut off at the right edge.
    QWidget* area() const { return client; }
    // The Close button, going back to the menu.
    QPushButton* closeButton(const char* name, int l, int t, int w, int h);
    // Flips the check mark of On Top and the stay-on-top state together.
    void toggleOnTop();
    // center, on top once.
    void placeOnScreen();
    // placeOnScreen, then setmsg, title suffix, caption.
    void loadCommon(const QString& suffix);

    // "Go to exercise:" and the buttons "&1" to "&5" at the top right. They
    // open the other exercise windows; "&4" and this window's own button are
    // disabled. The buttons of exercises 1 and 2 are left to the window of
    // those exercises, which switches between them itself.
    enum class Own { Exercise12, Exercise3, Exercise5 };
    std::array<QPushButton*, 5> jumpButtons(Own own, const std::array<const char*, 5>& names, const char* label,
                                            int labelLeft, int labelWidth);

    // The "&Char" button and its hidden key help line below it. Showing the
    // help puts the focus into the answer field, when that is shown.
    QLabel* charButton(const char* button, const char* help, QLineEdit* answer);

    // The progress line of the run (Progress), in the window's free space.
    QLabel* progressLine(int l, int t, int w, int h);
    void showProgress(const QString& text);

    DefaultButton defaults{this};

private:
    QWidget* client;
    QAction* ontop;
    QStringList howTo;
    QLabel* progress = nullptr;
};

} // namespace lumora
