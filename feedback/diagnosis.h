#pragma once
#include <QString>

// Names the mistake in a wrong answer. The expected answer comes from the
// lesson's tables; what the typed word is comes from those tables and, once
// it has loaded, from the Hungarian dictionary (feedback/analyser.h): another
// person's form, the past tense, the definite conjugation, another case. A
// word the dictionary does not know is named as the slip of spelling it is.
// Nothing is said that the typed word does not show. The text never holds the
// expected answer (Solution shows that); it may quote what was typed.
namespace lumora::feedback {

class Analyser;

enum class Kind {
    Other, Person, Harmony, Accents, Stem, MissingWord, ExtraWord, Order, Case,
    Capitals, Spelling, Punctuation, Tense, Definite, Ending, Verb, Meaning,
};

// The short name the learner's record keeps: "person", "harmony", ...
QString kindName(Kind kind);
// How a kind the record keeps reads for a learner: "another person's form",
// "vowel harmony", ...; a name it does not know is shown as it is.
QString kindLabel(const QString& name);
// What the learner's record keeps of a diagnosis: its kind's name, or none
// when no mistake was named.
inline QString recordedKind(Kind kind) { return kind == Kind::Other ? QString() : kindName(kind); }

// The analyser the diagnosis reads: Analyser::shared() unless another is set
// (tests set one that never loads, or nullptr to set the shared one back).
void useAnalyser(const Analyser* analyser);

struct Diagnosis {
    Kind kind = Kind::Other;
    QString text;  // one or two English sentences; empty when there is nothing to say
};

// tries counts the wrong answers on the same item, this one included. From
// the second on, the text ends with a hint that grows by one letter a try
// and never shows more than half of the word or ending it hints at.

// Exercises 1 and 2: a basic item (0..63), or a verb of the extended list
// (0..26) in a person (1 én .. 5 ők). typed is the joined text of both fields.
Diagnosis basicAnswer(int item, const QString& typed, int tries);
Diagnosis extendedAnswer(int verb, int person, const QString& typed, int tries);

// Exercise 3: an item with its person code and its two accepted sentences;
// typed as the check has normalised it.
Diagnosis sentence(int item, int personcode, const QString& sentenceA, const QString& sentenceB,
                   const QString& typed, int tries);

// Exercise 5: gap 0..17 for a person (0 Péter .. 5 ők); stem is the trimmed
// stem field before a stem gap (ignored for the other gaps), typed the
// trimmed gap text.
Diagnosis gapAnswer(int gap, int person, const QString& stem, const QString& typed, int tries);

} // namespace lumora::feedback
