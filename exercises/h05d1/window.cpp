#include "exercises/h05d1/window.h"

#include "core/icons.h"
#include "core/platform.h"
#include "core/random.h"
#include "lesson/meanings.h"
#include "ui/controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace lumora::h05d1 {

using namespace controls;

Window::Window()
    : ExerciseWindow({"h05d1", "mnuOptions", "On&Top",
                      {QStringLiteral("Click the \"Start\" button and put your solution in the gap. Then click on "
                                      "the \"Next\" button or press the \"Enter\" key. Go on.")},
                      {QStringLiteral("The picture beside the verb shows the person: one figure for the singular, "
                                      "two for the plural, and the digit on the heads is the person (1 for én and "
                                      "mi, 2 for te and ti, 3 for ő and ők).")}})
{
    QWidget* a = area();
    const QFont answerFont = typeface(QStringLiteral("Times New Roman"), 13.5, true);

    const CommandRow row = commandRow("Command1", "Command4", "Command3");
    start = row.start;
    solution = row.solution;
    jump = jumpButtons(Own::Exercise12, {"Command10", "Command5", "Command6", "Command7", "Command8"}, "Label4", 4920,
                       1935);

    heading = label(a, "Label2", QString(), 120, 600, 4215, 495);
    heading->setFont(typeface(QStringLiteral("Arial"), 12, true));

    record = new QPlainTextEdit(a);
    record->setObjectName(QStringLiteral("Text3"));
    record->setGeometry(twips(240, 960, 8655, 2535));
    record->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    record->setReadOnly(true);
    record->setAccessibleName(QStringLiteral("right answers"));
    record->setFont(typeface(QStringLiteral("Times New Roman"), 12, true));

    picture = label(a, "Image1", QString(), 1920, 3600, 735, 735);
    picture->setAlignment(Qt::AlignCenter);
    picture->setAccessibleDescription(QStringLiteral("person picture"));
    pronoun = label(a, "Label1", QString(), 2760, 3840, 615, 495);
    pronoun->setAlignment(Qt::AlignCenter);
    pronoun->setAccessibleDescription(QStringLiteral("person"));
    pronoun->setFont(answerFont);
    paint(pronoun, QColor(192, 255, 192), QColor());
    pronoun->hide();
    verb = field(a, "Text1", 3480, 3840, 1815, 495);
    verb->setFont(answerFont);
    verb->setAccessibleName(QStringLiteral("verb stem"));
    caretToEndOnFocus(verb);
    ending = field(a, "Text2", 5280, 3840, 735, 495);
    ending->setFont(answerFont);
    pronoun->setBuddy(ending);
    paint(ending, Qt::white, Qt::red);

    const Plus p = plusInvitation("Label5",
                                  QStringLiteral(" If you want to practise with an extended variant  of this "
                                                 "exercise, click on the \"Plus\" button:"),
                                  {6120, 3720, 3015, 1095}, "Command9", {7320, 4800, 735, 495});
    plusPrompt = p.invitation;
    plus = p.button;
    next = nextButton("Command2", 3600, 4560, 1215, 495);
    charButton("Command11", "Label6", ending);
    // Left of the item row, which leaves this corner empty in both exercises.
    reviewButton = reviewButtonAt(240, 3840, 1575, 495);
    // Right of the heading, above the right answers.
    QLabel* progress = progressLine(4440, 600, 4695, 360);
    progress->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    translateKeys(hunkey, {verb, ending});
    hearButton([this] { logic.hear(); });
    hearTyped({verb, ending}, [this](QWidget*) { logic.hearTyped(); });

    setTabOrder(start, solution);
    setTabOrder(verb, ending);
    setTabOrder(ending, next);

    connect(start, &QPushButton::clicked, this, [this] { logic.start(); });
    connect(next, &QPushButton::clicked, this, [this] { logic.next(); });
    connect(solution, &QPushButton::clicked, this, [this] { logic.solution(); });
    connect(plus, &QPushButton::clicked, this, [this] { logic.plus(); });
    connect(jump[0], &QPushButton::clicked, this, [this] { logic.switchTo1(); });
    connect(jump[1], &QPushButton::clicked, this, [this] { logic.switchTo2(); });
    connect(reviewButton, &QPushButton::clicked, this, [this] { logic.review(); });

    placeOnScreen();
    logic.load();
}

void Window::openAs(int exnum) { logic.openAs(exnum); }

QString Window::verbText() const { return verb->text(); }
void Window::setVerbText(const QString& text)
{
    verb->setText(text);
    showMeanings(verb, meanings::glosses(text));
}
void Window::setVerbEditable(bool editable) { verb->setReadOnly(!editable); }
QString Window::endingText() const { return ending->text(); }
void Window::setEndingText(const QString& text) { ending->setText(text); }
void Window::focusEnding() { ending->setFocus(); }
void Window::describeEnding(const QString& text) { ending->setAccessibleName(text); }
QString Window::recordText() const { return record->toPlainText(); }

void Window::setRecordText(const QString& text)
{
    record->setPlainText(text);
    // Keep the newest entries in view.
    record->moveCursor(QTextCursor::End);
    record->ensureCursorVisible();
}

QString Window::pronounText() const { return pronoun->text(); }
void Window::setPronounText(const QString& text)
{
    pronoun->setText(text);
    showMeanings(pronoun, meanings::glosses(text));
}
void Window::setPronounVisible(bool visible) { pronoun->setVisible(visible); }

void Window::showPersonIcon(int personicon)
{
    picture->setPixmap(lumora::picture(personIconPath(personicon), *this));
    picture->setAccessibleName(personIconPronoun(personicon));
    picture->setToolTip(personIconTip(personicon));
}

void Window::clearPersonIcon()
{
    picture->clear();
    picture->setAccessibleName({});
    picture->setToolTip({});
}

void Window::setPersonVisible(bool visible) { picture->setVisible(visible); }
void Window::setHeading(const QString& text) { heading->setText(text); }
void Window::setPlusPromptVisible(bool visible) { plusPrompt->setVisible(visible); }
void Window::setStartEnabled(bool enabled) { start->setEnabled(enabled); }
void Window::setStartCaption(const QString& caption) { start->setText(caption); }
void Window::focusStart() { start->setFocus(); }
void Window::setNextEnabled(bool enabled) { next->setEnabled(enabled); }
void Window::setSolutionEnabled(bool enabled) { solution->setEnabled(enabled); }
void Window::setPlusEnabled(bool enabled) { plus->setEnabled(enabled); }
void Window::setPlusVisible(bool visible) { plus->setVisible(visible); }
bool Window::plusVisible() const { return !plus->isHidden(); }
void Window::setExercise1Enabled(bool enabled) { jump[0]->setEnabled(enabled); }
void Window::setExercise2Enabled(bool enabled) { jump[1]->setEnabled(enabled); }
void Window::setCaption(const QString& caption) { setWindowTitle(caption); }
void Window::setReview(const record::ReviewButton& button) { showReviewButton(reviewButton, button); }
void Window::setProgressText(const QString& text) { showProgress(text); }

bool Window::explainMistakes() const { return ExerciseWindow::explainMistakes(); }
bool Window::speakAnswers() const { return ExerciseWindow::speakAnswers(); }

} // namespace lumora::h05d1
