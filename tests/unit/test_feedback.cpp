#include "feedback/diagnosis.h"
#include "lesson/verbs.h"
#include "recording.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <iostream>

using namespace lumora;
using namespace lumora::feedback;

namespace {

enum Exercise { Basic, Extended, Sentence, Gap };

// A learner's mistake and what the diagnosis must say about it. item is the
// basic item, the extended verb, the exercise-3 item or the exercise-5 gap;
// person the extended person, the person code or the exercise-5 person.
struct Row {
    const char* name;
    Exercise exercise;
    int item;
    int person;
    const char* typed;
    const char* kind;
    QStringList words;     // all of them in the text
    const char* a = "";    // exercise 3: the accepted sentences
    const char* b = "";
    const char* stem = ""; // exercise 5: the stem field
};

void PrintTo(const Row& r, std::ostream* os) { *os << r.name; }

Diagnosis judge(const Row& r, int tries = 1)
{
    const QString typed = QString::fromUtf8(r.typed);
    switch (r.exercise) {
    case Basic: return basicAnswer(r.item, typed, tries);
    case Extended: return extendedAnswer(r.item, r.person, typed, tries);
    case Sentence:
        return sentence(r.item, r.person, QString::fromUtf8(r.a), QString::fromUtf8(r.b), typed, tries);
    case Gap: break;
    }
    return gapAnswer(r.item, r.person, QString::fromUtf8(r.stem), typed, tries);
}

const char* const mozi = "A moziba mentek.";
const char* const mozi2 = "Moziba mentek.";
const char* const auto1 = "Autót bérelsz.";
const char* const auto2 = "Egy autót bérelsz.";
const char* const szalloda1 = "Szállodában lakom.";
const char* const szalloda2 = "A szállodában lakom.";
const char* const ujsag = "Önök újságot olvasnak.";
const char* const konyha = "A konyhában főzöl.";

// clang-format off
const Row rows[] = {
    // Exercises 1 and 2, basic items: another person's form
    {"LaktokIsTiNotMi",          Basic, 3, 0,  "laktok",      "person",  {"for ti.", "is mi."}},
    {"BeszelnekIsOkNotTi",       Basic, 13, 0, "beszélnek",   "person",  {"for ők.", "is ti."}},
    {"VarszIsTeNotEn",           Basic, 46, 0, "vársz",       "person",  {"for te.", "is én."}},
    {"LakikIsONotEn",            Basic, 47, 0, "lakik",       "person",  {"for ő.", "is én."}},
    {"BeszelekIsEnNotTe",        Basic, 51, 0, "beszélek",    "person",  {"for én.", "is te."}},
    {"MennekIsOkNotTi",          Basic, 20, 0, "mennek",      "person",  {"for ők.", "is ti."}},
    {"FoznakIsNearlyOkNotMi",    Basic, 4, 0,  "főznak",      "person",  {"close to the form for ők.", "is mi."}},
    {"MegynakIsNearlyOkNotMi",   Basic, 6, 0,  "megynak",     "other",   {}},
    // vowel harmony
    {"OlvastekBackVerb",         Basic, 16, 0, "olvastek",    "harmony", {"\"olvastek\"", "olvas"}},
    {"UltekRoundedVerb",         Basic, 14, 0, "ültek",       "harmony", {"\"ültek\"", "ül"}},
    {"IrunkWithFrontEnding",     Basic, 9, 0,  "írünk",       "harmony", {"ír"}},
    {"OrulekRoundedVerb",        Basic, 50, 0, "örülek",      "harmony", {"örül"}},
    {"FozelRoundedVerb",         Basic, 55, 0, "főzel",       "harmony", {"főz"}},
    // accents
    {"AllunkWithoutAccent",      Basic, 0, 0,  "allunk",      "accents", {"Almost", "in the verb"}},
    {"UlnekWithLongE",           Basic, 40, 0, "ülnék",       "accents", {"in the ending"}},
    {"OrultokWithLongO",         Basic, 21, 0, "örültők",     "accents", {"in the ending"}},
    // stems
    {"VanunkKeepsVan",           Basic, 2, 0,  "vanunk",      "stem",    {"changes its stem"}},
    {"MegytekKeepsMegy",         Basic, 20, 0, "megytek",     "stem",    {"changes its stem"}},
    {"MenunkChangesMegy",        Basic, 6, 0,  "menünk",      "stem",    {"keeps its stem"}},
    {"VagynakChangesVan",        Basic, 38, 0, "vagynak",     "stem",    {"keeps its stem"}},
    {"LakiktokKeepsTheIk",       Basic, 25, 0, "lakiktok",    "stem",    {"-ik of lakik"}},
    // Extended variant: megy 25, van 26, keres 23, tanul 7, csinál 1
    {"MegyszForMesz",            Extended, 25, 2, "megysz",    "stem",    {"changes its stem"}},
    {"MegyForMesz",              Extended, 25, 2, "megy",      "person",  {"for ő.", "is te."}},
    {"VagynakForVannak",         Extended, 26, 5, "vagynak",   "stem",    {"keeps its stem"}},
    {"KeresolForKeresel",        Extended, 23, 2, "keresol",   "harmony", {"keres"}},
    {"CsinalnakForCsinaltok",    Extended, 1, 4,  "csinálnak", "person",  {"for ők.", "is ti."}},
    // Exercise 3, sentences
    {"MozibaWithoutTheVerb",     Sentence, 0, 22, "Moziba.",             "missing-word", {"missing after Moziba."}, mozi, mozi2},
    {"MozibaMennek",             Sentence, 0, 22, "A moziba mennek.",    "person",       {"for ők.", "is ti."}, mozi, mozi2},
    {"MozibanIsInNotInto",       Sentence, 0, 22, "A moziban mentek.",   "case",         {"\"moziban\"", "case ending"}, mozi, mozi2},
    {"MozibeBreaksHarmony",      Sentence, 0, 22, "A mozibe mentek.",    "harmony",      {"mozi"}, mozi, mozi2},
    {"VerbFirst",                Sentence, 0, 22, "Mentek a moziba.",    "order",        {"order"}, mozi, mozi2},
    {"MegytekInASentence",       Sentence, 0, 22, "A moziba megytek.",   "stem",         {"changes its stem"}, mozi, mozi2},
    {"PronounWrittenOut",        Sentence, 3, 2,  "Te autót bérelsz.",   "extra-word",   {"\"Te\"", "ending of the verb"}, auto1, auto2},
    {"AutotWithoutAccent",       Sentence, 3, 2,  "Autot bérelsz.",      "accents",      {"1st word"}, auto1, auto2},
    {"BerelekForTe",             Sentence, 3, 2,  "Autót bérelek.",      "person",       {"for én.", "is te."}, auto1, auto2},
    {"SzallodabanShortA",        Sentence, 4, 1,  "Szállodaban lakom.",  "stem",         {"last a of szálloda"}, szalloda1, szalloda2},
    {"LakokIsNotNamed",          Sentence, 4, 1,  "A szállodában lakok.", "other",       {}, szalloda1, szalloda2},
    {"OnokLeftOut",              Sentence, 2, 44, "Újságot olvasnak.",   "missing-word", {"at the start"}, ujsag, ujsag},
    {"OlvastokForOnok",          Sentence, 2, 44, "Önök újságot olvastok.", "person",    {"for ti.", "is önök."}, ujsag, ujsag},
    {"FozelInTheKitchen",        Sentence, 5, 2,  "A konyhában főzel.",  "harmony",      {"főz"}, konyha, konyha},
    {"KonyhabanShortA",          Sentence, 5, 2,  "A konyhaban főzöl.",  "stem",         {"last a of konyha"}, konyha, konyha},
    {"AnExtraArticle",           Sentence, 5, 2,  "A konyhában a főzöl.", "extra-word",  {"\"a\" is not needed"}, konyha, konyha},
    {"LakomForKisUr",            Sentence, 4, 3,  "Kis úr szállodában lakom.", "person", {"for én.", "Kis úr"},
                                 "Kis úr szállodában lakik.", "Kis úr a szállodában lakik."},
    // Exercise 5, gaps: persons 0 Péter, 1 én, 2 te, 3 mi, 4 ti, 5 ők
    {"IkLeftForEn",              Gap, 0, 1,  "ik",  "person",  {"for Péter.", "is én."}},
    {"EkForPeter",               Gap, 2, 0,  "ek",  "person",  {"for én.", "is Péter."}},
    {"NakForTi",                 Gap, 10, 4, "nak", "person",  {"for ők.", "is ti."}},
    {"NekIsNearlyOkForTi",       Gap, 12, 4, "nak", "person",  {"close to the ending for ők.", "is ti."}},
    {"UlokBackEnding",           Gap, 12, 1, "ok",  "harmony", {"\"ok\"", "ül"}},
    {"KelenfoldonBack",          Gap, 1, 0,  "on",  "harmony", {"Kelenföld"}},
    {"NemetulBack",              Gap, 7, 2,  "ul",  "harmony", {"német"}},
    {"UjsagetFront",             Gap, 14, 0, "et",  "harmony", {"Újság"}},
    {"LaknakWithLongA",          Gap, 0, 5,  "nák", "accents", {"in the ending"}},
    {"SzobatShortA",             Gap, 3, 0,  "t",   "stem",    {"last a of szoba"}, "", "", "szoba"},
    {"ZenetShortE",              Gap, 16, 2, "t",   "stem",    {"last e of zene"}, "", "", "és zene"},
    {"FranciaulShortA",          Gap, 8, 4,  "ul",  "stem",    {"last a of francia"}, "", "", ", francia"},
    {"SzobabenFront",            Gap, 11, 1, "ben", "harmony", {"\"ben\"", "szoba"}, "", "", "A szobá"},
};
// clang-format on

class FeedbackMistakes : public ::testing::TestWithParam<Row> {};

} // namespace

TEST_P(FeedbackMistakes, NamesTheKindAndTheWordsThatMatter)
{
    const Row& r = GetParam();
    const Diagnosis d = judge(r);
    EXPECT_EQ(kindName(d.kind), QString::fromUtf8(r.kind)) << d.text.toStdString();
    for (const QString& w : r.words)
        EXPECT_TRUE(d.text.contains(w)) << "\"" << w.toStdString() << "\" not in: " << d.text.toStdString();
    if (r.words.isEmpty())
        EXPECT_TRUE(d.text.isEmpty()) << d.text.toStdString();
    else
        EXPECT_LE(d.text.count(u'.'), 2) << "one or two sentences: " << d.text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Table, FeedbackMistakes, ::testing::ValuesIn(rows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Feedback, TheHintGrowsALetterATryAndNeverGivesTheWholeEnding)
{
    // Item 0 is áll for mi: állunk.
    const QStringList texts = {basicAnswer(0, "álltok", 1).text, basicAnswer(0, "álltok", 2).text,
                               basicAnswer(0, "álltok", 3).text, basicAnswer(0, "álltok", 7).text};
    EXPECT_FALSE(texts[0].contains("starts with"));
    EXPECT_TRUE(texts[1].endsWith("The ending starts with \"u\".")) << texts[1].toStdString();
    EXPECT_TRUE(texts[2].endsWith("The ending starts with \"un\"."));
    EXPECT_TRUE(texts[3].endsWith("The ending starts with \"un\"."));
    EXPECT_TRUE(texts[1].startsWith("That is the form for ti."));

    // Nothing to name, but the hint still comes.
    EXPECT_EQ(basicAnswer(0, "xyz", 1).text, "");
    EXPECT_EQ(basicAnswer(0, "xyz", 2).text, "The ending starts with \"u\".");
    // Item 2 is van for mi: the hint starts where vagyunk leaves van.
    EXPECT_EQ(basicAnswer(2, "xyz", 3).text, "After \"va\" the answer goes on with \"gy\".");
    // The first wrong word of a sentence; in exercise 5 the suffix, or the
    // stem where it must change.
    EXPECT_EQ(sentence(0, 22, mozi, mozi2, "A moziba.", 2).text,
              "A word is missing after moziba. The 3rd word starts with \"m\".");
    EXPECT_EQ(gapAnswer(5, 1, "", "xy", 2).text, "The ending starts with \"o\".");
    EXPECT_EQ(gapAnswer(3, 0, "szoba", "t", 5).text,
              "The last a of szoba becomes long before this ending. After \"szob\" the answer goes on with \"á\".");
}

namespace {

// Every form of every verb of exercises 1 and 2, written out by hand:
// én, te, mi, ti, ők. néz is only in the basic list.
const QHash<QString, QStringList> conjugations = {
    {"áll", {"állok", "állsz", "állunk", "álltok", "állnak"}},
    {"csinál", {"csinálok", "csinálsz", "csinálunk", "csináltok", "csinálnak"}},
    {"ír", {"írok", "írsz", "írunk", "írtok", "írnak"}},
    {"hallgat", {"hallgatok", "hallgatsz", "hallgatunk", "hallgattok", "hallgatnak"}},
    {"mosogat", {"mosogatok", "mosogatsz", "mosogatunk", "mosogattok", "mosogatnak"}},
    {"parancsol", {"parancsolok", "parancsolsz", "parancsolunk", "parancsoltok", "parancsolnak"}},
    {"sétál", {"sétálok", "sétálsz", "sétálunk", "sétáltok", "sétálnak"}},
    {"tanul", {"tanulok", "tanulsz", "tanulunk", "tanultok", "tanulnak"}},
    {"táncol", {"táncolok", "táncolsz", "táncolunk", "táncoltok", "táncolnak"}},
    {"vár", {"várok", "vársz", "várunk", "vártok", "várnak"}},
    {"lak", {"lakom", "laksz", "lakunk", "laktok", "laknak"}},
    {"bérel", {"bérelek", "bérelsz", "bérelünk", "béreltek", "bérelnek"}},
    {"beszél", {"beszélek", "beszélsz", "beszélünk", "beszéltek", "beszélnek"}},
    {"beszélget", {"beszélgetek", "beszélgetsz", "beszélgetünk", "beszélgettek", "beszélgetnek"}},
    {"fizet", {"fizetek", "fizetsz", "fizetünk", "fizettek", "fizetnek"}},
    {"gépel", {"gépelek", "gépelsz", "gépelünk", "gépeltek", "gépelnek"}},
    {"kér", {"kérek", "kérsz", "kérünk", "kértek", "kérnek"}},
    {"pihen", {"pihenek", "pihensz", "pihenünk", "pihentek", "pihennek"}},
    {"siet", {"sietek", "sietsz", "sietünk", "siettek", "sietnek"}},
    {"ül", {"ülök", "ülsz", "ülünk", "ültök", "ülnek"}},
    {"örül", {"örülök", "örülsz", "örülünk", "örültök", "örülnek"}},
    {"mos", {"mosok", "mosol", "mosunk", "mostok", "mosnak"}},
    {"olvas", {"olvasok", "olvasol", "olvasunk", "olvastok", "olvasnak"}},
    {"keres", {"keresek", "keresel", "keresünk", "kerestek", "keresnek"}},
    {"főz", {"főzök", "főzöl", "főzünk", "főztök", "főznek"}},
    {"megy", {"megyek", "mész", "megyünk", "mentek", "mennek"}},
    {"van", {"vagyok", "vagy", "vagyunk", "vagytok", "vannak"}},
    {"néz", {"nézek", "nézel", "nézünk", "néztek", "néznek"}},
};
const QStringList pronouns = {"én", "te", "mi", "ti", "ők"};

// Names the person as a word of its own, not inside another word.
bool names(const QString& text, const QString& pronoun)
{
    return text.contains(QRegularExpression("(^|\\W)" + pronoun + "(\\W|$)",
                                            QRegularExpression::UseUnicodePropertiesOption));
}

} // namespace

TEST(Feedback, AnotherPersonsFormIsNamedAndTheAnswerNeverShown)
{
    int checked = 0;
    auto check = [&](const QString& verb, int asked, auto diagnose) {
        const QStringList forms = conjugations.value(verb);
        ASSERT_EQ(forms.size(), 5) << verb.toStdString();
        const QString expected = forms[asked - 1];
        for (int other = 1; other <= 5; ++other) {
            if (other == asked)
                continue;
            for (int tries : {1, 9}) {
                const Diagnosis d = diagnose(forms[other - 1], tries);
                EXPECT_EQ(d.kind, Kind::Person) << forms[other - 1].toStdString() << " for " << expected.toStdString();
                EXPECT_TRUE(names(d.text, pronouns[other - 1])) << d.text.toStdString();
                EXPECT_FALSE(d.text.contains(expected)) << d.text.toStdString();
                ++checked;
            }
        }
    };
    for (int item = 0; item < h05d1::itemCount; ++item) {
        const QString verb = h05d1::basicItem(item).verb.toString();
        check(verb, h05d1::itemPerson(item), [&](const QString& typed, int tries) {
            return basicAnswer(item, typed, tries);
        });
    }
    const QStringList igeb = h05d1::igeblista();
    for (int verb = 0; verb < h05d1::verbCount; ++verb)
        for (int person = 1; person <= 5; ++person)
            check(igeb[verb], person, [&](const QString& typed, int tries) {
                return extendedAnswer(verb, person, typed, tries);
            });
    EXPECT_EQ(checked, (64 + 27 * 5) * 4 * 2);
}

TEST(Feedback, JudgingOneAnswerTakesWellUnderTwoMilliseconds)
{
    basicAnswer(0, "álltok", 1); // the verb forms are gathered once
    QElapsedTimer clock;
    clock.start();
    int judged = 0;
    for (int round = 0; round < 10; ++round) {
        for (int item = 0; item < h05d1::itemCount; ++item, ++judged)
            basicAnswer(item, "vagytek", 3);
        for (const Row& r : rows) {
            judge(r, 3);
            ++judged;
        }
    }
    const double perAnswer = clock.nsecsElapsed() / 1e6 / judged;
    std::cout << "diagnosis: " << perAnswer * 1000 << " us per answer over " << judged << " answers\n";
    EXPECT_LT(perAnswer, 2.0);
}
