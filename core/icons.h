#pragma once
#include <QString>

namespace lumora {

// Resource path of a person icon (51..58): stick figures whose heads are the
// digit of the grammatical person, one figure for the singular, two for the
// plural, with hats for the polite forms (54, 58).
QString personIconPath(int id);

// The pronoun an icon stands for ("én" for 51, "önök" for 58), as a screen
// reader names it; empty for any other id.
QString personIconPronoun(int id);

// What an icon shows, for its tooltip: "The person: mi (we)".
QString personIconTip(int id);

} // namespace lumora
