#include "record/review.h"

#include "lesson/sentences.h"
#include "lesson/text.h"
#include "lesson/verbs.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace lumora::record {

FirstTry firstTry(int exercise, QStringView variant, int item, int person, bool correct)
{
    const bool review = variant == QLatin1String("review");
    bool extended = false;
    if (exercise == 1 || exercise == 2) {
        extended = variant == QLatin1String("extended") || (review && item >= h05d1::itemCount);
        if (review && extended)
            item -= h05d1::itemCount;
    }
    return {{exercise, extended, item, person}, correct, review};
}

int reviewedItem(const ReviewItem& item) { return item.extended ? h05d1::itemCount + item.item : item.item; }

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

std::vector<Waiting> boxes(const std::vector<FirstTry>& tries)
{
    struct Place {
        int box;
        std::size_t since; // the try that put it into its box
    };
    std::map<ReviewItem, Place> in;
    for (std::size_t t = 0; t < tries.size(); ++t) {
        const FirstTry& f = tries[t];
        if (!f.right) {
            in[f.item] = {1, t}; // a miss anywhere starts again from box 1
            continue;
        }
        const auto found = in.find(f.item);
        if (!f.review || found == in.end())
            continue; // outside a review a right answer leaves the boxes alone
        if (found->second.box == boxCount)
            in.erase(found);
        else
            found->second = {found->second.box + 1, t};
    }

    std::vector<std::pair<Place, ReviewItem>> order;
    for (const auto& [item, place] : in)
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

std::vector<ReviewItem> waiting(const std::vector<FirstTry>& tries, int exercise)
{
    std::vector<ReviewItem> items;
    for (const Waiting& w : boxes(tries))
        if (w.item.exercise == exercise)
            items.push_back(w.item);
    return items;
}

Offer offer(const FirstTries& record, int exercise)
{
    const std::vector<FirstTry> tries = record.firstTries();
    Offer o{waiting(tries, exercise), false};
    o.everMissed = std::any_of(tries.begin(), tries.end(),
                               [exercise](const FirstTry& f) { return f.item.exercise == exercise && !f.right; });
    return o;
}

ReviewButton reviewButton(const Offer& offer, bool running)
{
    const int count = int(offer.items.size());
    return {offer.everMissed, count > 0 && !running,
            count > 0 ? QStringLiteral("Re&view (%1)").arg(count) : QStringLiteral("Re&view")};
}

} // namespace lumora::record
