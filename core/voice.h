#pragma once
#include <QString>
#include <QtGlobal>
#include <vector>

// The Hungarian voice of libespeak-ng, loaded when first opened (never at
// start-up: the library is not linked). The library keeps global state and
// is not thread-safe, so one thread at a time uses these: the program's
// speaker thread, or a test.
namespace lumora::voice {

// Loads the library and the voice "hu"; false when either is missing.
// Tried once: the answer stays for the session.
bool open();
// Samples per second of what synthesise() gives; 0 until open() succeeded.
int sampleRate();
// The text (UTF-8 for the library) as PCM, mono, 16 bit; slowly: at a rate
// for learners. Empty when the voice is not open.
std::vector<qint16> synthesise(const QString& text, bool slowly);

} // namespace lumora::voice
