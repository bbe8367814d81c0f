#pragma once
#include "core/keytables.h"
#include "core/prompter.h"
#include "record/review.h"
#include "ui/defaultbutton.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumora {

class LetterTyping;

// What the three exercise windows share: the Options and Help menus, the
// Start / Solution / Close row, the Plus invitation, Next, the Char button,
// the key translation, Enter pressing the default button, the load steps and
// the window's own message boxes.
class ExerciseWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        const char* name;            // window objectName
        const char* optionsMenu;     // objectName of the Options menu
        const char* onTopCaption;    // caption of mnuOntop
        QStringList howTo;           // paragraphs of the How-to message
        QStringList notes = {};      // the window's own paragraphs of "More help..."
    };
    explicit ExerciseWindow(const Options& options);

protected:
    // The exercise on show: 1, 2, 3 or 5.
    virtual int exercise() const = 0;
    // The title-bar close box does what Close does. Either stops the speech.
    void closeEvent(QCloseEvent* event) override;
    // Coming back to the window looks again for a sound output that was missing.
    void changeEvent(QEvent* event) override;

    // The client area under the menu bar; controls are placed on it in twips.
    // It is 60 twips wider than the 9210 the layout was drawn on, so that the
    // button "&5" at 8760 + 495 is not cut off at the right edge.
    QWidget* area() const { return client; }
    // The message boxes and beeps of this window, for its logic.
    Prompter& prompter() { return boxes; }

    // "&Start", "Sol&ution" and "Clos&e" at the top left, by their names.
    // Solution waits for a run; Close goes back to the menu.
    struct CommandRow {
        QPushButton* start;
        QPushButton* solution;
        QPushButton* close;
    };
    CommandRow commandRow(const char* start, const char* solution, const char* close);
    // "&Next" at its place: the default button, disabled until a run starts.
    QPushButton* nextButton(const char* name, int l, int t, int w, int h);
    // The invitation to the extended variant and its "&Plus" button.
    struct Plus {
        QLabel* invitation;
        QPushButton* button;
    };
    Plus plusInvitation(const char* label, const QString& text, const QRect& labelTwips, const char* button,
                                const QRect& buttonTwips);
    // Installs the key translation on the fields.
    void translateKeys(KeyTable table, const QList<QWidget*>& fields);

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

    // Options, "&Explain mistakes": remembered between program starts.
    bool explainMistakes() const;
    // Options, "&Speak answers": a right answer and Solution are said aloud.
    bool speakAnswers() const;

    // "He&ar" in the free space of the top row, and F5 anywhere in the
    // window (also while the button waits for a sound output): hear() says
    // again what was said last.
    QPushButton* hearButton(std::function<void()> hear);
    // Shift+F5 in each answer field: typed(field) says what was typed there.
    void hearTyped(const QList<QWidget*>& fields, std::function<void(QWidget*)> typed);

    // The "&Char" button and its hidden key help line below it. Showing the
    // help puts the focus into the answer field, when that is shown. A click
    // on a letter of the line types it into the answer field that had the
    // focus last (with Shift, the capital).
    QPushButton* charButton(const char* button, const char* help, QLineEdit* answer);

    // The Review button in the window's free space; hidden until the logic shows it.
    QPushButton* reviewButtonAt(int l, int t, int w, int h);
    static void showReviewButton(QPushButton* b, const record::ReviewButton& state);
    // The progress line of the run (Progress), in the window's free space.
    QLabel* progressLine(int l, int t, int w, int h);
    void showProgress(const QString& text);

    DefaultButton defaults{this};

private:
    QWidget* client;
    QAction* ontop;
    QAction* explain;
    QAction* speakAloud;
    QStringList howTo;
    QStringList moreHelp;
    WindowPrompter boxes{this};
    QLabel* progress = nullptr;
    LetterTyping* letters;
};

} // namespace lumora
