#include "record/review.h"

#include "lesson/sentences.h"
#include "lesson/text.h"
#include "lesson/verbs.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace lumora::record {
namespace {

// Where a review run starts numbering an exercise's extended pairs or heard sentences.
int afterSeen(int exercise) { return exercise == 3 ? h05d3::itemCount : h05d1::itemCount; }

} // namespace

FirstTry firstTry(int exercise, QStringView variant, int item, int person, bool correct)
{
    const bool review = variant == QLatin1String("review");
    bool extended = false;
    if (exercise == 1 || exercise == 2 || exercise == 3) {
        const QLatin1String own(exercise == 3 ? "listen" : "extended");
        extended = variant == own || (review && item >= afterSeen(exercise));
        if (review && extended)
            item -= afterSeen(exercise);
    }
    return {{exercise, extended, item, person}, correct, review};
}

int reviewedItem(const ReviewItem& item) { return item.extended ? afterSeen(item.exercise) + item.item : item.item; }

bool known(const ReviewItem& i)
{
    auto within = [](int value, int first, int count) { return value >= first && value < first + count; };
    switch (i.exercise) {
    case 1:
    case 2: {
        if (!within(i.person, 1, h05d1::personCount))
            return false;
        if (i.extended)
            return within(i.item, 0, h05d1::verbCount);
        const h05d1::ItemRange items = h05d1::exerciseItems(i.exercise);
        return within(i.item, items.first, items.count);
    }
    case 3:
        return within(i.item, 0, h05d3::itemCount) && h05d3::person(i.person).code == i.person;
    case 5:
        return within(i.item, 0, h05d5::gapCount) && within(i.person, 0, h05d5::personCount);
    }
    return false;
}

void Boxes::add(const FirstTry& f)
{
    const qint64 t = tries++;
    if (!f.right) {
        places[f.item] = {1, t}; // a miss anywhere starts again from box 1
        return;
    }
    const auto found = places.find(f.item);
    if (!f.review || found == places.end() || found->second.box == 0)
        return; // outside a review a right answer leaves the boxes alone
    found->second = {found->second.box == boxCount ? 0 : found->second.box + 1, t};
}

std::vector<Waiting> Boxes::waiting() const
{
    std::vector<std::pair<Place, ReviewItem>> order;
    for (const auto& [item, place] : places)
        if (place.box > 0)
            order.push_back({place, item});
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        return std::tie(a.second.exercise, a.first.box, a.first.since)
               < std::tie(b.second.exercise, b.first.box, b.first.since);
    });
    std::vector<Waiting> result;
    for (const auto& [place, item] : order)
        result.push_back({item, place.box});
    return result;
}

bool Boxes::everMissed(int exercise) const
{
    return std::any_of(places.begin(), places.end(), [exercise](const auto& p) { return p.first.exercise == exercise; });
}

std::vector<ReviewItem> Boxes::waiting(int exercise) const
{
    std::vector<ReviewItem> items;
    for (const Waiting& w : waiting())
        if (w.item.exercise == exercise)
            items.push_back(w.item);
    return items;
}

Boxes replay(const std::vector<FirstTry>& tries)
{
    Boxes b;
    for (const FirstTry& f : tries)
        b.add(f);
    return b;
}

Boxes FirstTries::reviewBoxes() const { return replay(firstTries()); }

namespace {

class Nothing : public FirstTries {
public:
    std::vector<FirstTry> firstTries() const override { return {}; }
};

const Nothing nothing;
const FirstTries* installed = nullptr;

} // namespace

const FirstTries& reviewRecord() { return installed ? *installed : nothing; }
void setReviewRecord(const FirstTries* r) { installed = r; }

Offer offer(const FirstTries& record, int exercise)
{
    const Boxes b = record.reviewBoxes();
    return {b.waiting(exercise), b.everMissed(exercise)};
}

ReviewButton reviewButton(const Offer& offer, bool running)
{
    const int count = int(offer.items.size());
    return {offer.everMissed, count > 0 && !running,
            count > 0 ? QStringLiteral("Re&view (%1)").arg(count) : QStringLiteral("Re&view")};
}

void ReviewControl::show(int exercise, bool running)
{
    shown = reviewButton(offer(record, exercise), running);
    view.setReview(shown);
}

void ReviewControl::hold()
{
    shown.enabled = false;
    view.setReview(shown);
}

} // namespace lumora::record
