#include "exercises/h05d1/logic.h"

#include "core/module1.h"
#include "core/prompter.h"
#include "core/random.h"
#include "core/speaker.h"
#include "feedback/diagnosis.h"
#include "lesson/verbs.h"

#include <algorithm>

namespace lumora::h05d1 {
namespace {

// Exercise 1, or else exercise 2.
QString suffix(int exercise) { return exercise == 1 ? QStringLiteral(": 1.") : QStringLiteral(": 2."); }

QString heading(int exercise)
{
    return (exercise == 1 ? QStringLiteral("1.") : QStringLiteral("2."))
           + QStringLiteral("  Put in the correct suffixes:");
}


} // namespace

Logic::Logic(View& view, Prompter& prompter, Random& random, record::Recorder& recorder,
             const record::FirstTries& tried, Speaker& speaker)
    : view(view), prompter(prompter), random(random), speaker(speaker), offered(view, tried), run(recorder)
{
}

void Logic::load()
{
    titleAndHeading();
    itemverb = itemverblista();
    solved = 0;
    item = 0;
    // Nothing to answer before the first Start.
    view.setNextEnabled(false);
    view.setSolutionEnabled(false);
    noItem();
}

void Logic::openAs(int exercise)
{
    this->exercise = exercise;
    view.setExercise1Enabled(exercise != 1);
    view.setExercise2Enabled(exercise == 1);
    view.setHeading(QString::number(exercise) + QStringLiteral(". Put in the correct suffixes:"));
    offered.show(exercise, running);
}

void Logic::noItem() { view.describeEnding(QStringLiteral("ending: no verb now")); }

void Logic::titleAndHeading()
{
    Module1::setmsg();
    Module1::title += suffix(Module1::exnum);
    view.setHeading(heading(Module1::exnum));
    view.setCaption(Module1::title);
}

void Logic::Change()
{
    view.setStartEnabled(true);
    view.setStartCaption(QStringLiteral("&Start"));
    titleAndHeading();
    view.setVerbText({});
    view.setEndingText({});
    view.setPronounText({});
    view.setRecordText({});
    item = 0;
    solved = 0;
    extended = false;
    run.reset();
    showProgress();
    view.clearPersonIcon();
    itemverb = itemverblista();
    view.setPlusPromptVisible(true);
    view.setPlusVisible(true);
    // The run is over: answering now would count against the old run's total.
    view.setNextEnabled(false);
    view.setSolutionEnabled(false);
    noItem();
    reviewing = false;
    running = false;
    said.clear();
    offered.show(exercise, running);
}

void Logic::start()
{
    beginRun();
    const bool first = exercise == 1;
    view.setPronounVisible(first);
    view.setPersonVisible(!first);
    if (extended) {
        run.start(first ? 1 : 2, record::Variant::Extended, 0);
        // Message boxes of the extended variant carry the base title.
        plusz();
    } else {
        Module1::title += suffix(first ? 1 : 2);
        total = exerciseItems(first ? 1 : 2).count;
        run.start(first ? 1 : 2, record::Variant::Basic, total);
        Rand();
        view.setVerbText(currentVerb());
        nevmas();
        spec();
    }
    view.focusEnding();
    view.setStartEnabled(false);
    running = true;
    offered.hold();
    showProgress();
}

void Logic::beginRun()
{
    view.setNextEnabled(true);
    view.setSolutionEnabled(true);
    if (view.plusVisible())
        view.setPlusEnabled(false);
    view.setRecordText({});
    Module1::setmsg();
    said.clear();
}

void Logic::review()
{
    queue = offered.items(exercise);
    if (queue.empty())
        return;
    reviewing = true;
    running = true;
    beginRun();
    Module1::title += suffix(exercise);
    view.setPronounVisible(exercise == 1);
    view.setPersonVisible(exercise != 1);
    total = int(queue.size());
    solved = 0;
    run.start(exercise, record::Variant::Review, total);
    ask();
    view.setStartEnabled(false);
    offered.hold();
    showProgress();
}

void Logic::ask()
{
    const record::ReviewItem& r = queue.at(solved);
    item = r.item;
    tries = 0;
    if (r.extended) {
        if (igeb.isEmpty())
            igeb = igeblista();
        showPerson(r.person);
    } else {
        nevmas();
    }
    view.setVerbText(currentVerb());
    spec();
    view.focusEnding();
}

bool Logic::asksExtended() const { return reviewing ? queue.at(solved).extended : extended; }

void Logic::Rand()
{
    if (exercise == 0)
        return;
    const ItemRange range = exerciseItems(exercise);
    const auto begin = itemverb.cbegin() + range.first;
    // The draw repeats until it hits an open item, so there must be one.
    if (std::all_of(begin, begin + range.count, [](const QString& v) { return v.isEmpty(); }))
        return;
    do
        item = draw(random, range.count, range.first);
    while (itemverb.at(item).isEmpty());
    tries = 0;
}

void Logic::showPerson(int person)
{
    view.setPronounText(pronoun(person));
    view.showPersonIcon(personicon(person));
}

void Logic::nevmas() { showPerson(itemPerson(item)); }

QString Logic::currentVerb() const { return asksExtended() ? igeb.at(item) : itemverb.at(item); }

void Logic::spec()
{
    const QString verb = currentVerb();
    if (prefillsIk(verb))
        view.setEndingText(QStringLiteral("ik"));
    view.setVerbEditable(stemChanges(verb));
    setUpVerb = view.verbText();
    setUpEnding = view.endingText();
    view.describeEnding(QStringLiteral("ending for %1, person %2").arg(verb, view.pronounText()));
}

QString Logic::answer() const
{
    if (asksExtended())
        return extendedAnswer(item, personOf(view.pronounText()));
    return basicAnswer(item);
}

void Logic::next()
{
    // Only the joined text counts, not where the learner split it.
    const QString typed = Module1::trim(view.verbText()) + Module1::trim(view.endingText());
    if (typed == answer()) {
        sayAnswer(pronoun(person()) + u' ' + answer()); // first: the sound starts while the rest is done
        run.answered(recordedItem(), person(), words(), typed, true);
        showProgress();
        correct();
    } else if (Module1::noTry(typed, setUpVerb + setUpEnding, prompter)) {
        view.setVerbText(setUpVerb);
        view.setEndingText(setUpEnding);
    } else {
        wrong(typed);
    }
}

int Logic::person() const { return asksExtended() ? personOf(view.pronounText()) : itemPerson(item); }

record::Words Logic::words() const { return {currentVerb(), pronoun(person()), answer()}; }

int Logic::recordedItem() const { return reviewing ? record::reviewedItem(queue.at(solved)) : item; }

void Logic::showProgress()
{
    view.setProgressText(run.progress());
    // A run of the extended variant has no end to wait for: Review offers
    // its misses as they come.
    if (running && extended && !reviewing)
        offered.show(exercise, false);
}

void Logic::wrong(const QString& typed)
{
    ++tries;
    const feedback::Diagnosis mistake =
        asksExtended() ? feedback::extendedAnswer(item, personOf(view.pronounText()), typed, tries)
                       : feedback::basicAnswer(item, typed, tries);
    run.answered(recordedItem(), person(), words(), typed, false, feedback::recordedKind(mistake.kind));
    showProgress();
    prompter.beep();
    prompter.message(Module1::msgwrong, Module1::title, Icon::Exclamation,
                       view.explainMistakes() ? mistake.text : QString());
}

void Logic::correct()
{
    view.setRecordText(view.recordText() + answer() + QStringLiteral("; "));
    view.setVerbText({});
    view.setEndingText({});
    if (reviewing) {
        if (++solved < total) {
            ask();
            return;
        }
    } else if (extended) {
        plusz();
        return;
    } else {
        itemverb[item].clear();
        ++solved;
        if (solved < total) {
            Rand();
            view.setVerbText(currentVerb());
            view.focusEnding();
            nevmas();
            spec();
            return;
        }
    }
    run.end(true);
    prompter.message(Module1::msgdone, Module1::title, Icon::Exclamation,
                     run.summary(offered.items(exercise)));
    view.setNextEnabled(false);
    view.setSolutionEnabled(false);
    if (view.plusVisible())
        view.setPlusEnabled(true);
    itemverb = itemverblista();
    view.clearPersonIcon();
    view.setPronounText({});
    noItem();
    solved = 0;
    view.setStartEnabled(true);
    view.setStartCaption(QStringLiteral("&Restart"));
    view.focusStart();
    reviewing = false;
    running = false;
    offered.show(exercise, running);
}

void Logic::solution()
{
    sayAnswer(answer());
    run.answered(recordedItem(), person(), words(), std::nullopt, false);
    showProgress();
    prompter.message(Module1::msgsolution + answer(), Module1::title, Icon::Exclamation);
}

void Logic::hear()
{
    if (!said.isEmpty())
        speaker.say(said);
    else if (running)
        speaker.say(pronoun(person()) + QStringLiteral(", ") + currentVerb());
}

void Logic::hearTyped() { say(Module1::trim(view.verbText()) + Module1::trim(view.endingText())); }

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

void Logic::plus()
{
    Change();
    extended = true;
    igeb = igeblista();
    view.setPlusPromptVisible(false);
    view.setPlusVisible(false);
}

void Logic::plusz()
{
    // A candidate is the listed verb with its ending; one found anywhere in
    // the record is drawn again.
    QString candidate;
    do {
        const int person = draw(random, personCount, 1);
        showPerson(person);
        item = draw(random, verbCount);
        candidate = igeb.at(item) + ragb(item, person);
    } while (view.recordText().contains(candidate));
    view.setVerbText(igeb.at(item));
    tries = 0;
    spec();
    view.focusEnding();
}

void Logic::switchTo1() { switchTo(1); }
void Logic::switchTo2() { switchTo(2); }

void Logic::switchTo(int target)
{
    view.setExercise1Enabled(target != 1);
    view.setExercise2Enabled(target != 2);
    Module1::exnum = target;
    exercise = target;
    Change();
}

} // namespace lumora::h05d1
