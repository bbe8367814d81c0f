#pragma once
#include <QString>

#include <compare>
#include <map>
#include <vector>

// The review boxes: which items an exercise offers again, derived by
// replaying the record's first tries, so nothing beyond the answers is kept.
namespace lumora::record {

// A missed item enters box 1; a right first try in a review run moves it one
// box up, and out of the review from the last box.
inline constexpr int boxCount = 2;

// An item as the record keeps it (item and person). Exercises 1 and 2 ask
// basic items and extended verb-person pairs, whose numbers overlap, so the
// kind is part of the item; so is, in exercise 3, a sentence heard in a
// Listen run rather than read off the picture. Exercise 5 asks the same
// items either way.
struct ReviewItem {
    int exercise;
    bool extended; // exercises 1 and 2: an extended pair; exercise 3: a heard sentence
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

// A first try as the record writes it: variant 'basic', 'extended', 'review'
// or 'listen'. A review run of exercises 1 and 2 writes an extended pair after
// the basic items (item count + verb), so that it names the same item as the
// extended run did; one of exercise 3 writes a heard sentence after the 32
// pictures.
FirstTry firstTry(int exercise, QStringView variant, int item, int person, bool correct);
// The item number an answer in a review run is written with.
int reviewedItem(const ReviewItem& item);
// Whether the lesson has this item and person. The record may hold anything,
// and the exercises look their tables up with what it holds.
bool known(const ReviewItem& item);

// Where the missed items stand, built up one first try at a time in the
// order they were given. The store keeps it in the record, so that start-up
// replays nothing.
class Boxes {
public:
    struct Place {
        int box;      // 1 .. boxCount; 0 once reviewed out of the last box
        qint64 since; // the try that put it there, counted from the first
    };
    void add(const FirstTry& f);
    // What waits: by exercise, then box, then the time each entered its box, oldest first.
    std::vector<Waiting> waiting() const;
    // The items of one exercise that a review run asks, in that order.
    std::vector<ReviewItem> waiting(int exercise) const;
    bool everMissed(int exercise) const;

    std::map<ReviewItem, Place> places; // every item ever missed
    qint64 tries = 0;                   // the first tries counted
};

// The boxes these first tries leave (oldest first).
Boxes replay(const std::vector<FirstTry>& tries);

// The record as the review reads it: the first try of each item in each run,
// oldest first. The program's store, or the tests' memory.
class FirstTries {
public:
    virtual ~FirstTries() = default;
    virtual std::vector<FirstTry> firstTries() const = 0;
    // The boxes these tries leave; the store keeps them instead of replaying.
    virtual Boxes reviewBoxes() const;
};

// The record the windows hand to their logic; until one is installed nothing
// was ever tried.
const FirstTries& reviewRecord();
// Installs another record (not owned); nullptr goes back to none.
void setReviewRecord(const FirstTries* r);

// What an exercise window offers: the items a review run asks, and whether
// the exercise was ever missed at all (a learner who never misses never sees
// the Review button).
struct Offer {
    std::vector<ReviewItem> items;
    bool everMissed = false;
};
Offer offer(const FirstTries& record, int exercise);

// The Review button: "Re&view (7)" while items wait, "Re&view" once none does;
// usable only then and when no run is going on.
struct ReviewButton {
    bool shown;
    bool enabled;
    QString caption;
};
ReviewButton reviewButton(const Offer& offer, bool running);

// What an exercise window shows of the review: its Review button.
class ReviewView {
public:
    virtual ~ReviewView() = default;
    virtual void setReview(const ReviewButton& button) = 0;
};

// The Review button of one exercise window, kept current by its logic.
class ReviewControl {
public:
    ReviewControl(ReviewView& view, const FirstTries& record) : view(view), record(record) {}
    // Reads the record and shows the button of the exercise.
    void show(int exercise, bool running);
    // A run has begun: no count changes before it ends, so the button is only
    // disabled and the record is not read.
    void hold();
    // The items a review run of the exercise asks, in order.
    std::vector<ReviewItem> items(int exercise) const { return offer(record, exercise).items; }

private:
    ReviewView& view;
    const FirstTries& record;
    ReviewButton shown{false, false, {}};
};

} // namespace lumora::record
