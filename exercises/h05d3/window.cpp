#include "exercises/h05d3/window.h"

#include "core/icons.h"
#include "core/platform.h"
#include "core/speaker.h"
#include "lesson/meanings.h"
#include "lesson/pictures.h"
#include "ui/controls.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lumora::h05d3 {
namespace {

const QSize pictureSize(240, 170);

// What the brackets around a person mean, for the person label and "More help...".
const QString brackets = QStringLiteral(
    "A person in brackets, such as (mi), is left out of the sentence: the ending of the verb shows it. A person "
    "without brackets, such as önök, is written in the sentence.");

const QString listenTip = QStringLiteral(
    "Ten pictures whose sentence you hear: write what is said, in the person you hear. F5 says it again.");

QFont heading() { return typeface(QStringLiteral("Arial"), 12, true); }
QFont sentence() { return typeface(QStringLiteral("Times New Roman"), 13.5, true); }

} // namespace

Window::Window()
    : ExerciseWindow({"h05d3", "mnuOpciones", "&OnTop",
                      {QStringLiteral("Click on the \"Start\" button and put your solution. Then click on the "
                                      "\"Next\" button or press the \"Enter\" key. Go on."),
                       QStringLiteral("If you want to see the main words to be used in the sentence, click the "
                                      "picture.")},
                      {brackets}})
{
    QWidget* a = area();

    const CommandRow row = commandRow("comenzar", "Solución", "Cerrar");
    comenzar = row.start;
    solucion = row.solution;
    jumpButtons(Own::Exercise3, {"Command1", "Command2", "Command3", "Command6", "Command4"}, "Label3", 4920,
                1935);

    controls::label(a, "Label4", QStringLiteral("3. Make sentences:"), 240, 600, 2415, 375)->setFont(heading());
    label5 = controls::label(a, "Label5", QString(), 360, 960, 2295, 375);
    label5->setFont(heading());
    label5->setAccessibleDescription(QStringLiteral("mode"));

    // The picture sits in the middle of its frame.
    auto* picture1 = new QFrame(a);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setGeometry(twips(2760, 600, 4095, 2895));
    picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture1->setLineWidth(2);
    auto* image = controls::clickablePicture(picture1, "Image1", [this] { logic.hint(); });
    QRect inFrame(QPoint(), pictureSize);
    inFrame.moveCenter(picture1->rect().center());
    image->setGeometry(inFrame);
    image1 = image;

    modelo = controls::button(a, "Modelo", QStringLiteral("&Example"), 7320, 1800, 1215, 495);
    siguiente = nextButton("Siguiente", 7320, 2400, 1215, 495);
    // Below Next, right of the picture and above the answer field.
    listenButton = controls::button(a, "Listen", QStringLiteral("Lis&ten"), 7320, 3000, 1215, 495);
    connect(&speaker(), &Speaker::silenceChanged, listenButton, [this] { showListen(); });
    defaults.set(nullptr);  // Next is the default button only while items run

    label7 = controls::label(a, "Label7", QString(), 120, 3000, 1695, 495);
    label7->setFont(sentence());
    label7->setAccessibleDescription(QStringLiteral("person"));
    label7->setToolTip(brackets);
    label7->hide();
    image2 = new QLabel(a);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setAccessibleDescription(QStringLiteral("person picture"));
    image2->setGeometry(twips(1920, 2880, 480, 480));
    image2->hide();

    text1 = controls::field(a, "Text1", 600, 3600, 8055, 495);
    text1->setFont(sentence());
    label7->setBuddy(text1);
    text1->hide();
    translateKeys(hunkey, {text1});
    hearTyped({text1}, [this](QWidget*) { logic.hearTyped(text1->text()); });
    label1 = controls::label(a, "Label1", QString(), 600, 4200, 8055, 375);
    label1->setFont(sentence());
    label1->setAccessibleDescription(QStringLiteral("solution"));
    label1->hide();

    const Plus p = plusInvitation("Label2",
                                  QStringLiteral(" If you want to practise with an extended variant  of this "
                                                 "exercise, click the \"Plus\" button:"),
                                  {2760, 4680, 4935, 735}, "Plusd1", {7800, 4680, 735, 495});
    label2 = p.invitation;
    label2->setFont(typeface(QStringLiteral("Arial"), 10));
    plusd1 = p.button;
    charButton("Command5", "Label6", text1);
    // Above Example and Next, right of the picture.
    reviewButton = reviewButtonAt(7320, 1200, 1575, 495);
    // Left of the picture, between the mode line and the person.
    progressLine(120, 1440, 2535, 735);
    hearButton([this] { logic.hear(); });

    connect(comenzar, &QPushButton::clicked, this, [this] { logic.start(); });
    connect(siguiente, &QPushButton::clicked, this, [this] { logic.check(text1->text()); });
    connect(solucion, &QPushButton::clicked, this, [this] { logic.solution(); });
    connect(modelo, &QPushButton::clicked, this, [this] { logic.example(); });
    connect(plusd1, &QPushButton::clicked, this, [this] { logic.plus(); });
    connect(reviewButton, &QPushButton::clicked, this, [this] { logic.review(); });
    connect(listenButton, &QPushButton::clicked, this, [this] { logic.listen(); });
    connect(text1, &QLineEdit::textChanged, this, [this] { logic.typing(); });

    clearPicture();
    loadCommon(QStringLiteral(": 3."));
    logic.load();
}

// Each picture is read from the resources when it is shown, rather than all
// 32 kept in hidden slots from the window's opening.
void Window::showPicture(int item)
{
    image1->setPixmap(picture(picturePath(item), *this));
    image1->setAccessibleName(pictureDescription(item));
    controls::showMeanings(image1, meanings::pictureGlosses(item));
}

void Window::clearPicture()
{
    image1->clear();
    image1->setAccessibleName(QStringLiteral("no picture now"));
    controls::showMeanings(image1, {});
}

void Window::setPersonText(const QString& text)
{
    label7->setText(text);
    controls::showMeanings(label7, meanings::glosses(text));
}
void Window::setPersonShown(bool shown) { label7->setVisible(shown); }

void Window::setPersonIcon(int id)
{
    image2->setPixmap(picture(personIconPath(id), *this));
    image2->setAccessibleName(personIconPronoun(id));
    image2->setToolTip(personIconTip(id));
}
void Window::setPersonIconShown(bool shown) { image2->setVisible(shown); }

void Window::setSolutionText(const QString& text) { label1->setText(text); }
void Window::setSolutionShown(bool shown) { label1->setVisible(shown); }
void Window::setModeText(const QString& text) { label5->setText(text); }
void Window::setPlusInvitationShown(bool shown) { label2->setVisible(shown); }

void Window::setAnswerText(const QString& text) { text1->setText(text); }
void Window::setAnswerShown(bool shown) { text1->setVisible(shown); }
bool Window::answerShown() const { return !text1->isHidden(); }
void Window::focusAnswer() { text1->setFocus(); }
void Window::describeAnswer(const QString& text) { text1->setAccessibleName(text); }

void Window::setStartShown(bool shown) { comenzar->setVisible(shown); }
void Window::setStartCaption(const QString& caption) { comenzar->setText(caption); }
void Window::focusStart() { comenzar->setFocus(); }

void Window::setNextShown(bool shown) { siguiente->setVisible(shown); }
void Window::setNextEnabled(bool enabled) { siguiente->setEnabled(enabled); }
void Window::setNextDefault(bool isDefault) { defaults.set(isDefault ? siguiente : nullptr); }
bool Window::nextShown() const { return !siguiente->isHidden(); }

void Window::setSolutionButtonShown(bool shown) { solucion->setVisible(shown); }
void Window::setSolutionButtonEnabled(bool enabled) { solucion->setEnabled(enabled); }
void Window::setExampleShown(bool shown) { modelo->setVisible(shown); }

void Window::setPlusShown(bool shown) { plusd1->setVisible(shown); }
void Window::setPlusEnabled(bool enabled) { plusd1->setEnabled(enabled); }
bool Window::plusShown() const { return !plusd1->isHidden(); }

void Window::setListenEnabled(bool enabled)
{
    listenOffered = enabled;
    showListen();
}

void Window::showListen() { controls::showSpeech(listenButton, listenTip, listenOffered); }
void Window::setReview(const record::ReviewButton& button) { showReviewButton(reviewButton, button); }
void Window::setProgressText(const QString& text) { showProgress(text); }

bool Window::explainMistakes() const { return ExerciseWindow::explainMistakes(); }
bool Window::speakAnswers() const { return ExerciseWindow::speakAnswers(); }

} // namespace lumora::h05d3
