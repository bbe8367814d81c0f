#pragma once
#include "record/recorder.h"

namespace lumora::record {

// The answer an exercise expects for an item and person as the record keeps
// them, so that the progress window can show a missed item's right form.
QString rightForm(int exercise, Variant variant, int item, int person);

// How the progress window names an item: "item 12", "verb 3 (mi)", "gap 7 (te)".
QString itemName(int exercise, Variant variant, int item, int person);

} // namespace lumora::record
