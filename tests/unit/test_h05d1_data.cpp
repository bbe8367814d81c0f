#include "exercises/h05d1/data.h"
#include "recording.h"

#include <gtest/gtest.h>

using namespace lumora::h05d1;

namespace {

// A test name from Hungarian text: accents dropped, letters kept.
std::string ascii(const QString& text)
{
    std::string out;
    for (QChar c : text.normalized(QString::NormalizationForm_D))
        if (c.isLetterOrNumber() && c.unicode() < 128)
            out += char(c.unicode());
    return out;
}

// ---- The 64 basic items -----------------------------------------------------------

enum SetUp { plain, ik, edit };

struct ItemRow {
    int item;
    const char16_t* verb;
    const char16_t* ending;
    const char16_t* person;
    const char16_t* answer;
    SetUp setUp;
};

constexpr ItemRow itemRows[] = {
    {0, u"áll", u"unk", u"mi", u"állunk", plain},
    {1, u"siet", u"ünk", u"mi", u"sietünk", plain},
    {2, u"van", u"unk", u"mi", u"vagyunk", edit},
    {3, u"lak", u"unk", u"mi", u"lakunk", ik},
    {4, u"főz", u"ünk", u"mi", u"főzünk", plain},
    {5, u"bérel", u"ünk", u"mi", u"bérelünk", plain},
    {6, u"megy", u"ünk", u"mi", u"megyünk", edit},
    {7, u"ül", u"ünk", u"mi", u"ülünk", plain},
    {8, u"beszélget", u"ünk", u"mi", u"beszélgetünk", plain},
    {9, u"ír", u"unk", u"mi", u"írunk", plain},
    {10, u"mos", u"unk", u"mi", u"mosunk", plain},
    {11, u"mosogat", u"unk", u"mi", u"mosogatunk", plain},
    {12, u"táncol", u"unk", u"mi", u"táncolunk", plain},
    {13, u"beszél", u"tek", u"ti", u"beszéltek", plain},
    {14, u"ül", u"tök", u"ti", u"ültök", plain},
    {15, u"sétál", u"tok", u"ti", u"sétáltok", plain},
    {16, u"olvas", u"tok", u"ti", u"olvastok", plain},
    {17, u"kér", u"tek", u"ti", u"kértek", plain},
    {18, u"főz", u"tök", u"ti", u"főztök", plain},
    {19, u"van", u"tok", u"ti", u"vagytok", edit},
    {20, u"megy", u"tek", u"ti", u"mentek", edit},
    {21, u"örül", u"tök", u"ti", u"örültök", plain},
    {22, u"keres", u"tek", u"ti", u"kerestek", plain},
    {23, u"mos", u"tok", u"ti", u"mostok", plain},
    {24, u"bérel", u"tek", u"ti", u"béreltek", plain},
    {25, u"lak", u"tok", u"ti", u"laktok", ik},
    {26, u"pihen", u"tek", u"ti", u"pihentek", plain},
    {27, u"mosogat", u"tok", u"ti", u"mosogattok", plain},
    {28, u"gépel", u"tek", u"ti", u"gépeltek", plain},
    {29, u"vár", u"nak", u"ők", u"várnak", plain},
    {30, u"keres", u"nek", u"ők", u"keresnek", plain},
    {31, u"mos", u"nak", u"ők", u"mosnak", plain},
    {32, u"főz", u"nek", u"ők", u"főznek", plain},
    {33, u"siet", u"nek", u"ők", u"sietnek", plain},
    {34, u"tanul", u"nak", u"ők", u"tanulnak", plain},
    {35, u"beszél", u"nek", u"ők", u"beszélnek", plain},
    {36, u"bérel", u"nek", u"ők", u"bérelnek", plain},
    {37, u"megy", u"nek", u"ők", u"mennek", edit},
    {38, u"van", u"nak", u"ők", u"vannak", edit},
    {39, u"lak", u"nak", u"ők", u"laknak", ik},
    {40, u"ül", u"nek", u"ők", u"ülnek", plain},
    {41, u"sétál", u"nak", u"ők", u"sétálnak", plain},
    {42, u"parancsol", u"nak", u"ők", u"parancsolnak", plain},
    {43, u"táncol", u"nak", u"ők", u"táncolnak", plain},
    {44, u"néz", u"nek", u"ők", u"néznek", plain},
    {45, u"hallgat", u"nak", u"ők", u"hallgatnak", plain},
    {46, u"vár", u"ok", u"én", u"várok", plain},
    {47, u"lak", u"om", u"én", u"lakom", ik},
    {48, u"siet", u"ek", u"én", u"sietek", plain},
    {49, u"fizet", u"ek", u"én", u"fizetek", plain},
    {50, u"örül", u"ök", u"én", u"örülök", plain},
    {51, u"beszél", u"sz", u"te", u"beszélsz", plain},
    {52, u"sétál", u"sz", u"te", u"sétálsz", plain},
    {53, u"olvas", u"ol", u"te", u"olvasol", plain},
    {54, u"keres", u"el", u"te", u"keresel", plain},
    {55, u"főz", u"öl", u"te", u"főzöl", plain},
    {56, u"lak", u"unk", u"mi", u"lakunk", ik},
    {57, u"keres", u"ünk", u"mi", u"keresünk", plain},
    {58, u"tanul", u"tok", u"ti", u"tanultok", plain},
    {59, u"olvas", u"tok", u"ti", u"olvastok", plain},
    {60, u"ül", u"tök", u"ti", u"ültök", plain},
    {61, u"csinál", u"nak", u"ők", u"csinálnak", plain},
    {62, u"örül", u"nek", u"ők", u"örülnek", plain},
    {63, u"főz", u"nek", u"ők", u"főznek", plain},
};

void PrintTo(const ItemRow& r, std::ostream* os) { *os << "item " << r.item; }

class BasicItems : public ::testing::TestWithParam<ItemRow> {};

TEST_P(BasicItems, VerbEndingPersonAnswerAndSetUp)
{
    const ItemRow& r = GetParam();
    const QString verb = QString::fromUtf16(r.verb);
    EXPECT_EQ(basicItem(r.item).verb.toString(), verb);
    EXPECT_EQ(itemverblista().at(r.item), verb);
    EXPECT_EQ(basicItem(r.item).ending.toString(), QString::fromUtf16(r.ending));
    EXPECT_EQ(pronoun(itemPerson(r.item)), QString::fromUtf16(r.person));
    EXPECT_EQ(basicAnswer(r.item), QString::fromUtf16(r.answer));
    EXPECT_EQ(prefillsIk(verb), r.setUp == ik);
    EXPECT_EQ(stemChanges(verb), r.setUp == edit);
}

INSTANTIATE_TEST_SUITE_P(All, BasicItems, ::testing::ValuesIn(itemRows),
                         [](const auto& info) {
                             return "item" + std::to_string(info.param.item) + "_"
                                    + ascii(QString::fromUtf16(info.param.answer));
                         });

TEST(BasicItemTable, HasOneRowPerItemAndTheExercisesSplitItFortySixToEighteen)
{
    ASSERT_EQ(std::size(itemRows), std::size_t(itemCount));
    EXPECT_EQ(itemverblista().size(), itemCount);
    const ItemRange one = exerciseItems(1), two = exerciseItems(2);
    EXPECT_EQ(one.first, 0);
    EXPECT_EQ(one.count, 46);
    EXPECT_EQ(two.first, 46);
    EXPECT_EQ(two.count, 18);
    // Exercise 1 asks only for plural persons.
    for (int i = one.first; i < one.first + one.count; ++i)
        EXPECT_GE(itemPerson(i), int(mi)) << i;
}

// ---- Persons ------------------------------------------------------------------------

TEST(Persons, PronounAndIconByDrawNumber)
{
    const QStringList pronouns = {"én", "te", "mi", "ti", "ők"};
    const int icons[] = {51, 52, 55, 56, 57};
    for (int p = 1; p <= personCount; ++p) {
        EXPECT_EQ(pronoun(p), pronouns.at(p - 1));
        EXPECT_EQ(personicon(p), icons[p - 1]);
        EXPECT_EQ(personOf(pronouns.at(p - 1)), p);
    }
    EXPECT_EQ(personOf(""), 0);
    EXPECT_EQ(personOf("ok"), 0);  // without the accent it is no pronoun
    EXPECT_EQ(personOf("Te"), 0);
}

// ---- The 27 extended verbs ------------------------------------------------------------

struct VerbRow {
    const char16_t* verb;
    const char16_t* endings;  // én te mi ti ők; "-" for the empty ending
    const char16_t* forms;    // én te mi ti ők
};

constexpr VerbRow verbRows[] = {
    {u"áll", u"ok sz unk tok nak", u"állok állsz állunk álltok állnak"},
    {u"csinál", u"ok sz unk tok nak", u"csinálok csinálsz csinálunk csináltok csinálnak"},
    {u"ír", u"ok sz unk tok nak", u"írok írsz írunk írtok írnak"},
    {u"hallgat", u"ok sz unk tok nak", u"hallgatok hallgatsz hallgatunk hallgattok hallgatnak"},
    {u"mosogat", u"ok sz unk tok nak", u"mosogatok mosogatsz mosogatunk mosogattok mosogatnak"},
    {u"parancsol", u"ok sz unk tok nak",
     u"parancsolok parancsolsz parancsolunk parancsoltok parancsolnak"},
    {u"sétál", u"ok sz unk tok nak", u"sétálok sétálsz sétálunk sétáltok sétálnak"},
    {u"tanul", u"ok sz unk tok nak", u"tanulok tanulsz tanulunk tanultok tanulnak"},
    {u"táncol", u"ok sz unk tok nak", u"táncolok táncolsz táncolunk táncoltok táncolnak"},
    {u"vár", u"ok sz unk tok nak", u"várok vársz várunk vártok várnak"},
    {u"lak", u"om sz unk tok nak", u"lakom laksz lakunk laktok laknak"},
    {u"bérel", u"ek sz ünk tek nek", u"bérelek bérelsz bérelünk béreltek bérelnek"},
    {u"beszél", u"ek sz ünk tek nek", u"beszélek beszélsz beszélünk beszéltek beszélnek"},
    {u"beszélget", u"ek sz ünk tek nek",
     u"beszélgetek beszélgetsz beszélgetünk beszélgettek beszélgetnek"},
    {u"fizet", u"ek sz ünk tek nek", u"fizetek fizetsz fizetünk fizettek fizetnek"},
    {u"gépel", u"ek sz ünk tek nek", u"gépelek gépelsz gépelünk gépeltek gépelnek"},
    {u"kér", u"ek sz ünk tek nek", u"kérek kérsz kérünk kértek kérnek"},
    {u"pihen", u"ek sz ünk tek nek", u"pihenek pihensz pihenünk pihentek pihennek"},
    {u"siet", u"ek sz ünk tek nek", u"sietek sietsz sietünk siettek sietnek"},
    {u"ül", u"ök sz ünk tök nek", u"ülök ülsz ülünk ültök ülnek"},
    {u"örül", u"ök sz ünk tök nek", u"örülök örülsz örülünk örültök örülnek"},
    {u"mos", u"ok ol unk tok nak", u"mosok mosol mosunk mostok mosnak"},
    {u"olvas", u"ok ol unk tok nak", u"olvasok olvasol olvasunk olvastok olvasnak"},
    {u"keres", u"ek el ünk tek nek", u"keresek keresel keresünk kerestek keresnek"},
    {u"főz", u"ök öl ünk tök nek", u"főzök főzöl főzünk főztök főznek"},
    {u"megy", u"ek - ünk tek nek", u"megyek mész megyünk mentek mennek"},
    {u"van", u"ok - unk tok nak", u"vagyok vagy vagyunk vagytok vannak"},
};

class ExtendedVerbs : public ::testing::TestWithParam<int> {};

TEST_P(ExtendedVerbs, EndingsAndFormsInEveryPerson)
{
    const int verb = GetParam();
    const VerbRow& r = verbRows[verb];
    EXPECT_EQ(igeblista().at(verb), QString::fromUtf16(r.verb));
    const QStringList endings = QString::fromUtf16(r.endings).replace("-", "").split(' ');
    const QStringList forms = QString::fromUtf16(r.forms).split(' ');
    for (int p = 1; p <= personCount; ++p) {
        EXPECT_EQ(ragb(verb, p), endings.at(p - 1)) << pronoun(p).toStdString();
        EXPECT_EQ(extendedAnswer(verb, p), forms.at(p - 1)) << pronoun(p).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(All, ExtendedVerbs, ::testing::Range(0, verbCount),
                         [](const auto& info) {
                             return std::to_string(info.param) + "_"
                                    + ascii(QString::fromUtf16(verbRows[info.param].verb));
                         });

TEST(ExtendedVerbTable, HasOneRowPerVerb)
{
    ASSERT_EQ(std::size(verbRows), std::size_t(verbCount));
    EXPECT_EQ(igeblista().size(), verbCount);
}

} // namespace
