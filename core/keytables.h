#pragma once
#include <QString>

namespace lumora {

// A key table turns a typed character into the Hungarian letter it stands for.
using KeyTable = QChar (*)(QChar typed);

// The main table: nine keys for the small accented letters, the same keys
// with Shift for the capitals. Every other character comes back unchanged.
QChar hunkey(QChar typed);

// The line that the "Char" buttons show: which key gives which small letter.
QString keyHelp();
// The letter whose entry of that line ("ő ( [ );") holds the character at
// `position`; none before the first letter.
QChar keyHelpLetter(qsizetype position);

// The short table of two stem fields of exercise 5: small letters only.
QChar shortkey(QChar typed);

} // namespace lumora
