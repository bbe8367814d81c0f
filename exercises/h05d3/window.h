#pragma once
#include "core/random.h"
#include "exercises/h05d3/logic.h"
#include "ui/exercisewindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lumora::h05d3 {

// The window of exercise 3: a picture, the person of the sentence and the
// answer field. Each View call sets its named control; each control event
// calls one operation of the logic.
class Window : public ExerciseWindow, private View {
    Q_OBJECT
public:
    Window();

private:
    void showPicture(int item) override;
    void clearPicture() override;
    void setPersonText(const QString& text) override;
    void setPersonShown(bool shown) override;
    void setPersonIcon(int id) override;
    void setPersonIconShown(bool shown) override;
    void setSolutionText(const QString& text) override;
    void setSolutionShown(bool shown) override;
    void setModeText(const QString& text) override;
    void setPlusInvitationShown(bool shown) override;
    void setAnswerText(const QString& text) override;
    void setAnswerShown(bool shown) override;
    bool answerShown() const override;
    void focusAnswer() override;
    void describeAnswer(const QString& text) override;
    void setStartShown(bool shown) override;
    void setStartCaption(const QString& caption) override;
    void focusStart() override;
    void setNextShown(bool shown) override;
    void setNextEnabled(bool enabled) override;
    void setNextDefault(bool isDefault) override;
    bool nextShown() const override;
    void setSolutionButtonShown(bool shown) override;
    void setSolutionButtonEnabled(bool enabled) override;
    void setExampleShown(bool shown) override;
    void setPlusShown(bool shown) override;
    void setPlusEnabled(bool enabled) override;
    bool plusShown() const override;
    void setListenEnabled(bool enabled) override;
    void showListen(); // usable when the logic offers it and speech can be heard
    void setReview(const record::ReviewButton& button) override;
    bool explainMistakes() const override;
    bool speakAnswers() const override;
    int exercise() const override { return 3; }
    void setProgressText(const QString& text) override;

    QPushButton* comenzar;
    QPushButton* siguiente;
    QPushButton* solucion;
    QPushButton* modelo;
    QPushButton* plusd1;
    QPushButton* reviewButton;
    QPushButton* listenButton;
    bool listenOffered = true;
    QLineEdit* text1;
    QLabel* image1; // the current picture
    QLabel* image2; // the person icon
    QLabel* label7; // the person label
    QLabel* label1; // the solution line
    QLabel* label5; // the mode line
    QLabel* label2; // the Plus invitation

    Logic logic{*this, prompter(), random()};
};

} // namespace lumora::h05d3
