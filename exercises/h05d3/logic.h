#pragma once
#include "core/speaker.h"
#include "lesson/sentences.h"
#include "record/review.h"
#include "record/run.h"

#include <QString>

namespace lumora {
class Prompter;
class Random;
}

namespace lumora::h05d3 {

// Sentences of a Listen run.
constexpr int listenCount = 10;

// What the logic asks of the window of exercise 3. "Shown" means the
// control itself is not hidden, whether or not the window is on screen.
class View : public record::ReviewView {
public:
    virtual ~View() = default;

    // Display image (Image1).
    virtual void showPicture(int item) = 0;
    virtual void clearPicture() = 0;

    // Person label (Label7) and person icon (Image2).
    virtual void setPersonText(const QString& text) = 0;
    virtual void setPersonShown(bool shown) = 0;
    virtual void setPersonIcon(int id) = 0;
    virtual void setPersonIconShown(bool shown) = 0;

    // Solution line (Label1), mode line (Label5), Plus invitation (Label2).
    virtual void setSolutionText(const QString& text) = 0;
    virtual void setSolutionShown(bool shown) = 0;
    virtual void setModeText(const QString& text) = 0;
    virtual void setPlusInvitationShown(bool shown) = 0;

    // Answer field (Text1).
    virtual void setAnswerText(const QString& text) = 0;
    virtual void setAnswerShown(bool shown) = 0;
    virtual bool answerShown() const = 0;
    virtual void focusAnswer() = 0;
    // What the answer field asks for, as a screen reader names the field.
    virtual void describeAnswer(const QString& text) = 0;

    // Start button (comenzar).
    virtual void setStartShown(bool shown) = 0;
    virtual void setStartCaption(const QString& caption) = 0;
    virtual void focusStart() = 0;

    // Next button (Siguiente); the default button is pressed by Enter.
    virtual void setNextShown(bool shown) = 0;
    virtual void setNextEnabled(bool enabled) = 0;
    virtual void setNextDefault(bool isDefault) = 0;
    virtual bool nextShown() const = 0;

    // Solution button (Solución), Example button (Modelo).
    virtual void setSolutionButtonShown(bool shown) = 0;
    virtual void setSolutionButtonEnabled(bool enabled) = 0;
    virtual void setExampleShown(bool shown) = 0;

    // Plus button (Plusd1).
    virtual void setPlusShown(bool shown) = 0;
    virtual void setPlusEnabled(bool enabled) = 0;
    virtual bool plusShown() const = 0;

    // Listen button: usable while no run with an end is going on. The window
    // also disables it while nothing can be heard.
    virtual void setListenEnabled(bool enabled) = 0;

    virtual void setProgressText(const QString& text) = 0; // Progress
    // Options, "Explain mistakes": a wrong answer's box names the mistake.
    virtual bool explainMistakes() const { return true; }
    // Options, "Speak answers": a right sentence and Solution are said aloud.
    virtual bool speakAnswers() const { return true; }
};

// The behaviour of exercise 3: a basic series of six pictures with fixed
// persons, ("Plus") endless random pictures with random persons, or
// ("Listen") ten random ones whose sentence is heard, not its person seen.
// Each public operation is one event of the window.
class Logic {
public:
    Logic(View& view, Prompter& prompter, Random& random, record::Recorder& recorder = record::recorder(),
          const record::FirstTries& tried = record::reviewRecord(), Speaker& speaker = lumora::speaker());

    void load();                       // window load
    void start();                      // comenzar click
    void check(const QString& typed);  // Siguiente click or Enter
    void solution();                   // Solución click
    void typing();                     // Text1 change
    void hint();                       // Image1 click
    void example();                    // Modelo click
    void plus();                       // Plusd1 click
    void review();                     // Review: the pictures waiting for review
    void listen();                     // Listen: a run of sentences to hear and write
    // Hear or F5: says again what was said last; before anything was said in
    // this series, the subject and the main words in their dictionary forms.
    // A sentence to listen to is said again, whatever was said since.
    void hear();
    void hearTyped(const QString& typed); // Shift+F5 in the answer field


private:
    void firstitem(int lo, int hi);  // draws an item in lo..hi, repeats allowed, and shows it
    void nextitem(int lo, int hi);   // draws the next open item, or ends the series
    void setup();                    // shows the item: picture, person, both sentences
    void nevma();                    // the item's person: fixed when basic, drawn when extended
    void Change();                   // after a series: back to the basic variant, nothing shown
    void done();                     // the end of a series
    void ask();                      // shows the review item `asked` with its person
    void showProgress();
    bool endless() const;           // a run of the extended variant, which has no end
    bool listening() const;         // the item shown is heard: in a Listen run or reviewed from one
    int recordedItem() const;       // the item as the record names it
    void offerListen();             // Listen usable or not, as the run stands
    record::Words words() const; // the item as the learner sees it, for the record
    void opening();    // a run of any variant begins: the answer field ready, Plus held
    void answering();  // Next and Solution ready, Example and the solution line away
    void say(const QString& text);
    void sayAnswer(const QString& text); // when the learner wants answers said

    View& view;
    Prompter& prompter;
    Random& random;
    Speaker& speaker;
    QString said; // in this series
    Column al, hata;
    std::array<bool, itemCount> marks{}; // true while the item is open in this series
    int item_ = 0;
    int solved_ = 0;
    bool extended_ = false;
    int personcode_ = 0;
    QString personLabel; // as the person label shows it
    QString sentenceA_, sentenceB_;
    int tries = 0; // wrong answers on the current item
    std::vector<record::ReviewItem> queue; // the review run's items, in order
    bool reviewing = false;
    bool listen_ = false;   // a Listen run
    int asked = 0;          // items right in a review or Listen run (solved_ is the basic series')
    bool running = false; // from Start or Review until the series ends
    record::ReviewControl offered;  // the Review button, from the record the review boxes come from
    record::Run run;
};

} // namespace lumora::h05d3
