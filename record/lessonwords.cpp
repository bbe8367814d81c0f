#include "record/lessonwords.h"

#include "lesson/pictures.h"
#include "lesson/sentences.h"
#include "lesson/text.h"
#include "lesson/verbs.h"
#include "record/review.h"

namespace lumora::record {
namespace {

Words verbWords(int exercise, Variant variant, int item, int person)
{
    using namespace h05d1;
    // A review run writes an extended pair after the basic items.
    const ReviewItem asked = firstTry(exercise, variantName(variant), item, person, false).item;
    if (!asked.extended) // a basic item has its own person
        return item >= 0 && item < itemCount
                   ? Words{basicItem(item).verb.toString(), pronoun(itemPerson(item)), basicAnswer(item)}
                   : Words{};
    if (asked.item < 0 || asked.item >= verbCount || person < en || person > ok)
        return {};
    return {igeblista().at(asked.item), pronoun(person), extendedAnswer(asked.item, person)};
}

Words pictureWords(Variant variant, int item, int personcode)
{
    using namespace h05d3;
    item = firstTry(3, variantName(variant), item, personcode, false).item.item; // a heard one of a review run
    if (item < 0 || item >= itemCount || person(personcode).code != personcode)
        return {};
    return {pictureDescription(item), subject(item, personcode), sentences(item, personcode).first};
}

Words gapWords(int gap, int person)
{
    using namespace h05d5;
    if (gap < 0 || gap >= gapCount || person < 0 || person >= personCount)
        return {};
    SuffixList suffixes;
    persons[person].fill(suffixes);
    const Stem* stem = stemOf(gap);
    return {gapWord(gap), persons[person].item.toString(), stem ? stem->whole.toString() : suffixes[gap]};
}

} // namespace

Words lessonWords(int exercise, Variant variant, int item, int person)
{
    switch (exercise) {
    case 1:
    case 2: return verbWords(exercise, variant, item, person);
    case 3: return pictureWords(variant, item, person);
    case 5: return gapWords(item, person);
    }
    return {};
}

} // namespace lumora::record
