#include "feedback/diagnosis.h"

#include "feedback/analyser.h"
#include "lesson/meanings.h"
#include "lesson/sentences.h"
#include "lesson/text.h"
#include "lesson/verbs.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <tuple>
#include <vector>

namespace lumora::feedback {
namespace {

const Analyser* chosenAnalyser = nullptr;

const Analyser& analyser() { return chosenAnalyser ? *chosenAnalyser : Analyser::shared(); }

// ---- Persons ---------------------------------------------------------------------

// One slot per person, in the order én, te, ő, mi, ti, ők: the dictionary's
// SG_1 .. PL_3.
constexpr int slotCount = 6;
constexpr int te = 1, o = 2;
using Forms = std::array<QString, slotCount>;

const std::array<QString, slotCount> slotNames = {"én", "te", "ő", "mi", "ti", "ők"};

// Exercises 1 and 2 number the persons 1 én, 2 te, 3 mi, 4 ti, 5 ők.
int slotOf12(int person)
{
    constexpr int bySlot[] = {0, 1, 3, 4, 5};
    return bySlot[person - 1];
}

// Exercise 3 by person code; 44 (önök) takes the ők form.
int slotOf3(int code)
{
    switch (code) {
    case 1: return 0;
    case 2: return 1;
    case 3: return 2;
    case 11: return 3;
    case 22: return 4;
    }
    return 5;
}

// Exercise 5 numbers its persons 0 Péter, 1 én, 2 te, 3 mi, 4 ti, 5 ők:
// Péter is the third person singular.
constexpr int slotsOf5[h05d5::personCount] = {2, 0, 1, 3, 4, 5};

// ---- Letters ---------------------------------------------------------------------

bool backVowel(QChar c) { return QStringView(u"aáoóuú").contains(c); }
bool frontVowel(QChar c) { return QStringView(u"eéiíöőüű").contains(c); }

// The letter with its accent, length mark or dots taken away.
QChar bare(QChar c)
{
    static const QString marked = QStringLiteral("áéíóöőúüű");
    static const QString plain = QStringLiteral("aeiooouuu");
    const int i = marked.indexOf(c);
    return i < 0 ? c : plain.at(i);
}

// A text in small letters without accents: equal folds differ in accents or
// letter case only.
QString fold(const QString& s)
{
    QString out = s.toLower();
    for (QChar& c : out)
        c = bare(c);
    return out;
}

bool punctuation(QChar c) { return QStringView(u".,;:!?").contains(c); }

QString withoutPunctuation(QString s)
{
    s.removeIf(punctuation);
    return s.simplified();
}

QString quoted(QStringView s) { return u'"' + s.toString() + u'"'; }

// The letter at i, or none past the end.
QChar letterAt(const QString& s, int i) { return i < s.size() ? s[i] : QChar(); }

int commonPrefix(const QString& a, const QString& b)
{
    int n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n])
        ++n;
    return n;
}

QString ordinal(int n)
{
    static const char* const suffixes[] = {"th", "st", "nd", "rd"};
    return QString::number(n) + QLatin1String(n >= 1 && n <= 3 ? suffixes[n] : suffixes[0]);
}

// The last word of a text piece, without the punctuation around it.
QString lastWord(QStringView text)
{
    const QStringList words = text.toString().split(u' ', Qt::SkipEmptyParts);
    QString word = words.isEmpty() ? QString() : words.last();
    while (!word.isEmpty() && punctuation(word.front()))
        word.remove(0, 1);
    return word;
}

// ---- Endings and the vowel harmony -------------------------------------------------

// The forms an ending takes with the harmony of the word it follows.
const std::vector<QStringList> endingFamilies = {
    {"nak", "nek"}, {"unk", "ünk"}, {"tok", "tek", "tök"}, {"ok", "ek", "ök"}, {"ol", "el", "öl"},
    {"om", "em", "öm"}, {"ban", "ben"}, {"ba", "be"}, {"ra", "re"}, {"on", "en", "ön"},
    {"ot", "et", "öt", "at"}, {"ul", "ül"}, {"hoz", "hez", "höz"},
};

// typed is the ending with a vowel of the harmony it does not have: a back
// vowel (a, o, u) for a front one (e, ö, ü) or the other way round, or "e"
// and "ö" swapped where the ending has a form with each (typed is one of the
// ending's own forms). Two back vowels, or "ö" in an ending without an "ö"
// form, are no harmony slip.
bool harmonySlip(const QString& typed, const QString& ending)
{
    if (typed == ending || typed.size() != ending.size())
        return false;
    const auto family = std::ranges::find_if(endingFamilies, [&](const QStringList& f) { return f.contains(ending); });
    if (family == endingFamilies.end() || !family->contains(typed))
        return false;
    for (int i = 0; i < typed.size(); ++i) {
        const QChar a = typed[i], b = ending[i];
        if (a == b)
            continue;
        const bool otherGroup = backVowel(a) != backVowel(b) && frontVowel(a) != frontVowel(b);
        const bool rounding = (a == u'ö' && b == u'e') || (a == u'e' && b == u'ö');
        if (!otherGroup && !rounding)
            return false;
    }
    return true;
}

// A word whose only vowels are i, í, e or é that still takes back endings:
// ír (írunk), as the dictionary and the tables have it.
bool takesBackEndingsAgainstItsVowels(const QString& word, const QString& ending)
{
    const bool neutral = std::ranges::all_of(word, [](QChar c) { return !backVowel(c) && !QStringView(u"öőüű").contains(c); });
    return neutral && std::ranges::any_of(ending, backVowel);
}

// ---- What the learner is told: one sentence for each kind of mistake ----------------

// Where a letter of the expected word is: "in the verb", "in the ending",
// "in the 2nd word", "in the stem box".
struct Place {
    int split = 0;  // letters before it are inFirst, the others inSecond
    QString inFirst, inSecond;
    int typedFrom = 0;  // where the learner's own typing starts (exercise 5: the gap)
    QString at(int i) const { return i < split ? inFirst : inSecond; }
};

Diagnosis capitals(QChar typed)
{
    return {Kind::Capitals, QStringLiteral("Only capital letters differ: write %1 as a %2 letter.")
                                .arg(quoted(QString(typed)), typed.isUpper() ? QStringLiteral("small")
                                                                             : QStringLiteral("capital"))};
}

Diagnosis accents(const QString& where, std::optional<QChar> capital = {})
{
    if (capital)
        return {Kind::Accents, QStringLiteral("Almost: check the accents %1, and write %2 as a small letter.")
                                   .arg(where, quoted(QString(*capital)))};
    return {Kind::Accents, QStringLiteral("Almost: check the accents %1.").arg(where)};
}

Diagnosis harmony(const QString& typed, const QString& word, bool againstItsVowels)
{
    if (againstItsVowels)
        return {Kind::Harmony, QStringLiteral("%1 breaks the vowel harmony: %2 takes the endings with a, o or u, "
                                              "although its vowel is not one of them.")
                                   .arg(quoted(typed), word)};
    return {Kind::Harmony, QStringLiteral("%1 breaks the vowel harmony: the vowels of %2 decide the vowel of the "
                                          "ending.")
                               .arg(quoted(typed), word)};
}

Diagnosis person(const QString& typedPerson, const QString& asked, bool close = false)
{
    return {Kind::Person, QStringLiteral("That is %1 for %2. Here the person is %3.")
                              .arg(close ? QStringLiteral("close to the form") : QStringLiteral("the form"),
                                   typedPerson, asked)};
}

// ---- Slips of spelling ------------------------------------------------------------

// One slip of the pen that turns expected into typed, both in small letters:
// a letter left out or written once too often, two letters swapped, one
// letter wrong. Empty when it takes more than one.
QString spellingSlip(const QString& typed, const QString& e, const Place& place)
{
    const QString t = typed.toLower();  // letters are quoted as typed
    const int i = commonPrefix(t, e);
    if (t.size() + 1 == e.size() && t.mid(i) == e.mid(i + 1)) {
        const QChar c = e[i];
        if ((i > 0 && e[i - 1] == c) || (i + 1 < e.size() && e[i + 1] == c))
            return QStringLiteral("One %1 is missing %2: it is written double here.").arg(quoted(QString(c)), place.at(i));
        if (i == 0)
            return QStringLiteral("A letter is missing at the start %1.").arg(place.at(i));
        return QStringLiteral("A letter is missing %1, after %2.").arg(place.at(i), quoted(typed.left(i)));
    }
    if (t.size() == e.size() + 1 && t.mid(i + 1) == e.mid(i)) {
        const QChar c = typed[i];
        if ((i > 0 && t[i - 1] == t[i]) || (i + 1 < t.size() && t[i + 1] == t[i]))
            return QStringLiteral("One %1 too many %2: it is written once here.").arg(quoted(QString(c)), place.at(i));
        return QStringLiteral("One letter too many %1: the %2 after %3.")
            .arg(place.at(i), quoted(QString(c)), quoted(typed.left(i)));
    }
    if (t.size() == e.size() && i < t.size()) {
        if (i + 1 < t.size() && t[i] == e[i + 1] && t[i + 1] == e[i] && t.mid(i + 2) == e.mid(i + 2))
            return QStringLiteral("Two letters are swapped %1: %2.").arg(place.at(i), quoted(typed.mid(i, 2)));
        if (t.mid(i + 1) == e.mid(i + 1))
            return QStringLiteral("One letter is wrong %1: the %2.").arg(place.at(i), quoted(QString(typed[i])));
    }
    return {};
}

// What is left when the word itself is not named: a slip of spelling, once
// the dictionary can tell that the typed word is no word.
Diagnosis spelling(const QString& typed, const QString& e, const Place& place, bool known)
{
    if (!analyser().ready())
        return {};
    if (const QString slip = spellingSlip(typed, e, place); !slip.isEmpty())
        return {Kind::Spelling, slip};
    if (!known)
        return {Kind::Spelling, QStringLiteral("There is no such word as %1: look again at the letters %2.")
                                    .arg(quoted(typed), place.at(commonPrefix(typed.toLower(), e)))};
    return {};
}

// Letter case, punctuation and accents: slips that need no grammar.
// In a single word the word before a mark is the answer itself: it is not quoted.
std::optional<Diagnosis> surfaceSlip(const QString& typed, const QString& expected, bool inSentence = false)
{
    if (typed == expected)
        return std::nullopt;
    const int i = commonPrefix(typed, expected);
    if (typed.compare(expected, Qt::CaseInsensitive) == 0)
        return capitals(typed[i]);
    const QString t = withoutPunctuation(typed), e = withoutPunctuation(expected);
    if (t == e && typed != expected) {
        const QChar mark = punctuation(letterAt(typed, i)) ? typed[i] : letterAt(expected, i);
        const QString before = inSentence ? lastWord(QStringView(typed).left(i)) : QString();
        if (i >= expected.size() - 1 && i >= typed.size() - 1 && punctuation(expected.back()))
            return Diagnosis{Kind::Punctuation, QStringLiteral("Only the punctuation differs: end with %1.")
                                                    .arg(quoted(QString(expected.back())))};
        if (punctuation(letterAt(typed, i)))
            return Diagnosis{Kind::Punctuation,
                             before.isEmpty() ? QStringLiteral("Only the punctuation differs: leave out the %1.")
                                                    .arg(quoted(QString(mark)))
                                              : QStringLiteral("Only the punctuation differs: leave out the %1 after %2.")
                                                    .arg(quoted(QString(mark)), quoted(before))};
        return Diagnosis{Kind::Punctuation,
                         before.isEmpty() ? QStringLiteral("Only the punctuation differs: a %1 is missing.")
                                                .arg(quoted(QString(mark)))
                                          : QStringLiteral("Only the punctuation differs: a %1 is missing after %2.")
                                                .arg(quoted(QString(mark)), quoted(before))};
    }
    return std::nullopt;
}

// Accents only, perhaps with a capital letter too.
std::optional<Diagnosis> accentSlip(const QString& typed, const QString& expected, const Place& place)
{
    if (fold(typed) != fold(expected))
        return std::nullopt;
    int i = 0;
    while (i < typed.size() && typed[i].toLower() == expected[i].toLower())
        ++i;
    std::optional<QChar> capital;
    for (int k = 0; k < typed.size() && k < expected.size(); ++k)
        if (typed[k].isUpper() && !expected[k].isUpper())
            capital = typed[k];
    return accents(place.at(i), capital);
}

// ---- Readings of the dictionary -----------------------------------------------------

// A verb form as the dictionary tags it: PRES_INDIC_INDEF_SG_2.
struct VerbTags {
    bool past = false, conditional = false, imperative = false, definite = false;
    int slot = -1;
};

std::optional<VerbTags> verbTags(const QString& inflection)
{
    const QStringList parts = inflection.split(u'_');
    VerbTags v;
    for (int i = 0; i < parts.size(); ++i) {
        const QString& p = parts[i];
        if (p == u"OBJ")
            return std::nullopt; // "állak": I ... you, a form this lesson never asks
        v.past = v.past || p == u"PAST";
        v.conditional = v.conditional || p == u"COND";
        v.imperative = v.imperative || p.startsWith(u"SUBJ");
        v.definite = v.definite || p == u"DEF";
        if ((p == u"SG" || p == u"PL") && i + 1 < parts.size())
            v.slot = (p == u"PL" ? 3 : 0) + parts[i + 1].toInt() - 1;
    }
    if (v.slot < 0 || v.slot >= slotCount)
        return std::nullopt;
    return v;
}

bool sameLemma(const Reading& r, const QString& lemma) { return r.lemma.compare(lemma, Qt::CaseInsensitive) == 0; }

// ---- Verb forms ------------------------------------------------------------------

struct Verb {
    QString verb;    // as the lists show it: "lak" for lakik
    Forms forms;     // empty where no table holds the form
    Forms endings;   // the personal ending of each form
};

// Every verb of the three exercises with the forms their tables hold.
std::vector<Verb> collectVerbs()
{
    std::vector<Verb> verbs;
    auto put = [&verbs](const QString& verb, int slot, const QString& form, const QString& ending) {
        auto it = std::ranges::find(verbs, verb, &Verb::verb);
        if (it == verbs.end())
            it = verbs.insert(verbs.end(), Verb{verb, {}, {}});
        if (it->forms[slot].isEmpty()) {
            it->forms[slot] = form;
            it->endings[slot] = ending;
        }
    };

    const QStringList igeb = h05d1::igeblista();
    for (int v = 0; v < igeb.size(); ++v)
        for (int p = h05d1::en; p <= h05d1::ok; ++p)
            put(igeb[v], slotOf12(p), h05d1::extendedAnswer(v, p), h05d1::ragb(v, p));

    h05d3::Column ige;
    h05d3::igelista(ige);
    for (int k = 0; k < h05d3::itemCount; ++k) {
        const bool one = h05d3::singular(k);
        for (int code : one ? std::array{1, 2, 3} : std::array{11, 22, 33}) {
            const QString stem = h05d3::irregular(k) ? h05d3::megyStem(code) : ige[k];
            put(ige[k], slotOf3(code), stem + h05d3::ending(k, code), h05d3::ending(k, code));
        }
    }
    return verbs;
}

const Verb& verbOf(const QString& shown)
{
    static const std::vector<Verb> verbs = collectVerbs();
    static const Verb none;
    const auto it = std::ranges::find(verbs, shown, &Verb::verb);
    return it == verbs.end() ? none : *it;
}

// What is known about the verb form asked for.
struct Asked {
    QString shown;     // the verb as the lists show it: "lak"
    int slot;          // the person asked
    QString expected;  // the whole form
    QString ending;    // its last part, the personal ending
    std::function<QString(int)> personName;  // how the exercise names a slot
    Place place;
};

// The word the dictionary files the verb under: lakik for lak.
QString lemmaOf(const Verb& v)
{
    const QString& third = v.forms[o];
    return !third.isEmpty() && third != v.verb && third.startsWith(v.verb) ? third : v.verb;
}

// The dictionary's word for a verb form: another tense or mood, the definite
// conjugation, another person; or another verb.
std::optional<Diagnosis> verbReading(const Asked& a, const Verb& v, const QString& typed,
                                     const QList<Reading>& readings)
{
    const QString lemma = lemmaOf(v);
    std::optional<VerbTags> best;
    auto cost = [&](const VerbTags& t) {
        return 4 * (t.past || t.conditional || t.imperative) + 2 * t.definite + (t.slot != a.slot);
    };
    for (const Reading& r : readings) {
        if (r.pos != Reading::Pos::Verb || r.other || !sameLemma(r, lemma))
            continue;
        const std::optional<VerbTags> t = verbTags(r.inflection);
        if (t && (!best || cost(*t) < cost(*best)))
            best = t;
    }
    if (!best)
        return std::nullopt;
    const QString typedPerson = a.personName(best->slot), asked = a.personName(a.slot);
    const QString what = best->past ? QStringLiteral("the past tense") :
                         best->conditional ? QStringLiteral("the conditional, the form for \"would\"") :
                         best->imperative ? QStringLiteral("the imperative") : QString();
    if (!what.isEmpty())
        return Diagnosis{Kind::Tense, best->slot == a.slot
                                          ? QStringLiteral("That is %1. Here the present tense is asked.").arg(what)
                                          : QStringLiteral("That is %1, for %2. Here the present tense is asked, "
                                                           "for %3.").arg(what, typedPerson, asked)};
    if (best->definite)
        return Diagnosis{Kind::Definite,
                         QStringLiteral("That is the form used with a definite object, like \"a könyvet\"%1; here "
                                        "there is no definite object%2.")
                             .arg(best->slot == a.slot ? QString() : QStringLiteral(", for ") + typedPerson,
                                  best->slot == a.slot ? QString() : QStringLiteral(" and the person is ") + asked)};
    // "lakok" is said for én, but the lesson's form is lakom: no person's form here.
    const QString& theirs = v.forms[best->slot];
    if (best->slot != a.slot && (theirs.isEmpty() || theirs == typed))
        return person(typedPerson, asked);
    return std::nullopt;
}

// A verb with its meaning, where the lesson has it: "sétál, to walk".
QString withMeaning(const QString& verb)
{
    const meanings::Meaning* m = meanings::find(verb);
    return m ? verb + QStringLiteral(", ") + m->english.toString() : verb;
}

Diagnosis anotherVerb(const QString& typed, const QString& lemma, const QList<Reading>& readings)
{
    for (const Reading& r : readings)
        if (r.pos == Reading::Pos::Verb && !r.other && !sameLemma(r, lemma) && verbTags(r.inflection))
            return {Kind::Verb, QStringLiteral("%1 is a form of %2; here the verb is %3.")
                                    .arg(quoted(typed), withMeaning(r.lemma), withMeaning(lemma))};
    return {};
}

Diagnosis verbForm(const Asked& a, const QString& typedAsIs)
{
    if (typedAsIs.isEmpty())
        return {};
    if (auto d = surfaceSlip(typedAsIs, a.expected))
        return *d;
    const QString t = typedAsIs.toLower();
    const Verb& v = verbOf(a.shown);
    for (int s = 0; s < slotCount; ++s)
        if (s != a.slot && !v.forms[s].isEmpty() && v.forms[s] == t)
            return person(a.personName(s), a.personName(a.slot));

    const QString stem = a.expected.chopped(a.ending.size());
    if (t.startsWith(stem)) {
        const QString tail = t.mid(stem.size());
        if (harmonySlip(tail, a.ending))
            return harmony(typedAsIs.mid(a.place.typedFrom), lemmaOf(v),
                           takesBackEndingsAgainstItsVowels(stem, a.ending));
        // Two slips at once: another person's ending with the wrong vowel.
        for (int s = 0; s < slotCount; ++s)
            if (s != a.slot && v.forms[s].startsWith(stem) && harmonySlip(tail, v.forms[s].mid(stem.size())))
                return person(a.personName(s), a.personName(a.slot), true);
        if (a.slot == te && tail == u"sz" && (stem.endsWith(u's') || stem.endsWith(u'z')))
            return {Kind::Ending, QStringLiteral("After the %1 at the end of %2 the ending for te is -ol, -el or "
                                                 "-öl, not -sz.").arg(quoted(stem.right(1)), stem)};
        if (a.slot == te && a.ending == u"sz" && QStringList({"ol", "el", "öl"}).contains(tail))
            return {Kind::Ending, QStringLiteral("The ending -ol, -el or -öl for te comes only after s, sz or z, and "
                                                 "%1 ends in %2.").arg(stem, quoted(stem.right(1)))};
        if (a.slot == te && a.ending.isEmpty() && tail == u"sz")
            return {Kind::Ending, QStringLiteral("For te, %1 has a form of its own, without the ending -sz.")
                                      .arg(lemmaOf(v))};
        if (a.slot == 0 && lemmaOf(v).endsWith(u"ik") && a.ending.endsWith(u'm') && tail == a.ending.chopped(1) + u'k')
            return {Kind::Ending, QStringLiteral("The -ik verb %1 takes an ending with \"m\" for én here, not \"k\".")
                                      .arg(lemmaOf(v))};
    }
    if (auto d = accentSlip(typedAsIs, a.expected, a.place))
        return *d;

    // lakik keeps its -ik only in the third person.
    const QString& third = v.forms[o];
    if (third.startsWith(a.shown) && third != a.shown) {
        if (t == third + a.ending)
            return {Kind::Stem, QStringLiteral("Leave out the -%1 of %2 before this ending.")
                                    .arg(third.mid(a.shown.size()), third)};
        if (a.slot == o && t == a.shown)
            return {Kind::Stem, QStringLiteral("For ő, %1 keeps its -%2.").arg(third, third.mid(a.shown.size()))};
    }

    // van and megy: the stem of another person with this person's ending.
    for (int s = 0; s < slotCount; ++s) {
        const QString other = v.forms[s].chopped(std::min(v.forms[s].size(), v.endings[s].size()));
        if (other.isEmpty() || other == stem || !t.startsWith(other))
            continue;
        const QString rest = t.mid(other.size());
        if (rest == a.ending || (a.ending.isEmpty() && a.slot == te && rest == u"sz"))
            return {Kind::Stem, stem == a.shown ? QStringLiteral("This verb keeps its stem for this person.")
                                                : QStringLiteral("This verb changes its stem for this person.")};
    }

    bool known = false;
    const QList<Reading> readings = analyser().analyse(t, &known);
    if (auto d = verbReading(a, v, t, readings))
        return *d;
    // Also said, but on a stem other than the one shown: bérlek for bérelek.
    for (const Reading& r : readings)
        if (r.pos == Reading::Pos::Verb && !r.other && sameLemma(r, lemmaOf(v)) && verbTags(r.inflection)
            && verbTags(r.inflection)->slot == a.slot && !t.startsWith(a.shown))
            return {Kind::Stem, QStringLiteral("%1 is also said, but here the ending goes on the stem as shown: %2.")
                                    .arg(quoted(t), a.shown)};
    if (Diagnosis d = spelling(typedAsIs, a.expected, a.place, known); d.kind != Kind::Other)
        return d;
    return anotherVerb(t, lemmaOf(v), readings);
}

// ---- Nouns with a case ending ------------------------------------------------------

// The case endings as the dictionary tags them, with what they mean.
struct CaseName {
    QStringView tag;
    QStringView meaning;  // in quotes, what the ending says in English
    QStringView endings;
};
constexpr CaseName caseNames[] = {
    {u"INE", u"\"in\"", u"-ban/-ben"},         {u"ILL", u"\"into\"", u"-ba/-be"},
    {u"ELA", u"\"out of\"", u"-ból/-ből"},     {u"SUE", u"\"on\" (also \"at\" or \"in\" with many places)", u"-n/-on/-en/-ön"},
    {u"SBL", u"\"onto\"", u"-ra/-re"},         {u"DEL", u"\"off\" or \"about\"", u"-ról/-ről"},
    {u"ADE", u"\"at\"", u"-nál/-nél"},         {u"ALL", u"\"to\"", u"-hoz/-hez/-höz"},
    {u"ABL", u"\"from\"", u"-tól/-től"},       {u"ACC", u"the object", u"-t"},
    {u"ESS", u"\"in a language\"", u"-ul/-ül"}, {u"DAT", u"\"for\"", u"-nak/-nek"},
    {u"INS", u"\"with\"", u"-val/-vel"},
};

std::optional<CaseName> caseName(const QString& tag)
{
    for (const CaseName& c : caseNames)
        if (c.tag == tag)
            return c;
    return std::nullopt;
}

// The case of a plain form of noun among the readings of a word.
QString caseOf(const QList<Reading>& readings, const QString& noun)
{
    for (const Reading& r : readings)
        if (r.pos == Reading::Pos::Noun && !r.other && sameLemma(r, noun))
            return r.inflection.isEmpty() ? QStringLiteral("NOM") : r.inflection;
    return {};
}

// A word formed from the key noun of a picture or of the text.
struct NounAsked {
    QString noun;      // mozi, szálloda, Kelenföld
    QString expected;  // the word with its ending
    QString scene;     // "this picture", "the text"
    Place place;
};

Diagnosis nounForm(const NounAsked& a, const QString& typedAsIs)
{
    if (typedAsIs.isEmpty())
        return {};
    if (auto d = surfaceSlip(typedAsIs, a.expected))
        return *d;
    const QString t = typedAsIs.toLower(), e = a.expected.toLower(), n = a.noun.toLower();
    // szoba + t: the final a or e becomes long before most endings.
    if (!e.startsWith(n) && t.startsWith(n) && t.mid(n.size()) == e.mid(n.size()))
        return {Kind::Stem, QStringLiteral("The final %1 of %2 becomes %3 before this ending.")
                                .arg(quoted(n.right(1)), a.noun, quoted(e.mid(n.size() - 1, 1)))};
    const QString stem = e.left(n.size());
    if (t.startsWith(stem) && e.startsWith(stem) && harmonySlip(t.mid(stem.size()), e.mid(stem.size())))
        return harmony(typedAsIs.mid(a.place.typedFrom), a.noun, false);
    if (auto d = accentSlip(typedAsIs, a.expected, a.place))
        return *d;

    // As typed: a name such as Kelenföld is known with its capital only.
    bool known = false;
    const QList<Reading> readings = analyser().analyse(typedAsIs, &known);
    const QString typedCase = caseOf(readings, a.noun);
    const QString expectedCase = caseOf(analyser().analyse(a.expected), a.noun);
    if (!typedCase.isEmpty() && !expectedCase.isEmpty() && typedCase != expectedCase) {
        const std::optional<CaseName> has = caseName(typedCase), needs = caseName(expectedCase);
        if (needs && (has || typedCase == u"NOM"))
            return {Kind::Case, has ? QStringLiteral("The case ending of %1 means %2 (%3); %4 needs %5 (%6).")
                                          .arg(quoted(typedAsIs), has->meaning, has->endings, a.scene, needs->meaning,
                                               needs->endings)
                                    : QStringLiteral("%1 has no case ending; %2 needs %3 (%4).")
                                          .arg(quoted(typedAsIs), a.scene, needs->meaning, needs->endings)};
    }
    return spelling(typedAsIs, e, a.place, known);
}

// Any other word: its letters only.
Diagnosis plainWord(const QString& typed, const QString& expected, const Place& place)
{
    if (auto d = surfaceSlip(typed, expected))
        return *d;
    if (auto d = accentSlip(typed, expected, place))
        return *d;
    bool known = false;
    analyser().analyse(typed.toLower(), &known);
    return spelling(typed, expected.toLower(), place, known);
}

// ---- Hints -----------------------------------------------------------------------

// The first letters of rest, one more for each wrong try after the first,
// never more than half of it.
QString revealed(const QString& rest, int tries)
{
    const int n = std::min(tries - 1, int(rest.size()) / 2);
    return n > 0 ? rest.left(n) : QString();
}

// The hint for an answer that goes on from what the learner was given.
QString continuationHint(const QString& expected, const QString& given, int tries)
{
    const int common = commonPrefix(expected, given);
    const QString letters = revealed(expected.mid(common), tries);
    if (letters.isEmpty())
        return {};
    if (common == given.size())
        return QStringLiteral("The ending starts with \"%1\".").arg(letters);
    return QStringLiteral("After \"%1\" the answer goes on with \"%2\".").arg(expected.left(common), letters);
}

Diagnosis withHint(Diagnosis d, const QString& hint)
{
    if (!hint.isEmpty())
        d.text = d.text.isEmpty() ? hint : d.text + u' ' + hint;
    return d;
}

// ---- Sentences -------------------------------------------------------------------

QStringList wordsOf(QString sentence)
{
    if (!sentence.isEmpty() && QStringView(u".?!").contains(sentence.back()))
        sentence.chop(1);
    return sentence.split(u' ', Qt::SkipEmptyParts);
}

bool sameWord(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Words to change, add or drop to turn a into b; folded compares the words
// without accents.
int wordDistance(const QStringList& a, const QStringList& b, bool folded = false)
{
    std::vector<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            const bool same = folded ? fold(a[i - 1]) == fold(b[j - 1]) : sameWord(a[i - 1], b[j - 1]);
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The words in small letters and in alphabetical order: the same for two
// sentences with the same words in another order.
QStringList sortedWords(QStringList words)
{
    for (QString& w : words)
        w = w.toLower();
    words.sort();
    return words;
}

// The index in longer of the first word that shorter lacks, when shorter is
// longer with some words left out; -1 otherwise.
int firstLeftOut(const QStringList& shorter, const QStringList& longer)
{
    int first = -1;
    int i = 0;
    for (int j = 0; j < longer.size(); ++j) {
        if (i < shorter.size() && sameWord(shorter[i], longer[j]))
            ++i;
        else if (first < 0)
            first = j;
    }
    return i == shorter.size() ? first : -1;
}

QString wordPlaces(const std::vector<int>& positions)
{
    QStringList names;
    for (int p : positions)
        names << ordinal(p + 1);
    if (names.size() == 1)
        return QStringLiteral("in the %1 word").arg(names[0]);
    const QString last = names.takeLast();
    return QStringLiteral("in the %1 and %2 words").arg(names.join(QStringLiteral(", ")), last);
}

// Exercise 3's word at position i of the expected sentence.
Diagnosis sentenceWord(int item, int personcode, const QStringList& expected, int i, const QString& typed)
{
    const Place place{0, {}, QStringLiteral("in the %1 word").arg(ordinal(i + 1))};
    if (i == expected.size() - 1) {
        h05d3::Column al, ige;
        h05d3::allista(al);
        h05d3::igelista(ige);
        const int slot = slotOf3(personcode);
        auto name = [&](int s) {
            if (s != slot)
                return slotNames[s];
            return personcode == 3 ? QStringLiteral("ő (%1)").arg(al[item])
                   : personcode == 44 ? h05d3::person(44).pronoun.toString()
                                      : slotNames[s];
        };
        return verbForm({ige[item], slot, expected.last(), h05d3::ending(item, personcode), name, place}, typed);
    }
    h05d3::Column hata;
    h05d3::hatalista(hata);
    const QString& noun = hata[item];
    if (fold(expected[i]).startsWith(fold(noun.chopped(1))))
        return nounForm({noun, expected[i], QStringLiteral("this picture"), place}, typed);
    return plainWord(typed, expected[i], place);
}

} // namespace

void useAnalyser(const Analyser* a) { chosenAnalyser = a; }

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Other: break;
    case Kind::Person: return QStringLiteral("person");
    case Kind::Harmony: return QStringLiteral("harmony");
    case Kind::Accents: return QStringLiteral("accents");
    case Kind::Stem: return QStringLiteral("stem");
    case Kind::MissingWord: return QStringLiteral("missing-word");
    case Kind::ExtraWord: return QStringLiteral("extra-word");
    case Kind::Order: return QStringLiteral("order");
    case Kind::Case: return QStringLiteral("case");
    case Kind::Capitals: return QStringLiteral("capitals");
    case Kind::Spelling: return QStringLiteral("spelling");
    case Kind::Punctuation: return QStringLiteral("punctuation");
    case Kind::Tense: return QStringLiteral("tense");
    case Kind::Definite: return QStringLiteral("definite");
    case Kind::Ending: return QStringLiteral("ending");
    case Kind::Verb: return QStringLiteral("verb");
    }
    return QStringLiteral("other");
}

QString kindLabel(const QString& name)
{
    static const QHash<QString, QString> labels = {
        {QStringLiteral("person"), QStringLiteral("another person's form")},
        {QStringLiteral("harmony"), QStringLiteral("vowel harmony")},
        {QStringLiteral("accents"), QStringLiteral("accents")},
        {QStringLiteral("stem"), QStringLiteral("stem change")},
        {QStringLiteral("missing-word"), QStringLiteral("a word missing")},
        {QStringLiteral("extra-word"), QStringLiteral("a word too many")},
        {QStringLiteral("order"), QStringLiteral("word order")},
        {QStringLiteral("case"), QStringLiteral("case ending")},
        {QStringLiteral("capitals"), QStringLiteral("capital letters")},
        {QStringLiteral("spelling"), QStringLiteral("spelling")},
        {QStringLiteral("punctuation"), QStringLiteral("punctuation")},
        {QStringLiteral("tense"), QStringLiteral("tense or mood")},
        {QStringLiteral("definite"), QStringLiteral("definite conjugation")},
        {QStringLiteral("ending"), QStringLiteral("choice of ending")},
        {QStringLiteral("verb"), QStringLiteral("another verb")},
    };
    return labels.value(name, name);
}

Diagnosis basicAnswer(int item, const QString& typed, int tries)
{
    const h05d1::BasicItem& i = h05d1::basicItem(item);
    const int p = h05d1::itemPerson(item);
    const QString verb = i.verb.toString();
    const Asked a{verb, slotOf12(p), h05d1::basicAnswer(item), i.ending.toString(),
                  [](int s) { return slotNames[s]; },
                  {int(verb.size()), QStringLiteral("in the verb"), QStringLiteral("in the ending")}};
    return withHint(verbForm(a, typed), continuationHint(a.expected, verb, tries));
}

Diagnosis extendedAnswer(int verb, int p, const QString& typed, int tries)
{
    static const QStringList igeb = h05d1::igeblista();
    const QString& shown = igeb.at(verb);
    const Asked a{shown, slotOf12(p), h05d1::extendedAnswer(verb, p), h05d1::ragb(verb, p),
                  [](int s) { return slotNames[s]; },
                  {int(shown.size()), QStringLiteral("in the verb"), QStringLiteral("in the ending")}};
    return withHint(verbForm(a, typed), continuationHint(a.expected, shown, tries));
}

Diagnosis sentence(int item, int personcode, const QString& sentenceA, const QString& sentenceB,
                   const QString& typed, int tries)
{
    const QStringList t = wordsOf(typed);
    const QStringList a = wordsOf(sentenceA), b = wordsOf(sentenceB);
    // The closer sentence; between two as close, the one with the same words,
    // then the one closer without accents.
    auto closeness = [&](const QStringList& x) {
        return std::tuple(wordDistance(t, x), sortedWords(t) != sortedWords(x), wordDistance(t, x, true));
    };
    const bool useB = closeness(b) < closeness(a);
    const QStringList& e = useB ? b : a;
    const QString& whole = useB ? sentenceB : sentenceA;

    // The first word that is not as expected, for the hint.
    int first = 0;
    while (first < t.size() && first < e.size() && sameWord(t[first], e[first]))
        ++first;
    QString hint;
    if (first < e.size()) {
        const QString letters = revealed(e[first], tries);
        if (!letters.isEmpty())
            hint = QStringLiteral("The %1 word starts with \"%2\".").arg(ordinal(first + 1), letters);
    }

    Diagnosis d;
    if (auto s = surfaceSlip(typed, whole, true)) {
        d = *s;
    } else if (t.size() < e.size()) {
        const int missing = firstLeftOut(t, e);
        if (missing == 0)
            d = {Kind::MissingWord, QStringLiteral("A word is missing at the start.")};
        else if (missing > 0)
            d = {Kind::MissingWord, QStringLiteral("A word is missing after %1.").arg(quoted(t[missing - 1]))};
    } else if (t.size() > e.size()) {
        const int extra = firstLeftOut(e, t);
        const QString pronoun = h05d3::person(personcode).pronoun.toString();
        if (extra >= 0 && !pronoun.isEmpty() && !h05d3::person(personcode).opens && sameWord(t[extra], pronoun))
            d = {Kind::ExtraWord, QStringLiteral("%1 is not needed here: the ending of the verb says the person.")
                                      .arg(quoted(t[extra]))};
        else if (extra >= 0)
            d = {Kind::ExtraWord, QStringLiteral("%1 is not needed here.").arg(quoted(t[extra]))};
    } else {
        std::vector<int> differ;
        for (int i = 0; i < t.size(); ++i)
            if (!sameWord(t[i], e[i]))
                differ.push_back(i);
        const bool accentsOnly = std::ranges::all_of(differ, [&](int i) { return fold(t[i]) == fold(e[i]); });
        if (differ.size() > 1 && sortedWords(t) == sortedWords(e))
            d = {Kind::Order, QStringLiteral("The words are right, but not in the right order.")};
        else if (differ.size() == 1)
            d = sentenceWord(item, personcode, e, differ[0], t[differ[0]]);
        else if (differ.size() > 1 && accentsOnly)
            d = accents(wordPlaces(differ));
    }
    return withHint(d, hint);
}

Diagnosis gapAnswer(int gap, int p, const QString& stem, const QString& typed, int tries)
{
    h05d5::SuffixList list;
    h05d5::persons[p].fill(list);
    const QString expected = list[gap];

    if (const h05d5::Stem* s = h05d5::stemOf(gap)) {
        // The stem box and the gap make one word, after a fixed start (", ", "A ").
        const QString whole = s->whole.toString(), reset = s->reset.toString();
        const QString joined = stem + typed;
        const QString noun = lastWord(reset);
        const QString start = reset.chopped(noun.size());
        const bool sameStart = joined.startsWith(start);
        const QString word = sameStart ? joined.mid(start.size()) : joined;
        const QString right = sameStart ? whole.mid(start.size()) : whole;
        const int boxed = int(stem.size()) - (sameStart ? int(start.size()) : 0);
        const Diagnosis d = nounForm({noun, right, QStringLiteral("the text"),
                                      {boxed, QStringLiteral("in the stem box"), QStringLiteral("in the ending"),
                                       std::max(0, boxed)}},
                                     word);
        return withHint(d, continuationHint(whole, reset, tries));
    }

    const QString before = lastWord([gap] {
        QStringView text;
        for (const h05d5::Element& e : h05d5::textElements) {
            if (e.piece == h05d5::Piece::Gap && e.index == gap)
                return text;
            text = e.text;
        }
        return QStringView();
    }());
    const Place place{int(before.size()), QStringLiteral("in the word"), QStringLiteral("in the ending"),
                      int(before.size())};
    Diagnosis d;
    if (h05d5::gapKind(gap) == h05d5::GapKind::Verb) {
        auto name = [](int slot) {
            const int* found = std::ranges::find(slotsOf5, slot);
            return h05d5::persons[found - std::begin(slotsOf5)].item.toString();
        };
        d = verbForm({before, slotsOf5[p], before + expected, expected, name, place}, before + typed);
    } else {
        d = nounForm({before, before + expected, QStringLiteral("the text"), place}, before + typed);
    }
    const QString letters = revealed(expected, tries);
    return withHint(d, letters.isEmpty() ? QString() : QStringLiteral("The ending starts with \"%1\".").arg(letters));
}

} // namespace lumora::feedback
