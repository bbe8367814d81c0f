#pragma once
#include "shell/defaultbutton.h"

#include <QMainWindow>
#include <QStringList>

class QAction;
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

    bool onTop() const;
    void toggleOnTop();

protected:
    // The client area under the menu bar; controls are placed on it in twips.
    QWidget* area() const { return client; }
    // The Close button, going back to the menu.
    QPushButton* closeButton(const char* name, int l, int t, int w, int h);
    // center, on top once, setmsg, title suffix, caption.
    void loadCommon(const QString& suffix);

    DefaultButton defaults{this};

private:
    QWidget* client;
    QAction* ontop;
    QStringList howTo;
};

} // namespace lumora
