#pragma once
#include <QString>
#include <QStringView>
#include <array>

// Everything exercise 3 knows: 32 picture items, the persons, the verb
// endings, the fixed rows of the basic series and the worked example.
namespace lumora::h05d3 {

constexpr int itemCount = 32;

// One list of the window: entry k belongs to item (and picture) k.
using Column = std::array<QString, itemCount>;

// Fill (or restore) all 32 entries of one list.
void allista(Column& al);     // subject of the sentence
void igelista(Column& ige);   // verb stem: third person singular without ending
void hatlista(Column& hat);   // place or object phrase, first accepted variant
void hatalista(Column& hata); // key noun of the phrase, shown as a main word
void hatblista(Column& hatb); // place or object phrase, second accepted variant

// Items 3..21 have a singular subject, the others a plural one.
bool singular(int item);

// A person code: one digit singular, two equal digits plural; 44 is the
// polite plural of the basic series.
struct Person {
    int code;
    QStringView pronoun; // empty for 3: the item's own subject takes its place
    QStringView label;   // text of the person label; empty for 3: the subject itself
    bool opens;          // the subject word opens the sentence (third persons)
    int icon;            // personicon id; 0 where the person has no icon
};
const Person& person(int code);

// The person of the extended variant for a draw of 1..3.
int extendedPerson(int item, int choice);

// Personal ending of an item for a person; empty where the item has none.
QString ending(int item, int personcode);

// Items 0, 11 and 29 (verb megy) change the stem with the person.
bool irregular(int item);
QString megyStem(int personcode);

// The verb as the hint names it: the dictionary form.
QString dictionaryForm(int item);

// What the place or object phrase of an item says, in English: "in front of
// the university", "a newspaper".
QString phraseInEnglish(int item);

// The subject of an item in a person: its pronoun, or for person 3 the item's
// own subject ("Albert", "a tanárnő").
QString subject(int item, int personcode);

// The two accepted sentences of an item in a person: the subject where it
// opens the sentence, the phrase (hat for the first, hatb for the second),
// the verb with its ending and a full stop; the first letter a capital.
struct Sentences {
    QString first;
    QString second;
};
Sentences sentences(int item, int personcode);

// The basic series: items 0..5, each with its fixed person.
constexpr int basicCount = 6;
int basicPerson(int item);

// The worked example: item 0 in its basic form.
struct Example {
    int picture;
    int person;
    QStringView sentence;
};
constexpr Example workedExample{0, 22, u"Moziba mentek."};

} // namespace lumora::h05d3
