#pragma once
#include "core/speaker.h"
#include "lesson/text.h"
#include "record/review.h"
#include "record/run.h"

#include <QColor>
#include <QString>

namespace lumora {
class Prompter;
}

namespace lumora::h05d5 {

// The text colour a gap has when the window opens: the system's window-text
// colour. An invalid colour stands for it.
inline constexpr QColor normalText{};

// What the logic needs from the window of exercise 5.
class View : public record::ReviewView {
public:
    virtual ~View() = default;

    // Gap g (0..17), the field Text1(g).
    virtual QString gapText(int g) const = 0;
    virtual void setGapText(int g, const QString& text) = 0;
    virtual bool gapEnabled(int g) const = 0;
    virtual void setGapEnabled(int g, bool enabled) = 0;
    virtual void setGapBackground(int g, const QColor& colour) = 0;
    // normalText (an invalid colour) means the system's window-text colour.
    virtual void setGapTextColour(int g, const QColor& colour) = 0;
    // Moves the focus to gap g; a disabled gap cannot take it: then nothing
    // happens and the result is false.
    virtual bool focusGap(int g) = 0;

    // The stem field before gap g (3, 8, 11 or 16).
    virtual QString stemText(int g) const = 0;
    virtual void setStemText(int g, const QString& text) = 0;

    virtual void setPersonCaption(const QString& caption) = 0;
    virtual void setPersonChoice(int person) = 0;  // Combo1 shows that person's item
    virtual void setStartCaption(const QString& caption) = 0;
    virtual void focusStart() = 0;
    virtual void setNextEnabled(bool enabled) = 0;
    virtual void setSolutionEnabled(bool enabled) = 0;
    virtual void setProgressText(const QString& text) = 0; // Progress

    // Options, "Explain mistakes": a wrong answer's box names the mistake.
    virtual bool explainMistakes() const { return true; }
    // Options, "Speak answers": a solved word and Solution are said aloud.
    virtual bool speakAnswers() const { return true; }
};

// Exercise 5: the learner fills the 18 gaps one after another.
class Logic {
public:
    Logic(View& view, Prompter& prompter, record::Recorder& recorder = record::recorder(),
          const record::FirstTries& tried = record::reviewRecord(), Speaker& speaker = lumora::speaker());

    // The window's events.
    void load();                                // the window loads: the Review button
    void start();                               // Command1: Start or Restart
    void personChoice(const QString& itemText); // Combo1: an item chosen
    void gapFocus(int g);                       // a gap field got the focus (its tag)
    void next();                                // Command2, or Enter
    void solution();                            // Command4
    // Review: the text of the person missed longest ago, only the missed
    // gaps open and the others shown solved.
    void review();
    // Hear or F5: says again what was said last; before anything was said in
    // this run, the text up to its first open gap.
    void hear();
    // Shift+F5 in gap g or in the stem before it: the word as typed.
    void hearTyped(int g);

private:
    void Change();  // every gap emptied and closed, the stems reset, until Start
    void Oke();     // a right answer: the gap closed in its colours, on to the next
    void Hiba(const QString& typed);  // a wrong answer: beep, warning, the focus back in the gap
    void dodo();    // moves the focus to the next open gap after the current one

    // Moves the focus to gap g and makes it the current gap; a disabled gap
    // refuses the focus and nothing changes.
    void focus(int g);
    // The suffix list of person p: rag3 for Péter, rag1 for én, ...
    SuffixList& list(int p);
    // What the current gap takes: its suffix, or for a stem gap the whole word.
    QString expected();
    record::Words words(); // the current gap as the learner sees it, for the record
    void resetGap0();
    void showSolved(int g);
    void showProgress();
    void noteSetUp();  // the stems and gaps as the run begins with them
    void say(const QString& text);
    void sayAnswer(const QString& text); // when the learner wants answers said

    View& view;
    Prompter& prompter;
    Speaker& speaker;
    QString said; // in this run
    int gap = 0;
    int okcount = 0;
    int person = 0;  // Péter until one is chosen
    SuffixList rag3, rag1, rag2, rag11, rag22, rag33;
    std::array<int, gapCount> tries{};  // wrong answers on each gap since Start
    struct SetUp {
        QString stem, gap;
    };
    std::array<SetUp, gapCount> setUp;  // each gap (with its stem) as the run set it up
    bool running = false;               // from Start or Review until the text is done
    record::ReviewControl offered;  // the Review button, from the record the review boxes come from
    record::Run run;
};

} // namespace lumora::h05d5
