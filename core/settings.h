#pragma once

namespace lumora {

// Names the application, so that its settings are kept in
// $XDG_CONFIG_HOME/lumora/lumora.conf. A settings file left by a program
// that had no organisation name ("Unknown Organization/lumora.conf") is
// moved there, once: a file already there wins.
void nameApplication();

} // namespace lumora
