#include "record/rightform.h"

#include "lesson/sentences.h"
#include "lesson/text.h"
#include "lesson/verbs.h"
#include "record/review.h"

namespace lumora::record {

QString rightForm(int exercise, Variant variant, int item, int person)
{
    switch (exercise) {
    case 1:
    case 2: {
        // A review run writes an extended pair after the basic items.
        const ReviewItem asked = firstTry(exercise, variantName(variant), item, person, false).item;
        if (asked.extended)
            return asked.item >= 0 && asked.item < h05d1::verbCount ? h05d1::extendedAnswer(asked.item, person)
                                                                  : QString();
        return item >= 0 && item < h05d1::itemCount ? h05d1::basicAnswer(item) : QString();
    }
    case 3:
        return item >= 0 && item < h05d3::itemCount ? h05d3::sentences(item, person).first : QString();
    case 5: {
        if (item < 0 || item >= h05d5::gapCount || person < 0 || person >= h05d5::personCount)
            return {};
        if (const h05d5::Stem* stem = h05d5::stemOf(item))
            return stem->whole.toString();
        h05d5::SuffixList list;
        h05d5::persons[person].fill(list);
        return list[item];
    }
    }
    return {};
}

QString itemName(int exercise, Variant variant, int item, int person)
{
    // Where the person is chosen or drawn, the right form depends on it.
    if (exercise == 5 && person >= 0 && person < h05d5::personCount)
        return QStringLiteral("gap %1 (%2)").arg(item + 1).arg(h05d5::persons[person].item);
    if (const ReviewItem asked = firstTry(exercise, variantName(variant), item, person, false).item; asked.extended)
        return QStringLiteral("verb %1 (%2)").arg(asked.item + 1).arg(h05d1::pronoun(person));
    return QStringLiteral("item %1").arg(item + 1);
}

} // namespace lumora::record
