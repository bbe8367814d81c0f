#include "exercises/h05d3/logic.h"

#include "core/module1.h"
#include "core/prompter.h"
#include "core/random.h"
#include "core/speaker.h"
#include "feedback/diagnosis.h"
#include "lesson/pictures.h"

#include <QStringList>

#include <algorithm>

namespace lumora::h05d3 {
namespace {

// Draws before nextitem stops drawing and steps to the next open item, so
// that a stuck random source cannot hang the window. With one open item of
// six, a hundred misses in a row is a one-in-a-hundred-million event.
constexpr int maxDraws = 100;

// The answer field's name while no picture is asked about.
const QString noItem = QStringLiteral("sentence: no picture now");

// The line under the full-stop reminder: the learner is told that the
// sentence was taken, or else that the box after it judges the sentence.
const QString stopRight = QStringLiteral("A full stop has been added at the end, and the sentence is right.");
const QString stopAdded = QStringLiteral("A full stop has been added at the end.");

const QString extendedMode = QStringLiteral("(Extended)");

// The answer field's name while a sentence is heard; it names the place in
// the run, so that each new sentence is announced.
const QString heardItem =
    QStringLiteral("sentence you hear, %1 of %2: it is being said now. Type what you hear; F5 says it again.");

// Takes no notice of the warnings: for finding out what normalising makes of a text.
class Unheard : public Prompter {
public:
    void beep() override {}
    void message(const QString&, const QString&, Icon, const QString&) override {}
};

// Passes the boxes on, and gives the full-stop reminder its line.
class StopNote : public Prompter {
public:
    StopNote(Prompter& to, const QString& note) : to(to), note(note) {}
    void beep() override { to.beep(); }
    void message(const QString& text, const QString& title, Icon icon, const QString& detail) override
    {
        to.message(text, title, icon, text == Module1::msgstop ? note : detail);
    }

private:
    Prompter& to;
    const QString& note;
};

} // namespace

Logic::Logic(View& view, Prompter& prompter, Random& random, record::Recorder& recorder,
             const record::FirstTries& tried, Speaker& speaker)
    : view(view), prompter(prompter), random(random), speaker(speaker), offered(view, tried), run(recorder)
{
}

void Logic::load()
{
    allista(al);
    hatalista(hata);
    extended_ = false;
    view.describeAnswer(noItem);
    view.focusStart();
    offerListen();
    offered.show(3, running);
}

// What every run begins with: the answer field ready, Plus held.
void Logic::opening()
{
    view.setAnswerShown(true);
    view.focusAnswer();
    if (view.plusShown())
        view.setPlusEnabled(false);
}

void Logic::start()
{
    reviewing = false;
    listen_ = false;
    opening();

    marks.fill(true); // solved stays: a restart mid-series only reopens the items
    view.setModeText(extended_ ? extendedMode : QString()); // also after a Listen run broken off
    if (extended_) {
        run.start(3, record::Variant::Extended, 0);
        firstitem(0, itemCount - 1);
    } else {
        run.start(3, record::Variant::Basic, basicCount);
        view.setPersonShown(true);
        firstitem(0, basicCount - 1);
    }
    showProgress();

    answering();
}

void Logic::answering()
{
    view.setNextShown(true);
    view.setNextEnabled(true);
    view.setNextDefault(true);
    view.setSolutionButtonShown(true);
    view.setSolutionButtonEnabled(true);
    view.setSolutionShown(false);
    view.setExampleShown(false);
    running = true;
    said.clear();
    if (endless())
        offered.show(3, false);
    else
        offered.hold();
    offerListen();
}

// Like Review, Listen waits for the end of a run, but ends a run that has none.
void Logic::offerListen() { view.setListenEnabled(!running || endless()); }

void Logic::listen()
{
    reviewing = false;
    listen_ = true;
    asked = 0;
    opening();
    view.setModeText(QStringLiteral("(Listen)"));
    run.start(3, record::Variant::Listen, listenCount);
    answering(); // before the first sentence is said, which Hear says again
    firstitem(0, itemCount - 1);
    showProgress();
}

void Logic::review()
{
    queue = offered.items(3);
    if (queue.empty())
        return;
    reviewing = true;
    listen_ = false;
    opening();
    asked = 0;
    run.start(3, record::Variant::Review, int(queue.size()));
    answering();
    ask();
    showProgress();
}

void Logic::ask()
{
    item_ = queue.at(asked).item;
    personcode_ = queue.at(asked).person;
    setup();
}

void Logic::firstitem(int lo, int hi)
{
    item_ = draw(random, hi - lo + 1, lo);
    setup();
}

void Logic::nextitem(int lo, int hi)
{
    const int count = hi - lo + 1;
    if (solved_ < count) {
        // Fewer items are closed than solved, so an open one is always there.
        item_ = draw(random, count, lo);
        for (int draws = 1; !marks[item_] && draws < maxDraws; ++draws)
            item_ = draw(random, count, lo);
        for (int steps = 0; !marks[item_] && steps < count; ++steps)
            item_ = lo + (item_ - lo + 1) % count;
        setup();
        return;
    }
    done();
}

void Logic::done()
{
    run.end(true);
    prompter.beep();
    view.setNextDefault(false);
    prompter.message(Module1::msgdone, Module1::title, Icon::Exclamation, run.summary(offered.items(3)));
    if (view.plusShown())
        view.setPlusEnabled(false);
    view.setStartCaption(QStringLiteral("&Restart"));
    Change();
}

void Logic::setup()
{
    view.showPicture(item_);
    tries = 0;
    nevma();
    const Sentences accepted = sentences(item_, personcode_);
    sentenceA_ = accepted.first;
    sentenceB_ = accepted.second;
    view.setSolutionText(sentenceA_);
    if (!listening()) {
        view.describeAnswer(QStringLiteral("sentence for the picture: %1 Person: %2")
                                .arg(pictureDescription(item_), personLabel));
        return;
    }
    // The person is heard in the sentence, not seen.
    view.setPersonText(QString());
    view.setPersonShown(false);
    view.setPersonIconShown(false);
    const int total = reviewing ? int(queue.size()) : listenCount;
    view.describeAnswer(heardItem.arg(asked + 1).arg(total));
    say(sentenceA_);
}

void Logic::nevma()
{
    if (reviewing) {
        // The person of the missed answer, named by its label.
        personLabel = personcode_ == 3 ? al[item_] : person(personcode_).label.toString();
        view.setPersonText(personLabel);
        view.setPersonShown(true);
        view.setPersonIconShown(false);
        return;
    }
    if (!extended_ && !listen_) {
        personcode_ = basicPerson(item_);
        personLabel = person(personcode_).label.toString();
        view.setPersonText(personLabel);
        return;
    }
    const int choice = draw(random, 3, 1);
    personcode_ = extendedPerson(item_, choice);
    const Person& p = person(personcode_);
    const bool own = personcode_ == 3; // the item's subject stands for the person
    personLabel = own ? al[item_] : p.label.toString();
    view.setPersonText(personLabel);
    view.setPersonIcon(p.icon);
    view.setPersonShown(own);
    view.setPersonIconShown(!own);
}

void Logic::check(const QString& typed)
{
    view.setSolutionShown(false);
    // A field with no word in it is asked about once, before any reminder.
    if (Module1::noTry(typed, QString(), prompter)) {
        view.setAnswerText(QString());
        view.focusAnswer();
        return;
    }
    QString& answer = Module1::answer;
    answer = Module1::trim(typed);
    Module1::onespace(answer);
    // The full-stop reminder says whether the sentence is right, so that is
    // found out first, on a copy and without the warnings.
    QString normalised = answer;
    Unheard unheard;
    Module1::capfirst(normalised, unheard);
    Module1::endmark(normalised, unheard);
    const bool right = normalised == sentenceA_ || normalised == sentenceB_;
    // A heard sentence is not said back: the next one follows at once.
    if (right && !listening())
        sayAnswer(normalised); // while the reminders, if any, are read
    StopNote boxes(prompter, right ? stopRight : stopAdded);
    Module1::capfirst(answer, boxes);
    Module1::endmark(answer, boxes);
    view.setAnswerText(answer);

    if (!right) {
        ++tries;
        const feedback::Diagnosis mistake =
            feedback::sentence(item_, personcode_, sentenceA_, sentenceB_, answer, tries);
        run.answered(recordedItem(), personcode_, words(), answer, false, feedback::recordedKind(mistake.kind));
        showProgress();
        prompter.beep();
        prompter.message(Module1::msgwrong, Module1::title, Icon::Exclamation,
                           view.explainMistakes() ? mistake.text : QString());
        view.focusAnswer(); // also after a mouse click on Next: the correction goes to the field
        return;
    }
    run.answered(recordedItem(), personcode_, words(), answer, true);
    showProgress();
    if (reviewing) {
        if (++asked < int(queue.size()))
            ask();
        else
            done();
    } else if (listen_) {
        if (++asked < listenCount)
            firstitem(0, itemCount - 1);
        else
            done();
    } else if (extended_) {
        nextitem(0, itemCount - 1);
    } else {
        marks[item_] = false;
        ++solved_;
        nextitem(0, basicCount - 1);
    }
    view.setAnswerText(QString());
    if (view.nextShown())
        view.focusAnswer();
    else
        view.focusStart();
}

void Logic::Change()
{
    item_ = 0;
    solved_ = 0;
    extended_ = false;
    marks.fill(true);
    view.clearPicture();
    view.describeAnswer(noItem);
    view.setStartShown(true);
    view.focusStart();
    view.setModeText(QString());
    view.setPlusShown(true);
    view.setPlusInvitationShown(true);
    view.setNextShown(false);
    view.setSolutionButtonShown(false);
    view.setPersonShown(false);
    view.setPersonIconShown(false);
    view.setExampleShown(true);
    reviewing = false;
    listen_ = false;
    running = false;
    offered.show(3, running);
    offerListen();
}

void Logic::showProgress()
{
    view.setProgressText(run.progress());
    if (running && endless())
        offered.show(3, false);
}

// The extended variant has no end to wait for: Review offers its misses as they come.
bool Logic::endless() const { return extended_ && !reviewing && !listen_; }

bool Logic::listening() const { return reviewing ? queue.at(asked).extended : listen_; }

// A review run names a heard item after the seen ones, as the record tells them apart.
int Logic::recordedItem() const { return reviewing ? record::reviewedItem(queue.at(asked)) : item_; }

record::Words Logic::words() const { return {pictureDescription(item_), subject(item_, personcode_), sentenceA_}; }

void Logic::solution()
{
    sayAnswer(sentenceA_);
    run.answered(recordedItem(), personcode_, words(), std::nullopt, false);
    showProgress();
    view.setSolutionShown(true);
    view.focusAnswer();
}

void Logic::hear()
{
    if (running && listening())
        speaker.say(sentenceA_);
    else if (!said.isEmpty())
        speaker.say(said);
    else if (running)
        speaker.say(QStringList{subject(item_, personcode_), dictionaryForm(item_), hata[item_]}.join(u", "));
}

void Logic::hearTyped(const QString& typed) { say(Module1::trim(typed)); }

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

void Logic::typing() { view.setSolutionShown(false); }

void Logic::hint()
{
    const QString& nl = Module1::nl;
    const QString text = QStringLiteral("The main words to use in the sentence are:") + nl + nl
                         + QString(24, u' ') + dictionaryForm(item_) + nl
                         + QString(23, u' ') + hata[item_];
    prompter.message(text, Module1::title, Icon::Information);
    if (view.answerShown())
        view.focusAnswer();
}

void Logic::example()
{
    const Person& p = person(workedExample.person);
    view.setStartShown(true);
    view.setSolutionText(workedExample.sentence.toString());
    view.setSolutionShown(true);
    view.setAnswerShown(false);
    view.focusStart();
    if (extended_) {
        view.setPersonIcon(p.icon);
        view.setPersonIconShown(true);
    } else {
        view.setPersonText(p.label.toString());
        view.setPersonShown(true);
    }
    view.showPicture(workedExample.picture);
}

void Logic::plus()
{
    run.reset();
    showProgress();
    extended_ = true;
    view.focusStart();
    view.setModeText(extendedMode);
    view.setPersonShown(false);
    view.setPlusInvitationShown(false);
    view.setPersonIconShown(true);
    view.setPlusShown(false);
}

} // namespace lumora::h05d3
