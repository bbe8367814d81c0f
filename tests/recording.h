#pragma once
#include "core/prompter.h"
#include "core/random.h"
#include "core/speaker.h"
#include "record/recorder.h"
#include "record/review.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <ostream>
#include <vector>

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << l.join(QStringLiteral(" | ")).toStdString(); }

namespace lumora::test {

// Records beeps and messages instead of showing them. Installed for its lifetime.
class RecordingPrompter : public Prompter {
public:
    struct Message {
        QString text;
        QString title;
        Icon icon;
        QString detail;
    };
    RecordingPrompter();
    ~RecordingPrompter() override;
    void beep() override;
    void message(const QString& text, const QString& title, Icon icon, const QString& detail = {}) override;

    // "beep" and the message texts, in the order they came.
    QStringList events;
    std::vector<Message> messages;
    int beeps = 0;
    void clear();
};

// Records what is said instead of saying it. Installed for its lifetime.
class RecordingSpeaker : public Speaker {
public:
    RecordingSpeaker();
    ~RecordingSpeaker() override;
    void say(const QString& text) override
    {
        said << text;
        if (events)
            *events << QStringLiteral("say ") + text;
    }
    void stop() override { ++stops; }
    QString silence() const override { return why; }
    void prepare() override { ++prepares; }
    // As the program's speaker finds out that nothing can be heard, or can again.
    void setSilence(const QString& silence);

    QStringList said;
    // When set (a RecordingPrompter's events), each utterance goes there too,
    // as "say <text>", in its order among the boxes.
    QStringList* events = nullptr;
    int stops = 0;
    int prepares = 0;

private:
    QString why;
};

// Hands out scripted numbers, then falls back to a fixed sequence that visits
// the whole of [0, 1). Installed for its lifetime.
class ScriptedRandom : public Random {
public:
    ScriptedRandom();
    ~ScriptedRandom() override;
    double next() override;
    std::deque<double> script;
    int draws = 0;

private:
    double fallback = 0.0;
};

// Keeps runs and answers in memory, and gives the review the first answer to
// each item in each run, as the record's store does.
class MemoryRecorder : public record::Recorder, public record::FirstTries {
public:
    struct Run {
        int exercise;
        record::Variant variant;
        std::vector<record::Answer> answers;
        bool ended = false;
        bool finished = false;
    };
    void runStarted(int exercise, record::Variant variant) override { runs.push_back({exercise, variant, {}}); }
    void answered(const record::Answer& answer) override { runs.back().answers.push_back(answer); }
    void runEnded(bool finished) override
    {
        runs.back().ended = true;
        runs.back().finished = finished;
    }
    std::vector<record::FirstTry> firstTries() const override;
    std::vector<Run> runs;
};

} // namespace lumora::test
