#include "ui/morehelp.h"

#include "record/review.h"

namespace lumora {

QStringList reviewAndProgressHelp()
{
    return {QStringLiteral("Review: an item you miss (a wrong first answer, or Solution) waits for review. The "
                           "\"Review\" button of each exercise (Alt+V) asks the waiting items again, and the menu "
                           "shows their number beside each exercise. An item that is right at the first try in "
                           "%1 review runs leaves the review; a new miss brings it back.")
                .arg(record::boxCount),
            QStringLiteral("My progress (in the Options menu of the exercises and the Help menu of the menu) shows, "
                           "for each exercise, your finished runs and how many items were right at the first try, "
                           "the time you practised, the items you missed most often with their right form, and "
                           "your most frequent kinds of mistake. It follows your answers while it is open; Escape "
                           "closes it.")};
}

} // namespace lumora
