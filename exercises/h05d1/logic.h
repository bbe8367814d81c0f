#pragma once
#include "record/run.h"

#include <QString>
#include <QStringList>

namespace lumora::h05d1 {

// What the logic needs from the window of exercises 1 and 2.
class View {
public:
    virtual ~View() = default;

    // Verb field (Text1): the stem of the current item.
    virtual QString verbText() const = 0;
    virtual void setVerbText(const QString& text) = 0;
    virtual void setVerbEditable(bool editable) = 0;

    // Ending field (Text2), where the learner types.
    virtual QString endingText() const = 0;
    virtual void setEndingText(const QString& text) = 0;
    virtual void focusEnding() = 0;

    // Record field (Text3): the right answers of the run.
    virtual QString recordText() const = 0;
    virtual void setRecordText(const QString& text) = 0;

    // Pronoun label (Label1).
    virtual QString pronounText() const = 0;
    virtual void setPronounText(const QString& text) = 0;
    virtual void setPronounVisible(bool visible) = 0;

    // Person picture (Image1).
    virtual void showPersonIcon(int personicon) = 0;
    virtual void clearPersonIcon() = 0;
    virtual void setPersonVisible(bool visible) = 0;

    virtual void setHeading(const QString& text) = 0;      // Label2
    virtual void setPlusPromptVisible(bool visible) = 0;   // Label5

    // Start button (Command1).
    virtual void setStartEnabled(bool enabled) = 0;
    virtual void setStartCaption(const QString& caption) = 0;
    virtual void focusStart() = 0;

    virtual void setNextEnabled(bool enabled) = 0;      // Command2
    virtual void setSolutionEnabled(bool enabled) = 0;  // Command4

    // Plus button (Command9).
    virtual void setPlusEnabled(bool enabled) = 0;
    virtual void setPlusVisible(bool visible) = 0;
    virtual bool plusVisible() const = 0;

    // Exercise buttons: "&1" (Command10) and "&2" (Command5). The disabled
    // one is the current exercise.
    virtual bool exercise1Enabled() const = 0;
    virtual void setExercise1Enabled(bool enabled) = 0;
    virtual bool exercise2Enabled() const = 0;
    virtual void setExercise2Enabled(bool enabled) = 0;

    virtual void setCaption(const QString& caption) = 0;  // the window's
    virtual void setProgressText(const QString& text) = 0; // Progress
};

// Exercises 1 and 2: the learner adds the personal ending to a verb.
class Logic {
public:
    explicit Logic(View& view, record::Recorder& recorder = record::recorder());

    // The window's events.
    void load();       // the window loads (after Module1::exnum is set)
    void start();      // Command1: Start or Restart
    void next();       // Command2, or Enter
    void solution();   // Command4
    void plus();       // Command9
    void switchTo1();  // Command10 "&1"
    void switchTo2();  // Command5 "&2"

private:
    void Change();
    void Rand();
    void nevmas();
    void spec();
    void wrong();
    void correct();
    void plusz();

    // 1 or 2 by the disabled exercise button; 0 if neither is disabled.
    int exercise() const;
    void titleAndHeading();
    void showPerson(int person);
    QString currentVerb() const;
    QString answer() const;
    // The person of the current item.
    int person() const;
    void showProgress();

    View& view;
    QStringList itemverb;  // an answered item's entry is emptied for the run
    QStringList igeb;
    int item = 0;
    int solved = 0;
    int total = 0;
    bool extended = false;
    record::Run run;
};

} // namespace lumora::h05d1
