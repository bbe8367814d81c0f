#include "core/voice.h"

#include <QLibrary>
#include <espeak-ng/speak_lib.h>

namespace lumora::voice {
namespace {

// Words per minute: espeak-ng's own rate, and a slower one for learners.
constexpr int normalRate = 175;
constexpr int slowRate = 115;

// The library's functions, typed from its header.
struct Espeak {
    decltype(&espeak_Initialize) initialize = nullptr;
    decltype(&espeak_SetVoiceByName) setVoiceByName = nullptr;
    decltype(&espeak_SetSynthCallback) setSynthCallback = nullptr;
    decltype(&espeak_SetParameter) setParameter = nullptr;
    decltype(&espeak_Synth) synth = nullptr;
};

template <class F>
bool resolve(QLibrary& library, const char* name, F& function)
{
    function = reinterpret_cast<F>(library.resolve(name));
    return function != nullptr;
}

Espeak espeak;
bool tried = false;
int rate = 0;
std::vector<qint16>* filling = nullptr; // the buffer of the synthesis under way

int collect(short* samples, int count, espeak_EVENT*)
{
    if (samples && filling)
        filling->insert(filling->end(), samples, samples + count);
    return 0; // go on
}

bool load()
{
    static QLibrary library(QStringLiteral("espeak-ng"), 1);
    if (!library.load())
        return false;
    Espeak e;
    if (!resolve(library, "espeak_Initialize", e.initialize) ||
        !resolve(library, "espeak_SetVoiceByName", e.setVoiceByName) ||
        !resolve(library, "espeak_SetSynthCallback", e.setSynthCallback) ||
        !resolve(library, "espeak_SetParameter", e.setParameter) || !resolve(library, "espeak_Synth", e.synth))
        return false;
    // Without DONT_EXIT the library ends the program when its data is missing.
    const int samplesPerSecond = e.initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (samplesPerSecond <= 0 || e.setVoiceByName("hu") != EE_OK)
        return false;
    e.setSynthCallback(collect);
    espeak = e;
    rate = samplesPerSecond;
    return true;
}

} // namespace

bool open()
{
    if (!tried) {
        tried = true;
        load();
    }
    return rate > 0;
}

int sampleRate() { return rate; }

std::vector<qint16> synthesise(const QString& text, bool slowly)
{
    std::vector<qint16> pcm;
    if (rate <= 0 || text.trimmed().isEmpty())
        return pcm;
    const QByteArray utf8 = text.toUtf8();
    espeak.setParameter(espeakRATE, slowly ? slowRate : normalRate, 0);
    filling = &pcm;
    espeak.synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    filling = nullptr;
    return pcm;
}

} // namespace lumora::voice
