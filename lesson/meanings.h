#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>

// The English meaning of every word the lesson shows, by dictionary form, in
// the sense the lesson uses it: hallgat is "to listen (to)" here, not "to be
// silent". A word the lesson shows inflected ("lányok", "Budapesten", the
// stem "lak") reaches its entry through the lesson's own forms, so a meaning
// never waits for the Hungarian dictionary.
namespace lumora::meanings {

enum class Kind { Verb, Noun, Adjective, Adverb, Pronoun, Article, Conjunction, Name };

struct Meaning {
    QStringView word;     // the dictionary form: "lakik", "lány", "Péter"
    QStringView english;  // a short gloss, its most useful sense first: "to listen (to)"
    Kind kind;
};

// "verb", "noun", ...
QString kindName(Kind kind);

// Every entry, in the order of the table.
std::span<const Meaning> all();

// The entry of a dictionary form; nullptr for a word the lesson does not have.
const Meaning* find(QStringView word);

// The dictionary form of a word as the lesson shows it: "lak" is lakik,
// "lányok" lány, "Az" az. A word the lesson does not have comes back as it is.
QString dictionaryForm(QStringView shown);

// "sétál — to walk".
QString gloss(const Meaning& m);

// The glosses of the words of a text, in the order of the text, each
// dictionary form once: "(Mi)" gives "mi — we". Words the lesson does not
// have are left out.
QStringList glosses(QStringView text);

// Exercise 3's picture of an item: its subject, key word and verb. The verb
// is named by its dictionary form, as the hint names it, never in the form
// the sentence asks for.
QStringList pictureGlosses(int item);

// The words exercise 1, 2, 3 or 5 shows, as its tables show them ("lányok",
// "Az"), each once, in the order they first come.
QStringList wordsShown(int exercise);

} // namespace lumora::meanings
