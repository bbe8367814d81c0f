#pragma once
#include "core/module1.h"
#include "core/random.h"
#include "exercises/h05d1/logic.h"
#include "ui/exercisewindow.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace lumora::h05d1 {

// The window of exercises 1 and 2.
class Window : public ExerciseWindow, private View {
    Q_OBJECT
public:
    Window();
    // Exercise 1 or 2, as the menu and the other exercise windows open it.
    void openAs(int exnum);

private:
    QString verbText() const override;
    void setVerbText(const QString& text) override;
    void setVerbEditable(bool editable) override;
    QString endingText() const override;
    void setEndingText(const QString& text) override;
    void focusEnding() override;
    void describeEnding(const QString& text) override;
    QString recordText() const override;
    void setRecordText(const QString& text) override;
    QString pronounText() const override;
    void setPronounText(const QString& text) override;
    void setPronounVisible(bool visible) override;
    void showPersonIcon(int personicon) override;
    void clearPersonIcon() override;
    void setPersonVisible(bool visible) override;
    void setHeading(const QString& text) override;
    void setPlusPromptVisible(bool visible) override;
    void setStartEnabled(bool enabled) override;
    void setStartCaption(const QString& caption) override;
    void focusStart() override;
    void setNextEnabled(bool enabled) override;
    void setSolutionEnabled(bool enabled) override;
    void setPlusEnabled(bool enabled) override;
    void setPlusVisible(bool visible) override;
    bool plusVisible() const override;
    void setExercise1Enabled(bool enabled) override;
    void setExercise2Enabled(bool enabled) override;
    void setCaption(const QString& caption) override;
    void setReview(const record::ReviewButton& button) override;
    bool explainMistakes() const override;
    bool speakAnswers() const override;
    int exercise() const override { return Module1::exnum; }
    void setProgressText(const QString& text) override;

    QPushButton* start;
    QPushButton* next;
    QPushButton* solution;
    QPushButton* plus;
    QPushButton* reviewButton;
    std::array<QPushButton*, 5> jump;
    QLabel* heading;
    QPlainTextEdit* record;
    QLabel* picture;
    QLabel* pronoun;
    QLineEdit* verb;
    QLineEdit* ending;
    QLabel* plusPrompt;
    Logic logic{*this, prompter(), random()};
};

} // namespace lumora::h05d1
