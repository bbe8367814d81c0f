#pragma once

class QObject;

namespace lumora {

class Speaker;

// The program's speaker: the Hungarian voice (core/voice.h) on a thread of
// its own that owns it, played through the sound server. Starts its thread at
// the first utterance or preparation; stops it when the application quits.
Speaker* makeSpeech(QObject* parent);

} // namespace lumora
