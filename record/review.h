#pragma once
#include <compare>
#include <vector>

// The review boxes: which items an exercise offers again, derived by
// replaying the record's first tries, so nothing beyond the answers is kept.
namespace lumora::record {

// A missed item enters box 1; a right first try in a review run moves it one
// box up, and out of the review from the last box.
inline constexpr int boxCount = 2;

// An item as the record keeps it (item and person). Exercises 1 and 2 ask
// basic items and extended verb-person pairs, whose numbers overlap, so the
// kind is part of the item; exercises 3 and 5 ask the same items either way.
struct ReviewItem {
    int exercise;
    bool extended;
    int item;
    int person;
    auto operator<=>(const ReviewItem&) const = default;
};

// The first answer to an item in one run: right, or wrong (a Solution too).
struct FirstTry {
    ReviewItem item;
    bool right;
    bool review; // in a review run
};

struct Waiting {
    ReviewItem item;
    int box; // 1 .. boxCount
};

// What waits after these first tries (oldest first): every exercise's items,
// by exercise, then box, then the time each entered its box, oldest first.
std::vector<Waiting> boxes(const std::vector<FirstTry>& tries);

// The items of one exercise that a review run asks, in that order.
std::vector<ReviewItem> waiting(const std::vector<FirstTry>& tries, int exercise);

} // namespace lumora::record
