#pragma once
#include <optional>

namespace lumora {

// The options that need no window (--help, --version, --export-csv FILE): the
// exit code when one of them has done its work, nothing when the program is to
// start.
std::optional<int> commandLine();

// Opens the first window exactly as the program does at start-up.
void start();

} // namespace lumora
