#include "h05d3_forms.h"
#include "lesson/sentences.h"
#include "recording.h"

#include <gtest/gtest.h>
#include <set>

using namespace lumora::h05d3;
using lumora::h05d3::test::forms;

namespace {

struct Lists {
    Column al, ige, hat, hata, hatb;
    Lists()
    {
        allista(al);
        igelista(ige);
        hatlista(hat);
        hatalista(hata);
        hatblista(hatb);
    }
};

QString verbForm(const Lists& l, int item, int code)
{
    const QString stem = irregular(item) ? megyStem(code) : l.ige[item];
    return stem + ending(item, code);
}

} // namespace

TEST(H05d3Data, ListsHoldTheItemsInPictureOrder)
{
    const Lists l;
    EXPECT_EQ(l.al[0], "a lányok");
    EXPECT_EQ(l.al[30], "a lányok és a fiúk");
    EXPECT_EQ(l.hata[31], "étterem");
    EXPECT_EQ(l.hat[6], "ezer forintot");
    EXPECT_EQ(l.hatb[6], "1000 forintot");
    EXPECT_EQ(l.hatb[10], "tévét");
    EXPECT_EQ(l.ige[4], "lak");
    EXPECT_EQ(l.ige[19], "beszél");
    for (int k = 0; k < itemCount; ++k) {
        SCOPED_TRACE(k);
        EXPECT_FALSE(l.al[k].isEmpty());
        EXPECT_FALSE(l.hata[k].isEmpty());
        EXPECT_FALSE(l.hat[k].isEmpty());
        EXPECT_FALSE(l.hatb[k].isEmpty());
        EXPECT_FALSE(l.ige[k].isEmpty());
        EXPECT_TRUE(l.hat[k].contains(l.hata[k].left(3))) << l.hat[k].toStdString();
    }
}

TEST(H05d3Data, ItemsWithEqualPhrasesAreExactlyTheOnesWithOneSentence)
{
    const Lists l;
    const std::set<int> equal = {1, 2, 5, 8, 13, 14, 16, 17, 18, 19, 20, 22, 23, 24, 26, 28, 29};
    for (int k = 0; k < itemCount; ++k)
        EXPECT_EQ(l.hat[k] == l.hatb[k], equal.contains(k)) << k;
}

TEST(H05d3Data, RefillingRestoresOverwrittenEntries)
{
    Lists l;
    for (int k : {0, 11, 29})
        l.ige[k] = "mész";
    l.hata[3].clear();
    igelista(l.ige);
    hatalista(l.hata);
    for (int k : {0, 11, 29})
        EXPECT_EQ(l.ige[k], "megy");
    EXPECT_EQ(l.hata[3], "autó");
}

TEST(H05d3Data, OnlyItemsThreeToTwentyOneAreSingular)
{
    for (int k = 0; k < itemCount; ++k)
        EXPECT_EQ(singular(k), k >= 3 && k <= 21) << k;
}

TEST(H05d3Data, EveryItemBuildsItsThreeVerbForms)
{
    const Lists l;
    for (int k = 0; k < itemCount; ++k) {
        const int codes[3] = {singular(k) ? 1 : 11, singular(k) ? 2 : 22, singular(k) ? 3 : 33};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(verbForm(l, k, codes[i]), QString::fromUtf8(forms[k][i]))
                << "item " << k << " person " << codes[i];
        if (!singular(k)) {
            EXPECT_EQ(verbForm(l, k, 44), QString::fromUtf8(forms[k][2])) << k;
        }
    }
}

TEST(H05d3Data, AnItemHasNoEndingsOfTheOtherNumber)
{
    for (int k = 0; k < itemCount; ++k) {
        // A vector: the array behind an initializer_list dies with the ?: expression.
        const std::vector<int> others = singular(k) ? std::vector<int>{11, 22, 33, 44} : std::vector<int>{1, 2, 3};
        for (int code : others)
            EXPECT_EQ(ending(k, code), "") << "item " << k << " person " << code;
    }
}

TEST(H05d3Data, MegyChangesItsStemAndTakesNoEndingInTheSecondSingular)
{
    EXPECT_TRUE(irregular(0) && irregular(11) && irregular(29));
    EXPECT_FALSE(irregular(4) || irregular(1) || irregular(31));
    EXPECT_EQ(megyStem(2), "mész");
    EXPECT_EQ(ending(11, 2), "");
    for (int code : {1, 3, 11})
        EXPECT_EQ(megyStem(code), "megy") << code;
    for (int code : {22, 33, 44})
        EXPECT_EQ(megyStem(code), "men") << code;
}

TEST(H05d3Data, PersonTable)
{
    struct Row {
        int code;
        const char* pronoun;
        const char* label;
        bool opens;
        int icon;
    };
    const Row rows[] = {
        {1, "én", "(én)", false, 51},  {2, "te", "(te)", false, 52}, {3, "", "", true, 53},
        {11, "mi", "(mi)", false, 55}, {22, "ti", "(ti)", false, 56}, {33, "ők", "ők", true, 57},
        {44, "önök", "önök", true, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.code);
        const Person& p = person(r.code);
        EXPECT_EQ(p.code, r.code);
        EXPECT_EQ(p.pronoun.toString(), QString::fromUtf8(r.pronoun));
        EXPECT_EQ(p.label.toString(), QString::fromUtf8(r.label));
        EXPECT_EQ(p.opens, r.opens);
        EXPECT_EQ(p.icon, r.icon);
    }
}

TEST(H05d3Data, ExtendedPersonsFollowTheNumberOfTheItem)
{
    for (int k = 0; k < itemCount; ++k) {
        const std::set<int> got = {extendedPerson(k, 1), extendedPerson(k, 2), extendedPerson(k, 3)};
        const std::set<int> want = singular(k) ? std::set<int>{1, 2, 3} : std::set<int>{11, 22, 33};
        EXPECT_EQ(got, want) << k;
    }
    EXPECT_EQ(extendedPerson(4, 3), 3);
    EXPECT_EQ(extendedPerson(0, 2), 22);
}

TEST(H05d3Data, BasicRowsAndWorkedExample)
{
    const int expected[basicCount] = {22, 11, 44, 2, 1, 2};
    for (int k = 0; k < basicCount; ++k)
        EXPECT_EQ(basicPerson(k), expected[k]) << k;
    EXPECT_EQ(workedExample.picture, 0);
    EXPECT_EQ(person(workedExample.person).label.toString(), "(ti)");
    EXPECT_EQ(person(workedExample.person).icon, 56);
    EXPECT_EQ(workedExample.sentence.toString(), "Moziba mentek.");
}

TEST(H05d3Data, DictionaryFormsOfTheMainVerbs)
{
    const Lists l;
    EXPECT_EQ(dictionaryForm(4), "lakik");
    for (int k : {0, 11, 29})
        EXPECT_EQ(dictionaryForm(k), "megy") << k;
    for (int k = 0; k < itemCount; ++k)
        if (k != 4) {
            EXPECT_EQ(dictionaryForm(k), l.ige[k]) << k;
        }
}
