#pragma once
#include <QString>

namespace lumora {

// Resource path of a person icon, 51..58.
QString personIconPath(int id);

} // namespace lumora
