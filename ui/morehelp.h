#pragma once
#include <QStringList>

namespace lumora {

// The end of every "More help..." page: the review and My progress, which
// the How-to pages leave out.
QStringList reviewAndProgressHelp();

} // namespace lumora
