#include "recording.h"

#include <cmath>
#include <set>
#include <tuple>

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

RecordingSpeaker::RecordingSpeaker() { setSpeaker(this); }
RecordingSpeaker::~RecordingSpeaker() { setSpeaker(nullptr); }

void RecordingSpeaker::setSilence(const QString& silence)
{
    why = silence;
    emit silenceChanged();
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

std::vector<record::FirstTry> MemoryRecorder::firstTries() const
{
    std::vector<record::FirstTry> tries;
    for (const Run& run : runs) {
        std::set<std::tuple<int, record::Variant, int, int>> seen;
        for (const record::Answer& a : run.answers)
            if (seen.insert({a.exercise, a.variant, a.item, a.person}).second)
                tries.push_back(record::firstTry(a.exercise, record::variantName(a.variant), a.item, a.person,
                                                 a.correct));
    }
    return tries;
}

} // namespace lumora::test
