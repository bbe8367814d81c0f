#include "h05d1_tables.h"
#include "lesson/verbs.h"
#include "recording.h"

#include <gtest/gtest.h>

using namespace lumora::h05d1;
using namespace lumora::test::h05d1_tables;

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
