#include "recording.h"

#include <cmath>

namespace lumora::test {

RecordingPrompter::RecordingPrompter() { setPrompter(this); }
RecordingPrompter::~RecordingPrompter() { setPrompter(nullptr); }

void RecordingPrompter::beep()
{
    ++beeps;
    events << QStringLiteral("beep");
}

void RecordingPrompter::message(const QString& text, const QString& title, Icon icon, const QString& detail)
{
    messages.push_back({text, title, icon, detail});
    events << text;
}

void RecordingPrompter::clear()
{
    events.clear();
    messages.clear();
    beeps = 0;
}

ScriptedRandom::ScriptedRandom() { setRandom(this); }
ScriptedRandom::~ScriptedRandom() { setRandom(nullptr); }

double ScriptedRandom::next()
{
    ++draws;
    if (!script.empty()) {
        const double r = script.front();
        script.pop_front();
        return r;
    }
    // Golden-ratio steps: evenly spread, never repeating.
    fallback = std::fmod(fallback + 0.6180339887498949, 1.0);
    return fallback;
}

} // namespace lumora::test
