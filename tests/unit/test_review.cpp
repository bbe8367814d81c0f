// The review boxes left by sequences of first tries, written out by hand.
#include "record/review.h"
#include "record/run.h"
#include "recording.h"

#include <gtest/gtest.h>
#include <string>

using namespace lumora::record;

namespace {

// Items of exercise 1 (basic and extended, same numbers), 3 and 5.
const ReviewItem a{1, false, 3, 3};
const ReviewItem b{1, false, 20, 4};
const ReviewItem c{1, false, 40, 5};
const ReviewItem aExtended{1, true, 3, 3};
const ReviewItem picture{3, false, 7, 22};
const ReviewItem gapTe{5, false, 4, 2};
const ReviewItem gapEn{5, false, 4, 1};

FirstTry miss(ReviewItem i) { return {i, false, false}; }
FirstTry right(ReviewItem i) { return {i, true, false}; }
FirstTry reviewRight(ReviewItem i) { return {i, true, true}; }
FirstTry reviewMiss(ReviewItem i) { return {i, false, true}; }

struct Case {
    std::string name;
    std::vector<FirstTry> tries;
    std::vector<Waiting> left;
};

const Case cases[] = {
    {"nothing missed, nothing waits", {right(a), right(b)}, {}},
    {"a miss enters box 1", {right(b), miss(a)}, {{a, 1}}},
    {"a right answer outside a review leaves the box", {miss(a), right(a), right(a)}, {{a, 1}}},
    {"one right review moves it to box 2", {miss(a), reviewRight(a)}, {{a, 2}}},
    {"two right reviews let it go", {miss(a), reviewRight(a), reviewRight(a)}, {}},
    {"a review miss in box 2 goes back to box 1", {miss(a), reviewRight(a), reviewMiss(a)}, {{a, 1}}},
    {"a miss in a basic run goes back to box 1", {miss(a), reviewRight(a), miss(a)}, {{a, 1}}},
    {"gone, then missed again: box 1", {miss(a), reviewRight(a), reviewRight(a), miss(a)}, {{a, 1}}},
    {"a right review of an item not waiting changes nothing", {reviewRight(a), miss(b)}, {{b, 1}}},
    {"box 1 first, each box oldest first", {miss(a), miss(b), miss(c), reviewRight(b)}, {{a, 1}, {c, 1}, {b, 2}}},
    {"missed again, it is the newest of box 1", {miss(a), miss(b), miss(a)}, {{b, 1}, {a, 1}}},
    {"box 2 in order of moving there", {miss(a), miss(b), reviewRight(b), reviewRight(a)}, {{b, 2}, {a, 2}}},
    {"basic item and extended pair with the same numbers are apart",
     {miss(a), reviewRight(aExtended), miss(aExtended), reviewRight(aExtended)}, {{a, 1}, {aExtended, 2}}},
    {"one gap of two persons is two items", {miss(gapTe), miss(gapEn), reviewRight(gapEn)}, {{gapTe, 1}, {gapEn, 2}}},
    {"by exercise first", {miss(gapTe), miss(picture), reviewRight(a), miss(c)}, {{c, 1}, {picture, 1}, {gapTe, 1}}},
};

} // namespace

TEST(ReviewBoxes, EachSequenceLeavesItsBoxes)
{
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const std::vector<Waiting> left = replay(k.tries).waiting();
        ASSERT_EQ(left.size(), k.left.size());
        for (std::size_t i = 0; i < left.size(); ++i) {
            EXPECT_EQ(left[i].item, k.left[i].item) << "at " << i;
            EXPECT_EQ(left[i].box, k.left[i].box) << "at " << i;
        }
    }
}

TEST(ReviewBoxes, AReviewAsksOneExercisesItemsInBoxOrder)
{
    const std::vector<FirstTry> tries{miss(gapTe), miss(a), miss(b), reviewRight(a), miss(gapEn)};
    EXPECT_EQ(replay(tries).waiting(1), (std::vector<ReviewItem>{b, a}));
    EXPECT_EQ(replay(tries).waiting(5), (std::vector<ReviewItem>{gapTe, gapEn}));
    EXPECT_TRUE(replay(tries).waiting(3).empty());
}

// As the record writes them: an extended pair answered in a review run is the
// pair of the extended run, not the basic item with its number; exercise 3's
// variants ask the same items.
TEST(ReviewBoxes, ReviewAnswersNameTheItemsTheyReview)
{
    const FirstTry extendedMiss = firstTry(1, u"extended", 5, 2, false);
    EXPECT_EQ(extendedMiss.item, (ReviewItem{1, true, 5, 2}));
    EXPECT_EQ(reviewedItem(extendedMiss.item), 69);
    const FirstTry reviewed = firstTry(1, u"review", 69, 2, true);
    EXPECT_EQ(reviewed.item, extendedMiss.item);
    EXPECT_TRUE(reviewed.review);
    EXPECT_EQ(firstTry(1, u"review", 5, 3, true).item, (ReviewItem{1, false, 5, 3}));
    EXPECT_EQ(reviewedItem({1, false, 5, 3}), 5);
    // At the boundary: the last basic item, and the first extended verb as a review run writes it.
    const std::vector<FirstTry> boundary{firstTry(1, u"extended", 0, 2, false), firstTry(2, u"basic", 63, 6, false),
                                         firstTry(1, u"review", 64, 2, true), firstTry(2, u"review", 63, 6, true)};
    const std::vector<Waiting> moved = replay(boundary).waiting();
    ASSERT_EQ(moved.size(), 2u);
    EXPECT_EQ(moved[0].item, (ReviewItem{1, true, 0, 2}));
    EXPECT_EQ(moved[1].item, (ReviewItem{2, false, 63, 6}));
    EXPECT_EQ(moved[0].box + moved[1].box, 4);
    EXPECT_EQ(firstTry(3, u"extended", 7, 22, false).item, firstTry(3, u"basic", 7, 22, false).item);
    EXPECT_EQ(firstTry(3, u"review", 7, 22, true).item, (ReviewItem{3, false, 7, 22}));
}

// What a run says on the progress line and at its end, counted by hand.
TEST(RunLines, ARunCountsFirstTriesMistakesAndWhatWaits)
{
    class : public Recorder {
        void runStarted(int, Variant) override {}
        void answered(const Answer&) override {}
        void runEnded(bool) override {}
    } nowhere;
    lumora::record::Run run(nowhere);

    run.start(1, Variant::Basic, 3);
    run.answered(a.item, a.person, {}, QStringLiteral("x"), false);
    run.answered(a.item, a.person, {}, std::nullopt, false); // Solution
    run.answered(a.item, a.person, {}, QStringLiteral("ok"), true);
    run.answered(b.item, b.person, {}, QStringLiteral("ok"), true);
    run.answered(c.item, c.person, {}, QStringLiteral("y"), false);
    run.answered(c.item, c.person, {}, QStringLiteral("ok"), true);
    EXPECT_EQ(run.progress(), QStringLiteral("3 of 3 right · 3 mistakes"));
    run.end(true);
    EXPECT_EQ(run.summary({a, c}),
              QStringLiteral("1 of 3 right at the first try · 3 mistakes · 2 items wait for review"));

    // A review run names an extended pair as the extended run did: of the
    // three items asked, only the basic item a is no longer waiting.
    run.start(1, Variant::Review, 3);
    EXPECT_EQ(run.progress(), QStringLiteral("Review: 0 of 3 right · 0 mistakes"));
    run.answered(a.item, a.person, {}, QStringLiteral("ok"), true);
    run.answered(reviewedItem(aExtended), aExtended.person, {}, QStringLiteral("ok"), true);
    run.answered(c.item, c.person, {}, QStringLiteral("y"), false);
    run.answered(c.item, c.person, {}, QStringLiteral("ok"), true);
    EXPECT_EQ(run.progress(), QStringLiteral("Review: 3 of 3 right · 1 mistake"));
    run.end(true);
    EXPECT_EQ(run.summary({c, aExtended}), QStringLiteral("2 of 3 right at the first try · 1 mistake · 1 item left "
                                                          "the review · 2 items wait for review"));

    run.start(3, Variant::Basic, 1);
    run.answered(picture.item, picture.person, {}, QStringLiteral("ok"), true);
    run.end(true);
    EXPECT_EQ(run.summary({}),
              QStringLiteral("1 of 1 right at the first try · no mistakes · no items wait for review"));
}
