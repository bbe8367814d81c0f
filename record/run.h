#pragma once
#include "record/recorder.h"

#include <QString>

namespace lumora::record {

// One exercise window's current run: reports its start, its answers and its
// end to the recorder, and counts them for the window's progress line.
class Run {
public:
    explicit Run(Recorder& recorder) : recorder(recorder) {}
    // A window closed in the middle of a run leaves it unfinished.
    ~Run() { end(false); }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // Ends a run still open, then starts one; total 0 means it has no end.
    void start(int exercise, Variant variant, int total);
    // A judged answer (typed already normalised) or a Solution (none typed),
    // with the words the learner saw; mistake is the kind of a wrong answer,
    // empty when it has none.
    void answered(int item, int person, const Words& words, const std::optional<QString>& typed, bool correct,
                  const QString& mistake = {});
    // Ends an open run; the progress line keeps its last counts.
    void end(bool finished);
    // Ends an open run unfinished and empties the progress line.
    void reset();

    // "3 of 46 right · 2 mistakes", "12 right · 2 mistakes", or empty before
    // the first start.
    QString progress() const;

private:
    Recorder& recorder;
    int exercise = 0;
    Variant variant = Variant::Basic;
    int total = 0;
    int right = 0;
    int mistakes = 0;
    bool open = false;
    bool shown = false;
};

} // namespace lumora::record
