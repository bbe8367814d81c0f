#include "core/module1.h"
#include "exercises/h05d3/logic.h"
#include "h05d3_forms.h"
#include "lesson/pictures.h"
#include "recording.h"
#include "texts.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <set>

using namespace lumora;
namespace texts = lumora::test::texts;
using namespace lumora::h05d3;
using lumora::h05d3::test::forms;
using lumora::test::RecordingPrompter;
using lumora::test::RecordingSpeaker;
using lumora::test::ScriptedRandom;

namespace {

// The window's controls as plain members, in their state after load.
class RecordingView : public View {
public:
    int picture = -1; // -1: empty
    QString personText;
    bool personShown = false;
    int icon = 0;
    bool iconShown = false;
    QString solutionText;
    bool solutionShown = false;
    QString modeText;
    bool invitationShown = true;
    QString answerText;
    QStringList answerLog; // every text written into the answer field
    QString answerName;    // what a screen reader hears on it
    bool answerVisible = false;
    QString focus;
    bool startShown = true;
    record::ReviewButton review{false, false, {}};
    QString startCaption = "&Start";
    bool nextVisible = true;
    bool nextEnabled = false;
    bool nextDefault = false;
    bool solutionButtonShown = true;
    bool solutionButtonEnabled = false;
    bool exampleShown = true;
    bool plusVisible = true;
    bool plusEnabled = true;

    void showPicture(int item) override { picture = item; }
    void clearPicture() override { picture = -1; }
    void setPersonText(const QString& text) override { personText = text; }
    void setPersonShown(bool shown) override { personShown = shown; }
    void setPersonIcon(int id) override { icon = id; }
    void setPersonIconShown(bool shown) override { iconShown = shown; }
    void setSolutionText(const QString& text) override { solutionText = text; }
    void setSolutionShown(bool shown) override { solutionShown = shown; }
    void setModeText(const QString& text) override { modeText = text; }
    void setPlusInvitationShown(bool shown) override { invitationShown = shown; }
    void setAnswerText(const QString& text) override
    {
        answerText = text;
        answerLog << text;
    }
    void setAnswerShown(bool shown) override { answerVisible = shown; }
    bool answerShown() const override { return answerVisible; }
    void focusAnswer() override { focus = "answer"; }
    void describeAnswer(const QString& text) override { answerName = text; }
    void setStartShown(bool shown) override { startShown = shown; }
    void setStartCaption(const QString& caption) override { startCaption = caption; }
    void focusStart() override { focus = "start"; }
    void setNextShown(bool shown) override { nextVisible = shown; }
    void setNextEnabled(bool enabled) override { nextEnabled = enabled; }
    void setNextDefault(bool isDefault) override { nextDefault = isDefault; }
    bool nextShown() const override { return nextVisible; }
    void setSolutionButtonShown(bool shown) override { solutionButtonShown = shown; }
    void setSolutionButtonEnabled(bool enabled) override { solutionButtonEnabled = enabled; }
    void setExampleShown(bool shown) override { exampleShown = shown; }
    void setPlusShown(bool shown) override { plusVisible = shown; }
    void setPlusEnabled(bool enabled) override { plusEnabled = enabled; }
    bool plusShown() const override { return plusVisible; }
    void setListenEnabled(bool enabled) override { listenEnabled = enabled; }
    bool listenEnabled = false;
    void setReview(const record::ReviewButton& b) override { review = b; }
    void setProgressText(const QString& text) override { progress = text; }
    bool speakAnswers() const override { return speak; }
    QString progress;
    bool speak = true; // Options, "Speak answers"
};

const QString title = texts::title + ": 3.";
const QString& msgwrong = texts::wrong;
const QString& msgcapital = texts::capital;
const QString& msgstop = texts::stop;
const QString& msgdone = texts::done;

QString capital(QString s)
{
    s[0] = s[0].toUpper();
    return s;
}

class H05d3Logic : public ::testing::Test {
protected:
    H05d3Logic()
    {
        Module1::setmsg();
        Module1::title += ": 3.";
        logic.load();
    }

    // Scripts the next draw to land on index k of n.
    void pick(int k, int n) { rnd.script.push_back((k + 0.5) / n); }
    void startBasic(int item)
    {
        pick(item, basicCount);
        logic.start();
    }
    void startExtended(int item, int choice)
    {
        pick(item, itemCount);
        pick(choice - 1, 3);
        logic.start();
    }
    int msgdoneCount() const { return int(rec.events.count(msgdone)); }
    // Answers the shown item with the sentence; it must be taken as right.
    void expectAccepted(const char* sentence)
    {
        rec.clear();
        logic.check(QString::fromUtf8(sentence));
        EXPECT_FALSE(rec.events.contains(msgwrong)) << sentence;
    }

    RecordingPrompter rec;
    ScriptedRandom rnd;
    RecordingView view;
    Logic logic{view, rec, rnd};
};

} // namespace

TEST_F(H05d3Logic, BasicRowsHaveTheirFixedPersonsAndSentences)
{
    struct Row {
        const char* label;
        const char* a;
        const char* b;
    };
    const Row rows[basicCount] = {
        {"(ti)", "A moziba mentek.", "Moziba mentek."},
        {"(mi)", "Az egyetem előtt állunk.", "Az egyetem előtt állunk."},
        {"önök", "Önök újságot olvasnak.", "Önök újságot olvasnak."},
        {"(te)", "Autót bérelsz.", "Egy autót bérelsz."},
        {"(én)", "Szállodában lakom.", "A szállodában lakom."},
        {"(te)", "A konyhában főzöl.", "A konyhában főzöl."},
    };
    for (int k = 0; k < basicCount; ++k) {
        SCOPED_TRACE(k);
        startBasic(k);
        EXPECT_EQ(view.picture, k);
        EXPECT_EQ(view.solutionText, QString::fromUtf8(rows[k].a));
        EXPECT_EQ(view.personText, QString::fromUtf8(rows[k].label));
        EXPECT_TRUE(view.personShown);
        EXPECT_FALSE(view.iconShown);
        EXPECT_FALSE(view.solutionShown);
        expectAccepted(rows[k].b);
    }
}

TEST_F(H05d3Logic, EveryExtendedPairBuildsBothSentencesByTheRule)
{
    Column al, hat, hatb;
    allista(al);
    hatlista(hat);
    hatblista(hatb);
    logic.plus();
    for (int k = 0; k < itemCount; ++k) {
        for (int choice = 1; choice <= 3; ++choice) {
            SCOPED_TRACE(testing::Message() << "item " << k << " choice " << choice);
            startExtended(k, choice);
            const bool third = choice == 3;
            const int code = (singular(k) ? 1 : 11) * choice;
            const QString subject = !third ? QString() : singular(k) ? al[k] + " " : "ők ";
            const QString verb = QString::fromUtf8(forms[k][choice - 1]);
            ASSERT_EQ(view.picture, k);
            EXPECT_EQ(view.solutionText, capital(subject + hat[k] + " " + verb + "."));
            // The item's own subject is a label; every other person is an icon.
            const bool own = code == 3;
            EXPECT_EQ(view.personShown, own);
            EXPECT_EQ(view.iconShown, !own);
            if (own)
                EXPECT_EQ(view.personText, al[k]);
            else
                EXPECT_EQ(view.icon, person(code).icon);
            expectAccepted(capital(subject + hatb[k] + " " + verb + ".").toUtf8().constData());
        }
    }
}

TEST_F(H05d3Logic, TellingExtendedSentences)
{
    struct Row {
        int item, choice;
        const char* a;
        const char* b;
    };
    const Row rows[] = {
        {0, 3, "Ők a moziba mennek.", "Ők moziba mennek."},
        {4, 3, "Kis úr szállodában lakik.", "Kis úr a szállodában lakik."},
        {4, 1, "Szállodában lakom.", "A szállodában lakom."},
        {4, 2, "Szállodában laksz.", "A szállodában laksz."},
        {6, 1, "Ezer forintot fizetek.", "1000 forintot fizetek."},
        {10, 2, "Televíziót nézel.", "Tévét nézel."},
        {11, 2, "A bankba mész.", "Bankba mész."},
        {16, 3, "A tanárnő a szobában pihen.", "A tanárnő a szobában pihen."},
        {29, 2, "Az egyetemre mentek.", "Az egyetemre mentek."},
        {29, 1, "Az egyetemre megyünk.", "Az egyetemre megyünk."},
        {30, 3, "Ők a klubban táncolnak.", "Ők egy klubban táncolnak."},
    };
    logic.plus();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.a);
        startExtended(r.item, r.choice);
        EXPECT_EQ(view.solutionText, QString::fromUtf8(r.a));
        if (r.choice == 3 && !singular(r.item)) {
            EXPECT_EQ(view.personText, "ők");
        }
        expectAccepted(r.b);
    }
}

TEST_F(H05d3Logic, BasicSeriesEndsAfterSixRightAnswersWithNoItemTwice)
{
    logic.start();
    EXPECT_FALSE(view.plusEnabled);
    std::set<int> seen;
    for (int n = 1; n <= basicCount; ++n) {
        SCOPED_TRACE(n);
        ASSERT_EQ(msgdoneCount(), 0);
        EXPECT_TRUE(seen.insert(view.picture).second) << "item " << view.picture << " came twice";
        EXPECT_GE(view.picture, 0);
        EXPECT_LT(view.picture, basicCount);
        // The answer field names the picture it asks about and the person.
        EXPECT_TRUE(view.answerName.contains(pictureDescription(view.picture))) << view.answerName.toStdString();
        EXPECT_TRUE(view.answerName.endsWith(" " + view.personText)) << view.answerName.toStdString();
        logic.check(view.solutionText);
        EXPECT_TRUE(rec.messages.empty() || n == basicCount);
    }
    EXPECT_EQ(rec.events, QStringList({"beep", msgdone}));
    EXPECT_EQ(rec.messages.at(0).title, title);
    EXPECT_EQ(rec.messages.at(0).icon, Icon::Exclamation);

    // The reset.
    EXPECT_EQ(view.startCaption, "&Restart");
    EXPECT_TRUE(view.startShown);
    EXPECT_EQ(view.focus, "start");
    EXPECT_FALSE(view.nextVisible);
    EXPECT_FALSE(view.nextDefault);
    EXPECT_FALSE(view.solutionButtonShown);
    EXPECT_EQ(view.picture, -1);
    EXPECT_FALSE(view.answerName.contains(pictureDescription(basicCount - 1).left(10)));
    EXPECT_FALSE(view.personShown);
    EXPECT_FALSE(view.iconShown);
    EXPECT_TRUE(view.exampleShown);
    EXPECT_TRUE(view.invitationShown);
    EXPECT_TRUE(view.plusVisible);
    EXPECT_FALSE(view.plusEnabled);
    EXPECT_TRUE(view.answerVisible);
    EXPECT_EQ(view.answerText, "");

    // Restart: a new series with usable buttons, but no Plus any more.
    logic.start();
    EXPECT_TRUE(view.nextVisible && view.nextEnabled && view.nextDefault);
    EXPECT_TRUE(view.solutionButtonShown && view.solutionButtonEnabled);
    EXPECT_FALSE(view.exampleShown);
    EXPECT_FALSE(view.plusEnabled);
    EXPECT_EQ(view.modeText, "");
    for (int n = 1; n <= basicCount; ++n)
        logic.check(view.solutionText);
    EXPECT_EQ(msgdoneCount(), 2);
}

TEST_F(H05d3Logic, StartDuringASeriesReopensTheItemsButKeepsSolved)
{
    logic.start();
    logic.check(view.solutionText);
    logic.check(view.solutionText);
    logic.start();
    for (int n = 1; n <= 3; ++n)
        logic.check(view.solutionText);
    EXPECT_EQ(msgdoneCount(), 0);
    logic.check(view.solutionText);
    EXPECT_EQ(msgdoneCount(), 1);
}

TEST_F(H05d3Logic, AStuckRandomSourceStillReachesTheLastOpenItem)
{
    startBasic(0);
    for (int k = 1; k <= 4; ++k) {
        pick(k, basicCount);
        logic.check(view.solutionText);
        ASSERT_EQ(view.picture, k);
    }
    // Items 0..4 are closed; every draw from now on lands on item 0.
    for (int n = 0; n < 1000; ++n)
        pick(0, basicCount);
    logic.check(view.solutionText);
    EXPECT_EQ(view.picture, 5);
    EXPECT_EQ(view.solutionText, "A konyhában főzöl.");
    EXPECT_EQ(msgdoneCount(), 0);
    rnd.script.clear();
    logic.check(view.solutionText);
    EXPECT_EQ(msgdoneCount(), 1);
}

TEST_F(H05d3Logic, ExtendedRunsWithoutEndAndKeepsTheNumberOfEachItem)
{
    logic.plus();
    logic.start();
    EXPECT_TRUE(view.plusEnabled) << "a hidden Plus button is left alone";
    std::set<int> items;
    for (int n = 0; n < 400; ++n) {
        const int k = view.picture;
        items.insert(k);
        // A singular item's own subject is a label; every other person an icon of the item's number.
        const std::set<int> icons = singular(k) ? std::set<int>{person(1).icon, person(2).icon}
                                                : std::set<int>{person(11).icon, person(22).icon, person(33).icon};
        if (view.personShown)
            ASSERT_TRUE(singular(k)) << "item " << k;
        else
            ASSERT_TRUE(icons.contains(view.icon)) << "item " << k << " icon " << view.icon;
        logic.check(view.solutionText);
    }
    EXPECT_EQ(items.size(), std::size_t(itemCount));
    EXPECT_TRUE(rec.events.isEmpty());
    EXPECT_TRUE(view.nextVisible);
    EXPECT_EQ(view.focus, "answer");
}

TEST_F(H05d3Logic, ExtendedItemMayFollowItself)
{
    logic.plus();
    startExtended(7, 1);
    pick(7, itemCount);
    pick(1, 3);
    logic.check(view.solutionText);
    EXPECT_EQ(view.picture, 7);
    EXPECT_EQ(view.solutionText, "Kalapot kérsz.");
}

TEST_F(H05d3Logic, CheckNormalisesWithWarningsThenAccepts)
{
    struct Case {
        const char* typed;
        QStringList events;
        const char* written;
    };
    const Case cases[] = {
        {"a moziba mentek.", {"beep", msgcapital}, "A moziba mentek."},
        {"Moziba mentek", {msgstop}, "Moziba mentek."},
        {"Moziba mentek .", {}, "Moziba mentek."},
        {"  A  moziba   mentek.  ", {}, "A moziba mentek."},
        {"moziba  mentek", {"beep", msgcapital, msgstop}, "Moziba mentek."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        RecordingView fresh;
        Logic l{fresh, rec, rnd};
        l.load();
        pick(0, basicCount);
        l.start();
        rec.clear();
        l.check(QString::fromUtf8(c.typed));
        EXPECT_EQ(rec.events, c.events);
        for (const auto& m : rec.messages)
            EXPECT_EQ(m.title, title);
        EXPECT_EQ(fresh.answerLog, QStringList({QString::fromUtf8(c.written), ""}));
        EXPECT_EQ(fresh.focus, "answer");
    }
}

// The basic series as the textbook has it. Hear, while nothing has been
// said, gives the subject and the main words, never the sentence; with
// "Speak answers" a right sentence is said as soon as it is judged, before
// the reminders about its capital and full stop, and Hear says it again.
TEST_F(H05d3Logic, SpeechSaysEachSentenceOnceRightAndNeverBefore)
{
    RecordingSpeaker speech;
    speech.events = &rec.events;
    const struct {
        const char* prompt;
        const char* sentence;
    } series[basicCount] = {
        {"ti, megy, mozi", "Moziba mentek."},           {"mi, áll, egyetem", "Az egyetem előtt állunk."},
        {"önök, olvas, újság", "Önök újságot olvasnak."}, {"te, bérel, autó", "Autót bérelsz."},
        {"én, lakik, szálloda", "Szállodában lakom."},  {"te, főz, konyha", "A konyhában főzöl."},
    };
    logic.hear();
    EXPECT_TRUE(speech.said.isEmpty()) << "nothing to hear before Start";
    for (bool speak : {false, true}) {
        view.speak = speak;
        startBasic(0);
        for (int k = 0; k < basicCount; ++k) {
            const QString sentence = QString::fromUtf8(series[k].sentence);
            const QString say = QStringLiteral("say ") + sentence;
            rec.clear();
            logic.hear();
            const QString heard = speak && k > 0 ? QStringLiteral("say ") + QString::fromUtf8(series[k - 1].sentence)
                                                 : QStringLiteral("say ") + QString::fromUtf8(series[k].prompt);
            ASSERT_EQ(rec.events, QStringList{heard});
            EXPECT_TRUE(speak || !heard.contains(sentence.split(u' ').last().chopped(1))) << "gives the verb away";
            if (k + 1 < basicCount)
                pick(k + 1, basicCount);
            rec.clear();
            logic.solution(); // says the sentence it shows
            const QString solution = QStringLiteral("say ") + view.solutionText;
            if (k == 0) {
                logic.check(QStringLiteral("moziba mentek"));
                EXPECT_EQ(rec.events, speak ? QStringList({solution, say, "beep", msgcapital, msgstop})
                                            : QStringList({"beep", msgcapital, msgstop}));
            } else {
                logic.check(sentence);
                EXPECT_EQ(rec.events.filter(QStringLiteral("say ")),
                          speak ? QStringList({solution, say}) : QStringList())
                    << k;
            }
        }
    }
    rec.clear();
    logic.hear();
    logic.hearTyped(QStringLiteral("  Moziba menünk "));
    EXPECT_EQ(rec.events, QStringList({"say A konyhában főzöl.", "say Moziba menünk"}));
}

TEST_F(H05d3Logic, WrongAnswerBeepsWarnsAndChangesNothing)
{
    startBasic(2);
    view.solutionShown = true;
    for (const char* typed : {"Újságot olvasnak.", "Önök  újságot olvas", "", "önök újságot olvasnak!"}) {
        SCOPED_TRACE(typed);
        rec.clear();
        logic.check(QString::fromUtf8(typed));
        ASSERT_GE(rec.events.size(), 2);
        EXPECT_EQ(rec.events.mid(rec.events.size() - 2), QStringList({"beep", msgwrong}));
        EXPECT_EQ(rec.messages.back().icon, Icon::Exclamation);
        EXPECT_EQ(rec.messages.back().title, title);
        EXPECT_EQ(view.picture, 2);
        EXPECT_EQ(view.solutionText, "Önök újságot olvasnak.");
        EXPECT_FALSE(view.solutionShown);
    }
    // The normalised answer stays in the field for correction.
    EXPECT_EQ(view.answerText, "Önök újságot olvasnak!");
    rec.clear();
    logic.check("");
    EXPECT_EQ(rec.events, QStringList({"beep", msgwrong})); // asked once, no reminder
    EXPECT_EQ(view.answerText, "");
}

TEST_F(H05d3Logic, HintNamesTheDictionaryFormAndTheKeyNoun)
{
    Module1::nl = "\r\n";
    const auto hintFor = [](const QString& verb, const QString& noun) {
        return "The main words to use in the sentence are:\r\n\r\n" + QString(24, ' ') + verb + "\r\n"
               + QString(23, ' ') + noun;
    };

    // Before the first start: item 0, and the hidden answer field keeps no focus.
    view.focus.clear();
    logic.hint();
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, hintFor("megy", "mozi"));
    EXPECT_EQ(rec.messages[0].title, title);
    EXPECT_EQ(rec.messages[0].icon, Icon::Information);
    EXPECT_EQ(view.focus, "");

    logic.plus();
    startExtended(4, 2);
    view.focus = "start";
    logic.hint();
    EXPECT_EQ(rec.messages.back().text, hintFor("lakik", "szálloda"));
    EXPECT_EQ(view.focus, "answer");

    startExtended(17, 3);
    logic.hint();
    EXPECT_EQ(rec.messages.back().text, hintFor("vesz", "gyümölcs"));
}

TEST_F(H05d3Logic, HintForMegyLeavesTheCurrentStemAlone)
{
    Module1::nl = "\r\n";
    logic.plus();
    startExtended(11, 2);
    EXPECT_EQ(view.solutionText, "A bankba mész.");
    logic.hint();
    EXPECT_TRUE(rec.messages.back().text.contains(QString(24, ' ') + "megy\r\n"));
    EXPECT_FALSE(rec.messages.back().text.contains("mész"));

    pick(11, itemCount);
    pick(1, 3);
    logic.check(view.solutionText);
    EXPECT_EQ(view.solutionText, "A bankba mész.");

    pick(29, itemCount);
    pick(1, 3);
    expectAccepted("Bankba mész.");
    EXPECT_EQ(view.solutionText, "Az egyetemre mentek.");
    logic.hint();
    EXPECT_TRUE(rec.messages.back().text.contains(QString(24, ' ') + "megy\r\n"));
    // The stem the sentence was built with stays for its answer.
    pick(29, itemCount);
    pick(0, 3);
    expectAccepted("Az egyetemre mentek.");
    EXPECT_EQ(view.solutionText, "Az egyetemre megyünk.");
}

TEST_F(H05d3Logic, HintBeforeTheMenuHasLoadedRunsItsLinesTogether)
{
    Module1::nl.clear();
    logic.hint();
    EXPECT_EQ(rec.messages.at(0).text, "The main words to use in the sentence are:" + QString(24, ' ') + "megy"
                                           + QString(23, ' ') + "mozi");
}

TEST_F(H05d3Logic, StartShowsTheFieldAndTheButtons)
{
    EXPECT_EQ(view.focus, "start");
    startBasic(3);
    EXPECT_TRUE(view.answerVisible);
    EXPECT_EQ(view.focus, "answer");
    EXPECT_FALSE(view.plusEnabled);
    EXPECT_TRUE(view.nextVisible && view.nextEnabled && view.nextDefault);
    EXPECT_TRUE(view.solutionButtonShown && view.solutionButtonEnabled);
    EXPECT_FALSE(view.exampleShown);
    EXPECT_FALSE(view.solutionShown);
}

TEST_F(H05d3Logic, SolutionShowsTheFirstSentenceAndTypingHidesIt)
{
    startBasic(3);
    view.focus.clear();
    logic.solution();
    EXPECT_TRUE(view.solutionShown);
    EXPECT_EQ(view.solutionText, "Autót bérelsz.");
    EXPECT_EQ(view.focus, "answer");
    logic.typing();
    EXPECT_FALSE(view.solutionShown);
}

TEST_F(H05d3Logic, ExampleBeforeStartTouchesNoItemState)
{
    logic.example();
    EXPECT_EQ(view.picture, 0);
    EXPECT_EQ(view.personText, "(ti)");
    EXPECT_TRUE(view.personShown);
    EXPECT_FALSE(view.iconShown);
    EXPECT_EQ(view.solutionText, "Moziba mentek.");
    EXPECT_TRUE(view.solutionShown);
    EXPECT_FALSE(view.answerVisible);
    EXPECT_TRUE(view.startShown);
    EXPECT_EQ(view.focus, "start");

    startBasic(4);
    EXPECT_TRUE(view.answerVisible);
    EXPECT_FALSE(view.exampleShown);
    EXPECT_FALSE(view.solutionShown);
    EXPECT_EQ(view.solutionText, "Szállodában lakom.");
}

TEST_F(H05d3Logic, PlusSwitchesToTheExtendedVariant)
{
    logic.plus();
    EXPECT_EQ(view.modeText, "(Extended)");
    EXPECT_FALSE(view.personShown);
    EXPECT_FALSE(view.invitationShown);
    EXPECT_TRUE(view.iconShown);
    EXPECT_FALSE(view.plusVisible);
    EXPECT_EQ(view.focus, "start");

    logic.example();
    EXPECT_EQ(view.icon, 56);
    EXPECT_TRUE(view.iconShown);
    EXPECT_FALSE(view.personShown);

    startExtended(31, 3);
    EXPECT_EQ(view.picture, 31);
    EXPECT_EQ(view.personText, "ők");
    EXPECT_EQ(view.icon, 57);
    expectAccepted("Ők egy étteremben ülnek.");
}

namespace {

// A Plus run, still going, with picture 12 missed for te and picture 1 given up for mi.
void missTwoInPlus(lumora::test::MemoryRecorder& memory)
{
    memory.runStarted(3, record::Variant::Extended);
    memory.answered({3, record::Variant::Extended, 12, 2, QStringLiteral("x"), false, {}, {}});
    memory.answered({3, record::Variant::Extended, 1, 11, std::nullopt, false, {}, {}});
}

} // namespace

// The review asks the missed pictures with the persons they were missed in,
// named by the person label, records them as a review run, and ends as a
// basic series does.
TEST(H05d3Review, AsksTheMissedPicturesWithTheirPersons)
{
    RecordingPrompter rec;
    ScriptedRandom rnd;
    RecordingView view;
    lumora::test::MemoryRecorder memory;
    missTwoInPlus(memory);
    memory.runEnded(false);
    Module1::setmsg();
    Logic logic{view, rec, rnd, memory, memory};
    logic.load();
    EXPECT_EQ(view.review.caption, "Re&view (2)");
    EXPECT_TRUE(view.review.enabled);

    logic.review();
    EXPECT_FALSE(view.review.enabled);
    EXPECT_EQ(view.picture, 12);
    EXPECT_EQ(view.personText, "(te)");
    EXPECT_TRUE(view.personShown);
    EXPECT_FALSE(view.iconShown);
    EXPECT_TRUE(view.solutionText.endsWith(QStringLiteral(" ülsz."))) << view.solutionText.toStdString();
    logic.check(view.solutionText);
    EXPECT_EQ(view.picture, 1);
    EXPECT_EQ(view.personText, "(mi)");
    logic.check(QStringLiteral("Az egyetem előtt állunk."));
    EXPECT_EQ(rec.events, (QStringList{"beep", texts::done}));
    EXPECT_EQ(view.startCaption, "&Restart");
    EXPECT_EQ(rnd.draws, 0);
    ASSERT_EQ(memory.runs.size(), 2u);
    EXPECT_EQ(memory.runs[1].variant, record::Variant::Review);
    EXPECT_TRUE(memory.runs[1].finished);
    ASSERT_EQ(memory.runs[1].answers.size(), 2u);
    EXPECT_EQ(memory.runs[1].answers[0].item, 12);
    EXPECT_EQ(memory.runs[1].answers[0].person, 2);
    EXPECT_EQ(view.review.caption, "Re&view (2)"); // both in box 2
    EXPECT_TRUE(view.review.enabled);
}

// A review begun from Plus holds Review until it ends, as any review does.
TEST(H05d3Review, OneBegunFromPlusHoldsReviewUntilItEnds)
{
    RecordingPrompter rec;
    ScriptedRandom rnd;
    RecordingView view;
    lumora::test::MemoryRecorder memory;
    missTwoInPlus(memory);
    Module1::setmsg();
    Logic logic{view, rec, rnd, memory, memory};
    logic.load();
    logic.plus();
    logic.review();
    logic.check(view.solutionText);
    EXPECT_EQ(view.picture, 1);
    EXPECT_FALSE(view.review.enabled);
}

// The record keeps each answer with the picture as a screen reader hears it,
// the person as a word (an item's own subject for the third person) and the
// first sentence the exercise takes.
TEST(H05d3Record, EachAnswerKeepsThePictureThePersonAndTheFirstSentence)
{
    RecordingPrompter rec;
    ScriptedRandom rnd;
    RecordingView view;
    lumora::test::MemoryRecorder memory;
    Module1::setmsg();
    Logic logic{view, rec, rnd, memory, memory};
    logic.load();
    rnd.script = {(2 + 0.5) / basicCount};
    logic.start();
    logic.check(QStringLiteral("Önök újságot olvasnak."));
    logic.plus();
    rnd.script = {(9 + 0.5) / itemCount, (2 + 0.5) / 3}; // item 9, the third person
    logic.start();
    logic.check(QStringLiteral("Albert taxit keresel."));
    logic.solution();

    ASSERT_EQ(memory.runs.size(), 2u);
    const auto words = [&memory](int run, int k) {
        const record::Words& w = memory.runs[run].answers.at(k).words;
        return QStringList{w.prompt, w.person, w.expected};
    };
    EXPECT_EQ(words(0, 0),
              (QStringList{"Two doctors sit on a bench reading newspapers, their doctor's bags beside them.", "önök",
                           "Önök újságot olvasnak."}));
    const QStringList albert{
        "A man with the badge A stands with suitcases outside a railway station, thinking of a taxi.", "Albert",
        "Albert taxit keres."};
    EXPECT_EQ(words(1, 0), albert);
    EXPECT_EQ(words(1, 1), albert);
    EXPECT_FALSE(memory.runs[1].answers[1].typed.has_value());
}
namespace {

// Exercise 3 with a record in memory and the speech among the boxes; the
// draws of item and person scripted as the extended variant makes them.
struct Listening {
    Listening(std::initializer_list<std::pair<int, int>> drawn)
    {
        Module1::setmsg();
        Module1::title += ": 3.";
        speech.events = &rec.events;
        for (const auto& [item, choice] : drawn)
            rnd.script.insert(rnd.script.end(), {(item + 0.5) / itemCount, (choice - 0.5) / 3});
        logic.load();
    }
    RecordingPrompter rec;
    RecordingSpeaker speech;
    ScriptedRandom rnd;
    RecordingView view;
    lumora::test::MemoryRecorder memory;
    Logic logic{view, rec, rnd, memory, memory};
};

} // namespace

// Ten pictures drawn with their persons (one twice in a row), none showing
// its person; each sentence said once by itself and again at every Hear,
// whatever was said between; the end and its line as in a basic series; a
// run of its own variant whose misses Review asks by ear, numbered after the
// pictures. Start then breaks off a Listen run for a whole basic series.
TEST(H05d3Listen, TenDrawnSentencesSaidOnceEndedAndReviewedByEar)
{
    const std::pair<int, int> drawn[listenCount] = {{7, 2}, {9, 3}, {0, 1}, {31, 3}, {4, 1},
                                                    {4, 1}, {12, 2}, {29, 3}, {11, 2}, {20, 3}};
    Listening t{drawn[0], drawn[1], drawn[2], drawn[3], drawn[4], drawn[5], drawn[6], drawn[7], drawn[8], drawn[9]};
    Column al, hat;
    allista(al);
    hatlista(hat);
    t.logic.listen();
    EXPECT_EQ(t.view.modeText, "(Listen)");
    EXPECT_FALSE(t.view.listenEnabled);
    EXPECT_FALSE(t.view.plusEnabled);
    for (int n = 0; n < listenCount; ++n) {
        const auto [k, choice] = drawn[n];
        const QString subject = choice < 3 ? QString() : singular(k) ? al[k] + " " : QStringLiteral("ők ");
        const QString sentence = capital(subject + hat[k] + " " + QString::fromUtf8(forms[k][choice - 1]) + ".");
        ASSERT_EQ(t.view.picture, k);
        EXPECT_FALSE(t.view.personShown || t.view.iconShown);
        EXPECT_EQ(t.rec.events, QStringList{"say " + sentence});
        EXPECT_TRUE(t.view.answerName.startsWith(QStringLiteral("sentence you hear, %1 of 10: it is being said").arg(n + 1)));
        t.logic.hearTyped(QStringLiteral("x"));
        t.logic.hear();
        EXPECT_EQ(t.speech.said.last(), sentence);
        if (n == 1)
            t.logic.solution();
        EXPECT_EQ(t.view.solutionShown, n == 1);
        if (n == 3)
            t.logic.check(QStringLiteral("Ők egy étteremben ültök."));
        t.rec.clear();
        t.logic.check(sentence);
    }
    EXPECT_EQ(t.rec.events, (QStringList{"beep", msgdone}));
    EXPECT_EQ(t.rec.messages[0].detail, "7 of 9 right at the first try · 2 mistakes · 2 items wait for review");
    EXPECT_EQ(t.view.progress, "10 of 10 right · 2 mistakes");
    EXPECT_EQ(t.view.modeText, "");
    EXPECT_TRUE(t.view.listenEnabled);
    EXPECT_EQ(t.memory.runs.at(0).variant, record::Variant::Listen);
    EXPECT_EQ(t.memory.runs[0].answers.size(), 12u);

    t.rec.clear();
    t.logic.review(); // the Solution first: (9, Albert)
    EXPECT_EQ(t.view.picture, 9);
    EXPECT_FALSE(t.view.personShown);
    EXPECT_EQ(t.rec.events, QStringList{"say Albert taxit keres."});
    t.logic.check(QStringLiteral("Albert taxit keres."));
    EXPECT_EQ(t.memory.runs.back().answers.at(0).item, itemCount + 9);
    EXPECT_EQ(record::firstTry(3, u"review", itemCount + 9, 3, true).item, (record::ReviewItem{3, true, 9, 3}));

    t.logic.listen();
    t.logic.check(t.view.solutionText);
    t.view.speak = false;
    t.rec.clear();
    t.logic.start();
    EXPECT_EQ(t.view.modeText, "");
    EXPECT_TRUE(t.view.personShown);
    for (int n = 0; n < basicCount; ++n)
        t.logic.check(t.view.solutionText);
    EXPECT_EQ(t.rec.events, (QStringList{"beep", msgdone})) << "six, and nothing said by itself";
}

// Typed for a sentence heard, a text gets the boxes, the explanations and
// the judgement it gets in the extended variant, in the same order.
TEST(H05d3Listen, JudgedAsTheExtendedVariantJudges)
{
    for (const char* text : {"a moziba mentek", "Moziba mentek .", "  A  moziba   mentek.  ", "Moziba megyünk.",
                             "A moziba mennek.", "Moziban mentek.", "Mentek moziba.", ".", "moziba mentünk"}) {
        Listening seen{{0, 2}, {7, 2}}, heard{{0, 2}, {7, 2}}; // ti: "A moziba mentek." and "Moziba mentek."
        seen.logic.plus();
        seen.logic.start();
        heard.logic.listen();
        for (Listening* t : {&seen, &heard}) {
            t->rec.clear();
            t->logic.check(QString::fromUtf8(text));
            t->logic.check(QString::fromUtf8(text)); // the second try's hint too
            t->rec.events = t->rec.events.filter(QRegularExpression(QStringLiteral("^(?!say )")));
            for (const auto& m : t->rec.messages)
                t->rec.events << m.title << m.detail;
            for (const auto& a : t->memory.runs[0].answers)
                t->rec.events << QString::number(a.correct) + a.mistake;
        }
        EXPECT_EQ(heard.rec.events, seen.rec.events) << text;
        EXPECT_EQ(heard.view.answerLog, seen.view.answerLog);
        EXPECT_EQ(heard.view.picture, seen.view.picture);
    }
}
