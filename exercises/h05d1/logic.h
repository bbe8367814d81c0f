#pragma once
#include "core/speaker.h"
#include "record/review.h"
#include "record/run.h"

#include <QString>
#include <QStringList>

namespace lumora {
class Prompter;
class Random;
}

namespace lumora::h05d1 {

// What the logic needs from the window of exercises 1 and 2.
class View : public record::ReviewView {
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
    // What the ending field asks for, as a screen reader names the field.
    virtual void describeEnding(const QString& text) = 0;

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
    virtual void setExercise1Enabled(bool enabled) = 0;
    virtual void setExercise2Enabled(bool enabled) = 0;

    virtual void setCaption(const QString& caption) = 0;  // the window's
    virtual void setProgressText(const QString& text) = 0; // Progress

    // Options, "Explain mistakes": a wrong answer's box names the mistake.
    virtual bool explainMistakes() const { return true; }
    // Options, "Speak answers": a right answer and Solution are said aloud.
    virtual bool speakAnswers() const { return true; }
};

// Exercises 1 and 2: the learner adds the personal ending to a verb.
class Logic {
public:
    Logic(View& view, Prompter& prompter, Random& random, record::Recorder& recorder = record::recorder(),
          const record::FirstTries& tried = record::reviewRecord(), Speaker& speaker = lumora::speaker());

    // The window's events.
    void load();       // the window loads (after Module1::exnum is set)
    // Opened for exercise 1 or 2 from another window: that exercise's button
    // disabled and the heading with one space after the number.
    void openAs(int exercise);
    void start();      // Command1: Start or Restart
    void next();       // Command2, or Enter
    void solution();   // Command4
    void plus();       // Command9
    void switchTo1();  // Command10 "&1"
    void switchTo2();  // Command5 "&2"
    void review();     // Review: a run over the items waiting for review
    // Hear or F5: says again what was said last; before anything was said in
    // this run, the pronoun and the verb as shown, never the form asked for.
    void hear();
    void hearTyped();  // Shift+F5: the verb and the ending as typed

private:
    void Change();   // resets the window for the exercise in exnum
    void Rand();     // draws an open item of the current exercise
    void nevmas();   // shows the person of the current item
    void spec();     // sets up the fields for the current verb (ik, stem)
    void wrong(const QString& typed);
    void correct();
    void plusz();    // draws the next verb and person of the extended variant
    void switchTo(int exercise);

    void titleAndHeading();
    void showPerson(int person);
    QString currentVerb() const;
    QString answer() const;
    void noItem();
    void ask();          // shows the review item `solved`
    bool asksExtended() const;  // the item on show is an extended pair
    // The person of the current item.
    int person() const;
    // The current item as the learner sees it, for the record.
    record::Words words() const;
    // The item as the record keeps it; in a review run, extended pairs
    // after the basic items.
    int recordedItem() const;
    void showProgress();
    void beginRun();  // Next and Solution usable, Plus held, the record field and messages reset
    void say(const QString& text);
    void sayAnswer(const QString& text);  // when the learner wants answers said

    View& view;
    Prompter& prompter;
    Random& random;
    Speaker& speaker;
    QString said;  // in this run
    int exercise = 0;  // 1 or 2 once opened; its button is the disabled one
    QStringList itemverb;  // an answered item's entry is emptied for the run
    QStringList igeb;
    int item = 0;
    int solved = 0;
    int total = 0;
    bool extended = false;
    int tries = 0;  // wrong answers on the current item
    QString setUpVerb, setUpEnding;  // the two fields as the current item set them up
    std::vector<record::ReviewItem> queue;  // the review run's items, in order
    bool reviewing = false;
    bool running = false;  // from Start or Review until the run ends
    record::ReviewControl offered;  // the Review button, from the record the review boxes come from
    record::Run run;
};

} // namespace lumora::h05d1
