#pragma once
#include <optional>

namespace lumora {

// The options that need no window (--help, --version, --export-csv FILE):
// the exit code when one of them has done its work or the command line is
// wrong, nothing when the program is to start. Read first on a
// QCoreApplication, then again on the QApplication, which takes its own
// options (-platform, -style, ...) before an unknown one is an error; a
// start without arguments needs neither.
std::optional<int> commandLine();

// Opens the first window exactly as the program does at start-up.
void start();

} // namespace lumora
