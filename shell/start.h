#pragma once

namespace lumora {

// Opens the first window exactly as the program does at start-up.
void start();

} // namespace lumora
