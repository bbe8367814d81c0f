#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>

// Word lists of exercises 1 and 2: personal endings of verbs in the present
// tense. The basic variant has 64 fixed items, the extended one ("Plus")
// combines 27 verbs with a drawn person.
namespace lumora::h05d1 {

constexpr int itemCount = 64;
constexpr int verbCount = 27;

// ---- Persons ------------------------------------------------------------------

// A person is its draw number in the extended variant.
enum Person { en = 1, te, mi, ti, ok };
constexpr int personCount = 5;

QString pronoun(int person);  // "én", "te", "mi", "ti", "ők"
int personicon(int person);   // the icon resource showing the person
// The person a pronoun stands for; 0 for any other text.
int personOf(const QString& pronoun);

// ---- Basic items ----------------------------------------------------------------

struct BasicItem {
    QStringView verb;    // the stem shown in the verb field
    QStringView ending;  // what the learner adds
};
const BasicItem& basicItem(int item);
// The person of an item (shown by nevmas).
int itemPerson(int item);

// The items of exercise 1 or 2: first index and how many.
struct ItemRange {
    int first;
    int count;
};
ItemRange exerciseItems(int exercise);

// The 64 item verbs, in item order (itemverb at the start of a run).
QStringList itemverblista();

// ---- Extended variant ------------------------------------------------------------

// The 27 verbs, in verb-index order.
QStringList igeblista();
// The ending of a verb index in a person.
QString ragb(int verb, int person);

// ---- Answers and field set-up -----------------------------------------------------

// The complete form for a verb, person and ending: van and megy change their stem.
QString answerForm(QStringView verb, int person, QStringView ending);
QString basicAnswer(int item);
QString extendedAnswer(int verb, int person);

// lak (dictionary form lakik) starts with "ik" in the ending field.
bool prefillsIk(QStringView verb);
// van and megy change their stem, so their verb field is editable.
bool stemChanges(QStringView verb);

} // namespace lumora::h05d1
