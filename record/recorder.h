#pragma once
#include <QString>
#include <optional>

// The learner's record as the exercises' logic sees it: runs and judged
// answers go in, nothing comes back. The program writes them to SQLite
// (record/store.h); logic tests keep them in memory.
namespace lumora::record {

// Listen: exercise 3's sentences heard, not seen.
enum class Variant { Basic, Extended, Review, Listen };
// 'basic', 'extended', 'review', 'listen': how a variant is written in the record.
QString variantName(Variant v);

// An answer in the words the learner saw, so that the record can show it
// later without knowing the exercise.
struct Words {
    QString prompt;   // the verb, the picture's description or the word the gap completes
    QString person;   // "te", "Albert", "önök", "Péter"
    QString expected; // the answer the exercise expected (its first, where it takes two)
};

struct Answer {
    int exercise;                 // 1, 2, 3 or 5
    Variant variant;
    int item;                     // item, verb index or gap, as the exercise counts them
    int person;                   // the exercise's own person number or code
    std::optional<QString> typed; // normalised; none for a Solution
    bool correct;
    QString mistake;              // kind of mistake, empty when there is none
    Words words;
};

class Recorder {
public:
    virtual ~Recorder() = default;
    virtual void runStarted(int exercise, Variant variant) = 0;
    // Belongs to the run started last.
    virtual void answered(const Answer& answer) = 0;
    virtual void runEnded(bool finished) = 0;
};

// The recorder the windows hand to their logic. Until one is installed it
// forgets everything.
Recorder& recorder();
// Installs another recorder (not owned); nullptr goes back to forgetting.
void setRecorder(Recorder* r);

} // namespace lumora::record
