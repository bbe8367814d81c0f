#pragma once
#include "record/recorder.h"

namespace lumora::record {

// The words of an answer that an earlier record kept without them, from the
// lesson's tables, as the exercise showed them; none for an item or person
// that the exercise does not have.
Words lessonWords(int exercise, Variant variant, int item, int person);

} // namespace lumora::record
