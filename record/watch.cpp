#include "record/watch.h"

namespace lumora::record {

void Watch::runStarted(int exercise, Variant variant)
{
    record.runStarted(exercise, variant);
    emit written();
}

void Watch::answered(const Answer& answer)
{
    record.answered(answer);
    emit written();
}

void Watch::runEnded(bool finished)
{
    record.runEnded(finished);
    emit written();
}

} // namespace lumora::record
