#pragma once
#include <QString>

namespace lumora {

// Resource path of a person icon (51..58): stick figures whose heads are the
// digit of the grammatical person, one figure for the singular, two for the
// plural, with hats for the polite forms (54, 58).
QString personIconPath(int id);

} // namespace lumora
