#include "exercises/h05d5/logic.h"

#include "core/module1.h"
#include "core/prompter.h"
#include "core/speaker.h"
#include "feedback/diagnosis.h"

namespace lumora::h05d5 {

Logic::Logic(View& view, Prompter& prompter, record::Recorder& recorder, const record::FirstTries& tried,
             Speaker& speaker)
    : view(view), prompter(prompter), speaker(speaker), offered(view, tried), run(recorder)
{
}

void Logic::load() { offered.show(5, running); }

void Logic::start()
{
    for (int g = 0; g < gapCount; ++g) {
        view.setGapEnabled(g, true);
        view.setGapText(g, QString());
    }
    okcount = 0;
    tries.fill(0);
    rag3lista(rag3);
    resetGap0();
    focus(0);
    view.setNextEnabled(true);
    view.setSolutionEnabled(true);
    running = true;
    said.clear();
    offered.hold();
    run.start(5, record::Variant::Basic, gapCount);
    showProgress();
    noteSetUp();
}

void Logic::noteSetUp()
{
    for (int g = 0; g < gapCount; ++g)
        setUp[g] = {stemOf(g) ? view.stemText(g) : QString(), view.gapText(g)};
}

void Logic::review()
{
    const std::vector<record::ReviewItem> items = offered.items(5);
    if (items.empty())
        return;
    const int p = items.front().person;
    view.setPersonCaption(persons[p].caption.toString());
    view.setPersonChoice(p);
    person = p;
    persons[p].fill(list(p));
    for (const Stem& stem : stems)
        view.setStemText(stem.gap, stem.reset.toString());
    std::array<bool, gapCount> open{};
    for (const record::ReviewItem& i : items)
        if (i.person == p && i.item >= 0 && i.item < gapCount)
            open[i.item] = true;
    okcount = 0;
    tries.fill(0);
    resetGap0();
    int first = -1;
    for (int g = 0; g < gapCount; ++g) {
        if (!open[g]) {
            showSolved(g);
            ++okcount;
            continue;
        }
        if (first < 0)
            first = g;
        view.setGapBackground(g, colours(gapKind(g)).unsolved);
        view.setGapTextColour(g, normalText);
        view.setGapText(g, g == 0 ? gap0Text.toString() : QString());
        view.setGapEnabled(g, true);
    }
    run.start(5, record::Variant::Review, gapCount - okcount);
    focus(first);
    view.setNextEnabled(true);
    view.setSolutionEnabled(true);
    running = true;
    said.clear();
    offered.hold();
    showProgress();
    noteSetUp();
}

void Logic::showSolved(int g)
{
    const QString suffix = list(person)[g];
    if (const Stem* stem = stemOf(g))
        view.setStemText(g, stem->whole.chopped(suffix.size()).toString());
    const KindColours& c = colours(gapKind(g));
    view.setGapText(g, suffix);
    view.setGapBackground(g, c.solved);
    view.setGapTextColour(g, c.solvedText ? *c.solvedText : normalText);
    view.setGapEnabled(g, false);
}

void Logic::personChoice(const QString& itemText)
{
    const int p = personOf(itemText);
    if (p >= 0) {
        view.setPersonCaption(persons[p].caption.toString());
        person = p;
        persons[p].fill(list(p));
    }
    Change();
}

void Logic::gapFocus(int g) { gap = g; }

void Logic::next()
{
    // A stem gap is judged, and kept, whole.
    const QString stem = stemOf(gap) ? Module1::trim(view.stemText(gap)) : QString();
    const QString typed = stem + Module1::trim(view.gapText(gap));
    if (typed == expected()) {
        // First: the sound starts while the rest is done.
        sayAnswer(okcount + 1 == gapCount ? spokenText(person) : wholeWord(gap, person));
        run.answered(gap, person, words(), typed, true);
        showProgress();
        Oke();
    } else if (Module1::noTry(typed, setUp[gap].stem + setUp[gap].gap, prompter)) {
        if (stemOf(gap))
            view.setStemText(gap, setUp[gap].stem);
        view.setGapText(gap, setUp[gap].gap);
        focus(gap);
    } else {
        Hiba(typed);
    }
}

void Logic::solution()
{
    sayAnswer(wholeWord(gap, person));
    run.answered(gap, person, words(), std::nullopt, false);
    showProgress();
    prompter.message(Module1::msgsolution + u'-' + list(person)[gap], Module1::title,
                       Icon::Exclamation);
    focus(gap);
}

void Logic::hear()
{
    if (!said.isEmpty()) {
        speaker.say(said);
        return;
    }
    int open = 0;
    while (open < gapCount && !view.gapEnabled(open))
        ++open;
    if (open == gapCount && okcount < gapCount)
        open = 0; // nothing open before Start: the text up to the first gap
    speaker.say(spokenText(person, open));
}

void Logic::hearTyped(int g)
{
    const QString typed = Module1::trim(view.gapText(g));
    say(stemOf(g) ? Module1::trim(view.stemText(g)) + typed : typed.isEmpty() ? QString() : gapWord(g) + typed);
}

void Logic::say(const QString& text)
{
    if (text.isEmpty())
        return;
    said = text;
    speaker.say(text);
}

void Logic::sayAnswer(const QString& text)
{
    if (view.speakAnswers())
        say(text);
}

void Logic::Change()
{
    for (int g = 0; g < gapCount; ++g) {
        view.setGapText(g, QString());
        view.setGapEnabled(g, false);
    }
    for (const Stem& stem : stems)
        view.setStemText(stem.gap, stem.reset.toString());
    okcount = 0;
    tries.fill(0);
    run.reset();
    showProgress();
    resetGap0();
    // Every gap is closed until Start, so there is nothing to check or reveal.
    view.setNextEnabled(false);
    view.setSolutionEnabled(false);
    view.focusStart();
    running = false;
    said.clear();
    offered.show(5, running);
}

void Logic::Oke()
{
    const KindColours& c = colours(gapKind(gap));
    view.setGapBackground(gap, c.solved);
    if (c.solvedText)
        view.setGapTextColour(gap, *c.solvedText);
    view.setGapEnabled(gap, false);
    ++okcount;
    if (okcount == gapCount) {
        run.end(true);
        prompter.message(Module1::msgdone, Module1::title, Icon::Exclamation,
                         run.summary(offered.items(5)));
        view.setStartCaption(QStringLiteral("&Restart"));
        view.setSolutionEnabled(false);
        view.setNextEnabled(false);
        view.setGapEnabled(0, false);
        running = false;
        offered.show(5, running);
    } else {
        dodo();
    }
}

void Logic::Hiba(const QString& typed)
{
    const QString stem = stemOf(gap) ? Module1::trim(view.stemText(gap)) : QString();
    const feedback::Diagnosis mistake =
        feedback::gapAnswer(gap, person, stem, Module1::trim(view.gapText(gap)), ++tries[gap]);
    run.answered(gap, person, words(), typed, false, feedback::recordedKind(mistake.kind));
    showProgress();
    prompter.beep();
    prompter.message(Module1::msgwrong, Module1::title, Icon::Exclamation,
                       view.explainMistakes() ? mistake.text : QString());
    focus(gap);
}

void Logic::dodo()
{
    // One pass at most: with no gap open the focus stays where it is.
    for (int i = 0; i < gapCount; ++i) {
        gap = gap < gapCount - 1 ? gap + 1 : 0;
        if (view.gapEnabled(gap)) {
            focus(gap);
            return;
        }
    }
}

void Logic::focus(int g)
{
    // The window reports the focus through gapFocus too; taking it here keeps
    // the current gap right even if that event comes late.
    if (view.focusGap(g))
        gap = g;
}

SuffixList& Logic::list(int p)
{
    switch (p) {
    case 1: return rag1;
    case 2: return rag2;
    case 3: return rag11;
    case 4: return rag22;
    case 5: return rag33;
    }
    return rag3;
}

QString Logic::expected()
{
    const Stem* stem = stemOf(gap);
    return stem ? stem->whole.toString() : list(person)[gap];
}

record::Words Logic::words() { return {gapWord(gap), persons[person].item.toString(), expected()}; }

void Logic::showProgress() { view.setProgressText(run.progress()); }

void Logic::resetGap0()
{
    view.setGapTextColour(0, normalText);
    view.setGapText(0, gap0Text.toString());
}

} // namespace lumora::h05d5
