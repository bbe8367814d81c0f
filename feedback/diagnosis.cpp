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
#include <numeric>
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
// vowel (a, o, u) for a front one (e, ö, ü) or the other way round, also
// where the typed ending is no form of it ("onk" for "ünk"), or "e" and "ö"
// swapped where the ending has a form with each (typed is one of the
// ending's own forms). Two back vowels, or "ö" in an ending without an "ö"
// form, are no harmony slip.
bool harmonySlip(const QString& typed, const QString& ending)
{
    if (typed == ending || typed.size() != ending.size())
        return false;
    const auto family = std::ranges::find_if(endingFamilies, [&](const QStringList& f) { return f.contains(ending); });
    if (family == endingFamilies.end())
        return false;
    // i and í have no back partner in any ending, and a long vowel for a
    // short one makes another ending (olvasnék): no harmony slip.
    auto front = [](QChar c) { return QStringView(u"eéöőüű").contains(c); };
    auto isLong = [](QChar c) { return QStringView(u"áéíóőúű").contains(c); };
    for (int i = 0; i < typed.size(); ++i) {
        const QChar a = typed[i], b = ending[i];
        if (a == b)
            continue;
        const bool otherGroup =
            ((backVowel(a) && front(b)) || (front(a) && backVowel(b))) && isLong(a) == isLong(b);
        const bool rounding = family->contains(typed) && ((a == u'ö' && b == u'e') || (a == u'e' && b == u'ö'));
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

// Two slips in one answer, each named: the first one's kind is kept.
Diagnosis both(Diagnosis first, const Diagnosis& second)
{
    if (!second.text.isEmpty())
        first.text += u' ' + second.text;
    return first;
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

int endingStart(const Asked& a) { return int(a.expected.size() - a.ending.size()); }

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
    // Another person's form that is said beside the lesson's: lakol, mégy.
    if (best->slot != a.slot)
        return Diagnosis{Kind::Person, QStringLiteral("That is a form for %1 that is also said, beside the everyday "
                                                      "one. Here the person is %2.").arg(typedPerson, asked)};
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

// A reading of typed as a plain present form of the lemma, in a slot.
bool readAs(const QList<Reading>& readings, const QString& lemma, int slot)
{
    return std::ranges::any_of(readings, [&](const Reading& r) {
        const std::optional<VerbTags> t = r.pos == Reading::Pos::Verb && !r.other && sameLemma(r, lemma)
                                              ? verbTags(r.inflection) : std::nullopt;
        return t && t->slot == slot && !t->past && !t->conditional && !t->imperative && !t->definite;
    });
}

// The ending of te after s, sz or z.
bool sibilantTe(const QString& ending) { return QStringList({"ol", "el", "öl"}).contains(ending); }

// The endings of the definite conjugation that start with j, and their slots.
constexpr std::pair<QStringView, int> definiteJ[] = {
    {u"ja", 2}, {u"juk", 3}, {u"jük", 3}, {u"játok", 4}, {u"ják", 5},
};

Diagnosis verbForm(const Asked& a, const QString& typedAsIs)
{
    if (typedAsIs.isEmpty())
        return {};
    if (auto d = surfaceSlip(typedAsIs, a.expected))
        return *d;
    const QString t = typedAsIs.toLower();
    const Verb& v = verbOf(a.shown);
    const QString lemma = lemmaOf(v);
    for (int s = 0; s < slotCount; ++s)
        if (s != a.slot && !v.forms[s].isEmpty() && v.forms[s] == t)
            return person(a.personName(s), a.personName(a.slot));

    const QString stem = a.expected.chopped(a.ending.size());
    // Accents in the stem and a slip in the ending: both, the second named
    // on the word with the stem mended.
    if (t.size() > stem.size() && !t.startsWith(stem) && fold(t.left(stem.size())) == fold(stem)
        && t.mid(stem.size()) != a.ending) {
        Asked mended = a;
        mended.place.typedFrom = int(stem.size());
        return both(accents(a.place.at(0)), verbForm(mended, stem + typedAsIs.mid(stem.size())));
    }
    if (t.startsWith(stem)) {
        const QString tail = t.mid(stem.size());
        if (harmonySlip(tail, a.ending))
            return harmony(typedAsIs.mid(a.place.typedFrom), lemma, takesBackEndingsAgainstItsVowels(stem, a.ending));
        // Two slips at once: another person's ending with the wrong vowel.
        for (int s = 0; s < slotCount; ++s)
            if (s != a.slot && v.forms[s].startsWith(stem) && harmonySlip(tail, v.forms[s].mid(stem.size())))
                return person(a.personName(s), a.personName(a.slot), true);
        // nézsz for nézek: the te form, built with the -sz that néz does not take.
        if (a.slot != te && tail == u"sz" && sibilantTe(v.endings[te])
            && v.forms[te].startsWith(stem))
            return {Kind::Person, QStringLiteral("That is close to the form for te, which after the %1 of %2 ends in "
                                                 "-ol, -el or -öl, not -sz. Here the person is %3.")
                                      .arg(quoted(stem.right(1)), stem, a.personName(a.slot))};
        if (a.slot == te && tail == u"sz" && (stem.endsWith(u's') || stem.endsWith(u'z')))
            return {Kind::Ending, QStringLiteral("After the %1 at the end of %2 the ending for te is -ol, -el or "
                                                 "-öl, not -sz.").arg(quoted(stem.right(1)), stem)};
        if (a.slot == te && sibilantTe(a.ending) && stem.endsWith(u's') && tail == u"z")
            return {Kind::Ending, QStringLiteral("In %1 the ending -sz has merged into the \"s\" of %2: after s, sz "
                                                 "or z the ending for te is -ol, -el or -öl.").arg(quoted(t), stem)};
        if (a.slot == te && a.ending == u"sz" && sibilantTe(tail)) {
            // lakol: an old, literary form of an -ik verb, which the dictionary knows.
            if (readAs(analyser().analyse(t), lemma, te))
                return {Kind::Ending, QStringLiteral("%1 is an old, literary form of %2; the everyday form for te is "
                                                     "the one with -sz.").arg(quoted(t), lemma)};
            return {Kind::Ending, QStringLiteral("The ending -ol, -el or -öl for te comes only after s, sz or z, and "
                                                 "%1 ends in %2.").arg(stem, quoted(stem.right(1)))};
        }
        if (a.slot == te && a.ending.isEmpty() && tail == u"sz")
            return {Kind::Ending, QStringLiteral("For te, %1 has a form of its own, without the ending -sz.")
                                      .arg(lemma)};
        if (a.slot == 0 && lemma.endsWith(u"ik") && a.ending.endsWith(u'm') && tail == a.ending.chopped(1) + u'k')
            return {Kind::Ending, QStringLiteral("The -ik verb %1 takes an ending with \"m\" for én here, not \"k\".")
                                      .arg(lemma)};
    }
    if (auto d = accentSlip(typedAsIs, a.expected, a.place))
        return *d;

    // lakik keeps its -ik only in the third person.
    const QString& third = v.forms[o];
    if (third.startsWith(a.shown) && third != a.shown) {
        if (a.slot != o && t.startsWith(third) && t.size() > third.size()) {
            const Diagnosis kept{Kind::Stem, QStringLiteral("Leave out the -%1 of %2 before this ending.")
                                                 .arg(third.mid(a.shown.size()), third)};
            const QString rest = t.mid(third.size());
            return rest == a.ending ? kept : both(kept, verbForm(a, a.shown + rest));
        }
        if (a.slot == o && t == a.shown)
            return {Kind::Stem, QStringLiteral("For ő, %1 keeps its -%2.").arg(third, third.mid(a.shown.size()))};
        if (a.slot == o && t.startsWith(third) && t.size() > third.size())
            return {Kind::Ending, QStringLiteral("For ő, %1 takes no ending after its -%2.")
                                      .arg(third, third.mid(a.shown.size()))};
    }

    // van and megy: the stem shown kept before a whole form ("megymentek"),
    // or the stem of another person with this person's ending.
    if (h05d1::stemChanges(a.shown) && t.startsWith(a.shown)) {
        const QString rest = t.mid(a.shown.size());
        const auto whole = std::ranges::find(v.forms, rest);
        if (!rest.isEmpty() && whole != v.forms.end()) {
            const Diagnosis kept{Kind::Stem, QStringLiteral("%1 is one stem too many: %2 changes its stem, and the "
                                                            "whole form takes the place of %1.")
                                                 .arg(quoted(a.shown), lemma)};
            return rest == a.expected ? kept : both(kept, verbForm(a, rest));
        }
    }
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
    // Also said, but on a stem other than the one shown: bérlek for bérelek;
    // mégy for mész, where the verb has a stem of its own for te.
    if (readAs(readings, lemma, a.slot) && !t.startsWith(a.shown)) {
        if (h05d1::stemChanges(a.shown))
            return {Kind::Stem, QStringLiteral("%1 is also said, but less often: the lesson asks for the everyday "
                                               "form of %2 for %3.").arg(quoted(t), lemma, a.personName(a.slot))};
        return {Kind::Stem, QStringLiteral("%1 is also said, but here the ending goes on the stem as shown: %2.")
                                .arg(quoted(t), a.shown)};
    }
    // A definite ending with j on the stem shown, also where it would become
    // another letter (olvasjuk for olvassuk).
    for (const auto& [ending, slot] : definiteJ) {
        if (t != a.shown + ending.toString())
            continue;
        const QString asked = slot == a.slot ? QString() : QStringLiteral(" and the person is ") + a.personName(a.slot);
        return {Kind::Definite, QStringLiteral("%1 has the ending -%2 of the forms used with a definite object, like "
                                               "\"a könyvet\"; here there is no definite object%3.")
                                    .arg(quoted(t), ending, asked)};
    }
    if (Diagnosis d = spelling(typedAsIs, a.expected, a.place, known); d.kind != Kind::Other)
        return d;
    return anotherVerb(t, lemma, readings);
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
    {u"ELA", u"\"out of\"", u"-ból/-ből"},     {u"SUE", u"\"on\"", u"-n/-on/-en/-ön"},
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

// The places of the lesson that take -n/-on/-en/-ön where English says "at"
// or "in" (az egyetemen, Kelenföldön), and so -ra/-re for "to" (a postára)
// and -ról/-ről for "from".
struct SurfacePlace {
    QStringView noun;
    QStringView at;
};
constexpr SurfacePlace surfacePlaces[] = {
    {u"egyetem", u"\"at\""}, {u"posta", u"\"at\""}, {u"tér", u"\"in\""}, {u"Kelenföld", u"\"in\""},
    {u"Budapest", u"\"in\""},
};

// What a case ending of word means with its noun, and its forms: the
// object ending as the word takes it (-t, -ot, -öt).
struct CaseSense {
    QString meaning, endings;
    bool surface = false;  // -n/-ra/-ról as this place takes them
};

CaseSense senseOf(const CaseName& c, const QString& noun, const QString& word)
{
    CaseSense sense{c.meaning.toString(), c.endings.toString()};
    if (c.tag == u"ACC" && word.size() > noun.size())
        sense.endings = u'-' + word.mid(noun.size()).toLower();
    const auto place = std::ranges::find(surfacePlaces, noun, &SurfacePlace::noun);
    if (place == std::end(surfacePlaces))
        return sense;
    const QStringView surface[][2] = {{u"SUE", place->at}, {u"SBL", u"\"to\""}, {u"DEL", u"\"from\""}};
    for (const auto& [tag, meaning] : surface)
        if (c.tag == tag) {
            sense.meaning = meaning.toString();
            sense.surface = true;
        }
    return sense;
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

Diagnosis nounForm(const NounAsked& a, const QString& typedAsIs);

// The word again, with the first slip mended: the second one is named on it,
// quoting only what follows the mended stem.
Diagnosis afterTheStem(const NounAsked& a, const QString& mended, int stemSize)
{
    NounAsked rest = a;
    rest.place.typedFrom = std::max(a.place.typedFrom, stemSize);
    return nounForm(rest, mended);
}

// The object ending after a consonant: its linking vowel left out or another
// one put in (újságt, újságat for újságot).
Diagnosis linkingVowel(const NounAsked& a, const QString& typedAsIs)
{
    const QString t = typedAsIs.toLower(), e = a.expected.toLower(), n = a.noun.toLower();
    const QString ending = e.mid(n.size()), typed = t.mid(n.size());
    const bool linked = ending.size() == 2 && ending[1] == u't' && !backVowel(n.back()) && !frontVowel(n.back());
    if (!linked || !t.startsWith(n))
        return {};
    if (typed == u"t")
        return {Kind::Spelling, QStringLiteral("A letter is missing %1, after %2: after a consonant, the object "
                                               "ending -t needs a linking vowel.")
                                    .arg(a.place.at(int(n.size())), quoted(typedAsIs.left(n.size())))};
    if (typed.size() == 2 && typed[1] == u't' && (backVowel(typed[0]) || frontVowel(typed[0])))
        return {Kind::Ending, QStringLiteral("The linking vowel before the object ending -t is fixed for each word, "
                                             "and %1 does not take %2.").arg(a.noun, quoted(typed.left(1)))};
    return {};
}

Diagnosis nounForm(const NounAsked& a, const QString& typedAsIs)
{
    if (typedAsIs.isEmpty())
        return {};
    if (auto d = surfaceSlip(typedAsIs, a.expected))
        return *d;
    const QString t = typedAsIs.toLower(), e = a.expected.toLower(), n = a.noun.toLower();
    // szoba + t: the final a or e becomes long before most endings.
    if (!e.startsWith(n) && t.startsWith(n)) {
        const Diagnosis stem{Kind::Stem, QStringLiteral("The final %1 of %2 becomes %3 before this ending.")
                                             .arg(quoted(n.right(1)), a.noun, quoted(e.mid(n.size() - 1, 1)))};
        if (t.mid(n.size()) == e.mid(n.size()))
            return stem;
        return both(stem, afterTheStem(a, a.expected.left(n.size()) + typedAsIs.mid(n.size()), int(n.size())));
    }
    const QString stem = e.left(n.size());
    if (t.startsWith(stem) && e.startsWith(stem) && harmonySlip(t.mid(stem.size()), e.mid(stem.size())))
        return harmony(typedAsIs.mid(a.place.typedFrom), a.noun, false);
    // Accents in the stem and a slip in the ending: both.
    if (t.size() > stem.size() && t.left(stem.size()) != stem && fold(t.left(stem.size())) == fold(stem)
        && t.mid(stem.size()) != e.mid(stem.size()))
        return both(accents(a.place.at(0)),
                    afterTheStem(a, a.expected.left(stem.size()) + typedAsIs.mid(stem.size()), int(stem.size())));
    if (Diagnosis d = linkingVowel(a, typedAsIs); d.kind != Kind::Other)
        return d;
    if (auto d = accentSlip(typedAsIs, a.expected, a.place))
        return *d;

    // As typed: a name such as Kelenföld is known with its capital only.
    bool known = false;
    const QList<Reading> readings = analyser().analyse(typedAsIs, &known);
    const QString typedCase = caseOf(readings, a.noun);
    const QString expectedCase = caseOf(analyser().analyse(a.expected), a.noun);
    if (!typedCase.isEmpty() && !expectedCase.isEmpty() && typedCase != expectedCase) {
        const std::optional<CaseName> has = caseName(typedCase), needs = caseName(expectedCase);
        if (needs && (has || typedCase == u"NOM")) {
            const CaseSense want = senseOf(*needs, a.noun, a.expected);
            const QString needed =
                want.surface ? QStringLiteral("%1, which %2 takes with %3").arg(want.meaning, a.noun, want.endings)
                             : QStringLiteral("%1 (%2)").arg(want.meaning, want.endings);
            if (!has)
                return {Kind::Case, QStringLiteral("%1 has no case ending; %2 needs %3.")
                                        .arg(quoted(typedAsIs), a.scene, needed)};
            const CaseSense got = senseOf(*has, a.noun, typedAsIs);
            return {Kind::Case, QStringLiteral("The case ending of %1 means %2 (%3); %4 needs %5.")
                                    .arg(quoted(typedAsIs), got.meaning, got.endings, a.scene, needed)};
        }
    }
    return spelling(typedAsIs, e, a.place, known);
}

// Exercise 5: the long vowel typed at the start of the gap while the stem box
// still ends in the short one ("szoba" + "át"). The box and the gap are one
// word, but each box has its own part of it.
Diagnosis lengtheningInTheGap(const NounAsked& a, const QString& word)
{
    const QString n = a.noun.toLower(), e = a.expected.toLower(), t = word.toLower();
    const int box = a.place.split;
    if (e.startsWith(n) || box != n.size() || !t.startsWith(n) || letterAt(t, box) != e[box - 1])
        return {};
    const QString moved = QStringLiteral("The long %1 belongs in the stem box, in place of the final %2 of %3")
                              .arg(quoted(e.mid(box - 1, 1)), quoted(n.right(1)), a.noun);
    const QString rest = e.left(box) + t.mid(box + 1);
    if (rest == e)
        return {Kind::Stem, moved + QStringLiteral("; the gap then takes the ending -%1 alone.").arg(e.mid(box))};
    return both({Kind::Stem, moved + u'.'}, nounForm(a, rest));
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

// The hint of a wrong try: the letters of expected from the learner's first
// wrong letter on, one more for each wrong try after the first. They never
// make up more than half of the part they are in (the ending, or the whole
// word where the slip is before the ending), nor more than half of what is
// left to type.
// endingAt is where the ending starts (0: the word has none); name is the
// word's: "word", "3rd word".
QString hint(const QString& expected, const QString& typed, int endingAt, const QString& name, int tries)
{
    const int right = commonPrefix(expected.toLower(), typed.toLower());
    const bool inEnding = endingAt > 0 && right >= endingAt;
    const int from = inEnding ? endingAt : 0;
    const int n = std::min({tries - 1, int(expected.size() - from) / 2, int(expected.size() - right) / 2});
    if (n <= 0)
        return {};
    const QString part = inEnding ? QStringLiteral("ending") : name;
    const QString letters = expected.mid(right, n);
    if (right == from)
        return QStringLiteral("The %1 starts with \"%2\".").arg(part, letters);
    const int have = right - from;
    return (have == 1 ? QStringLiteral("The first letter of the %1 is right; then comes \"%2\".").arg(part, letters)
                      : QStringLiteral("The first %1 letters of the %2 are right; then comes \"%3\".")
                            .arg(QString::number(have), part, letters));
}

// An ending quoted as "-t" or "-ol" keeps its hyphen on its line: a word
// joiner after the hyphen (the box's fonts have no non-breaking hyphen).
QString endingsKeptWhole(QString text)
{
    for (int i = text.size() - 2; i >= 0; --i)
        if (text[i] == u'-' && text[i + 1].isLetter() && (i == 0 || !text[i - 1].isLetter()))
            text.insert(i + 1, QChar(0x2060));
    return text;
}

// The text the learner reads: the explanation, then the hint.
Diagnosis finished(Diagnosis d, const QString& hint)
{
    if (!hint.isEmpty())
        d.text = d.text.isEmpty() ? hint : d.text + u' ' + hint;
    d.text = endingsKeptWhole(d.text);
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
                   : personcode == 44 ? QStringLiteral("%1, which takes the form of ők").arg(h05d3::person(44).pronoun)
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

// How the typed words line up with the expected ones: a word in its place
// may be another form of it (changed), typed words may be too many (extra)
// and expected ones missing, each with the number of typed words before it.
struct Alignment {
    std::vector<std::pair<int, int>> changed;  // typed, expected
    std::vector<int> extra;                    // typed
    std::vector<std::pair<int, int>> missing;  // expected, typed words before it
};

// Words that look like forms of one another: the same start.
bool related(const QString& a, const QString& b)
{
    const QString x = fold(a), y = fold(b);
    return commonPrefix(x, y) >= std::min<qsizetype>({3, x.size(), y.size()});
}

Alignment align(const QStringList& t, const QStringList& e)
{
    const int m = int(t.size()), k = int(e.size());
    auto change = [&](int i, int j) { return sameWord(t[i], e[j]) ? 0 : related(t[i], e[j]) ? 1 : 2; };
    // cost[i][j]: what lining up t from i and e from j takes.
    std::vector<std::vector<int>> cost(m + 1, std::vector<int>(k + 1));
    for (int i = m; i >= 0; --i)
        for (int j = k; j >= 0; --j)
            cost[i][j] = i == m || j == k ? (m - i) + (k - j)
                                          : std::min({cost[i + 1][j + 1] + change(i, j), cost[i + 1][j] + 1,
                                                      cost[i][j + 1] + 1});
    Alignment a;
    for (int i = 0, j = 0; i < m || j < k;) {
        if (i < m && j < k && cost[i][j] == cost[i + 1][j + 1] + change(i, j)) {
            if (change(i, j))
                a.changed.push_back({i, j});
            ++i, ++j;
        } else if (i < m && cost[i][j] == cost[i + 1][j] + 1) {
            a.extra.push_back(i++);
        } else {
            a.missing.push_back({j++, i});
        }
    }
    return a;
}

QString counted(int n)
{
    static const char* const numbers[] = {"no", "one", "two", "three", "four", "five", "six"};
    return QString::fromLatin1(numbers[std::min(n, 6)]);
}

QString capitalised(QString s)
{
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

// Where the missing words go, run by run: "at the start", "after "állunk"".
Diagnosis missingWords(const QStringList& t, const std::vector<std::pair<int, int>>& missing)
{
    std::vector<std::pair<int, int>> runs;  // typed words before, words missing there
    for (const auto& [j, before] : missing) {
        if (!runs.empty() && runs.back().first == before)
            ++runs.back().second;
        else
            runs.push_back({before, 1});
    }
    auto where = [&](int before) {
        return before == 0 ? QStringLiteral("at the start") : QStringLiteral("after %1").arg(quoted(t[before - 1]));
    };
    const int n = int(missing.size());
    if (n == 1)
        return {Kind::MissingWord, QStringLiteral("A word is missing %1.").arg(where(runs[0].first))};
    if (runs.size() == 1)
        return {Kind::MissingWord,
                QStringLiteral("%1 words are missing %2.").arg(capitalised(counted(n)), where(runs[0].first))};
    QStringList places;
    for (const auto& [before, count] : runs)
        places << counted(count) + u' ' + where(before);
    const QString last = places.takeLast();
    return {Kind::MissingWord, QStringLiteral("%1 words are missing: %2 and %3.")
                                   .arg(capitalised(counted(n)), places.join(QStringLiteral(", ")), last)};
}

// The pronoun of a person that is shown in brackets: it is not written.
bool bracketed(const QString& word, int personcode)
{
    const h05d3::Person& p = h05d3::person(personcode);
    return !p.pronoun.isEmpty() && !p.opens && sameWord(word, p.pronoun.toString());
}

// A pronoun written where the person is in brackets, or one too many.
Diagnosis extraWord(const QString& word, int personcode)
{
    const h05d3::Person& p = h05d3::person(personcode);
    if (bracketed(word, personcode))
        return {Kind::ExtraWord, QStringLiteral("%1 is not written: a person in brackets, like %2, is left out, as "
                                                "the ending of the verb says the person.")
                                     .arg(quoted(word), p.label)};
    return {Kind::ExtraWord, QStringLiteral("%1 is not needed here.").arg(quoted(word))};
}

// What the place or object phrase of an item is: the key noun's ending tells.
QString phraseKind(int item)
{
    h05d3::Column hat, hata;
    h05d3::hatlista(hat);
    h05d3::hatalista(hata);
    const QString noun = fold(hata[item]);
    for (const QString& w : hat[item].split(u' '))
        if (fold(w).startsWith(noun.chopped(1))) {
            const QString ending = fold(w).mid(noun.size());
            return ending.endsWith(u't') ? QStringLiteral("object")
                   : ending.startsWith(u'u') ? QStringLiteral("language")
                                             : QStringLiteral("place");
        }
    return QStringLiteral("place");
}

// The same words in another order. Where the person, the phrase and the verb
// are each kept whole, the order is Hungarian too: say what the exercise asks.
Diagnosis wordOrder(int item, int personcode, const QStringList& t, const QStringList& e)
{
    const int last = int(e.size()) - 1;
    const int subject = h05d3::person(personcode).opens ? int(wordsOf(h05d3::subject(item, personcode)).size()) : 0;
    std::vector<std::pair<int, int>> blocks;  // from, to in e: the person, the phrase, the verb
    if (subject > 0)
        blocks.push_back({0, subject});
    if (last > subject)
        blocks.push_back({subject, last});
    blocks.push_back({last, last + 1});
    auto typedBlock = [&](const std::vector<int>& order, int b) {  // b's words as typed
        int at = 0;
        for (int k = 0; order[k] != b; ++k)
            at += blocks[order[k]].second - blocks[order[k]].first;
        return quoted(t.mid(at, blocks[b].second - blocks[b].first).join(u' '));
    };
    std::vector<int> order(blocks.size());
    std::iota(order.begin(), order.end(), 0);
    do {
        QStringList words;
        for (int b : order)
            words << e.mid(blocks[b].first, blocks[b].second - blocks[b].first);
        if (!std::ranges::equal(words, t, sameWord))
            continue;
        const int verb = int(blocks.size()) - 1, phrase = verb - 1;
        auto position = [&](int b) { return std::ranges::find(order, b) - order.begin(); };
        const bool personFirst = subject > 0 && order[0] != 0;
        const bool phraseFirst = position(phrase) > position(verb);
        QStringList asks, moves;
        if (personFirst) {
            asks << QStringLiteral("the person first");
            moves << QStringLiteral("put %1 first").arg(typedBlock(order, 0));
        }
        if (phraseFirst) {
            asks << QStringLiteral("the %1 %2").arg(phraseKind(item), personFirst ? QStringLiteral("next")
                                                                               : QStringLiteral("first"));
            moves << QStringLiteral("put %1 before %2").arg(typedBlock(order, phrase), typedBlock(order, verb));
        }
        return {Kind::Order, QStringLiteral("Hungarian allows this order too, but this exercise asks for %1, then the "
                                            "verb: %2.")
                                 .arg(asks.join(QStringLiteral(", ")), moves.join(QStringLiteral(" and ")))};
    } while (std::next_permutation(order.begin(), order.end()));

    // Words moved inside the phrase: the longest run kept in order stays.
    const Alignment kept = align(t, e);
    QStringList moves;
    for (const auto& [j, before] : kept.missing) {
        const auto typed = std::ranges::find_if(kept.extra, [&](int i) { return sameWord(t[i], e[j]); });
        if (typed == kept.extra.end())
            continue;
        moves << (j == 0 ? QStringLiteral("put %1 first").arg(quoted(t[*typed]))
                         : QStringLiteral("put %1 after %2").arg(quoted(t[*typed]), quoted(e[j - 1])));
    }
    if (moves.isEmpty())
        return {Kind::Order, QStringLiteral("The words are right, but not in the right order.")};
    return {Kind::Order,
            QStringLiteral("The words are right, but not in this order: %1.").arg(moves.join(QStringLiteral(" and ")))};
}

// A sentence of real words with the verb right that says something else
// than the picture: what the picture needs, in English.
std::optional<Diagnosis> pictureNeeds(int item, const QStringList& t, const QStringList& e)
{
    if (!analyser().ready() || t.isEmpty() || !sameWord(t.last(), e.last()))
        return std::nullopt;
    for (const QString& w : t) {
        bool known = false;
        analyser().analyse(w, &known);
        if (!known)
            return std::nullopt;
    }
    return Diagnosis{Kind::Meaning, QStringLiteral("Those are Hungarian words, but they do not say what the picture "
                                                   "shows: it needs \"%1\".").arg(h05d3::phraseInEnglish(item))};
}

// A named slip of one word among others: the word is quoted where the
// explanation does not say which it is.
Diagnosis ofWord(Diagnosis d, const QString& typed)
{
    if (!d.text.contains(quoted(typed)) && !d.text.contains(QStringLiteral(" word")))
        d.text = quoted(typed) + QStringLiteral(": ") + d.text.left(1).toLower() + d.text.mid(1);
    return d;
}

// Exercise 3: what is wrong in the typed words against the expected ones;
// among says that another slip is named beside these.
Diagnosis sentenceWords(int item, int personcode, const QStringList& t, const QStringList& e, bool among = false)
{
    if (t.size() == e.size() && sortedWords(t) == sortedWords(e))
        return wordOrder(item, personcode, t, e);
    const Alignment a = align(t, e);
    const bool accentsOnly = a.changed.size() > 1 && a.extra.empty() && a.missing.empty()
                             && std::ranges::all_of(a.changed, [&](const std::pair<int, int>& c) {
                                    return fold(t[c.first]) == fold(e[c.second]);
                                });
    if (accentsOnly) {
        std::vector<int> places;
        for (const auto& c : a.changed)
            places.push_back(c.second);
        return accents(wordPlaces(places));
    }
    std::vector<Diagnosis> named;
    bool unnamed = false;
    const bool several = among || a.changed.size() + a.extra.size() + !a.missing.empty() > 1;
    for (const auto& [i, j] : a.changed) {
        const Diagnosis d = sentenceWord(item, personcode, e, j, t[i]);
        unnamed = unnamed || d.text.isEmpty();
        if (!d.text.isEmpty())
            named.push_back(several ? ofWord(d, t[i]) : d);
    }
    for (int i : a.extra)
        named.push_back(extraWord(t[i], personcode));
    if (!a.missing.empty())
        named.push_back(missingWords(t, a.missing));
    // A word left unnamed, or more slips than a learner can take in at once:
    // naming only some of them would mislead.
    if (unnamed || named.size() > 2)
        return pictureNeeds(item, t, e).value_or(Diagnosis{});
    if (named.empty())
        return {};
    Diagnosis d = named[0];
    for (std::size_t k = 1; k < named.size(); ++k)
        d = both(d, named[k]);
    return d;
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
    case Kind::Meaning: return QStringLiteral("meaning");
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
        {QStringLiteral("meaning"), QStringLiteral("another meaning than the picture's")},
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
    return finished(verbForm(a, typed), hint(a.expected, typed, endingStart(a), QStringLiteral("word"), tries));
}

Diagnosis extendedAnswer(int verb, int p, const QString& typed, int tries)
{
    static const QStringList igeb = h05d1::igeblista();
    const QString& shown = igeb.at(verb);
    const Asked a{shown, slotOf12(p), h05d1::extendedAnswer(verb, p), h05d1::ragb(verb, p),
                  [](int s) { return slotNames[s]; },
                  {int(shown.size()), QStringLiteral("in the verb"), QStringLiteral("in the ending")}};
    return finished(verbForm(a, typed), hint(a.expected, typed, endingStart(a), QStringLiteral("word"), tries));
}

Diagnosis sentence(int item, int personcode, const QString& sentenceA, const QString& sentenceB,
                   const QString& typed, int tries)
{
    QStringList t = wordsOf(typed);
    const QStringList a = wordsOf(sentenceA), b = wordsOf(sentenceB);
    // A pronoun written where the person is in brackets: the rest is judged
    // as the sentence.
    Diagnosis pronoun;
    QString judged = typed;
    if (t.size() > 1 && bracketed(t[0], personcode)) {
        pronoun = extraWord(t[0], personcode);
        t.removeFirst();
        judged = capitalised(typed.mid(typed.indexOf(u' ') + 1).trimmed());
    }
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
    const QString hinted =
        first < e.size() ? hint(e[first], t.value(first), 0, ordinal(first + 1) + QStringLiteral(" word"), tries)
                         : QString();
    Diagnosis d;
    if (auto s = surfaceSlip(judged, whole, true))
        d = *s;
    else if (!std::ranges::equal(t, e, sameWord))
        d = sentenceWords(item, personcode, t, e, !pronoun.text.isEmpty());
    return finished(pronoun.text.isEmpty() ? d : both(pronoun, d), hinted);
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
        const NounAsked asked{noun, right, QStringLiteral("the text"),
                              {boxed, QStringLiteral("in the stem box"), QStringLiteral("in the ending"),
                               std::max(0, boxed)}};
        Diagnosis d = lengtheningInTheGap(asked, word);
        if (d.kind == Kind::Other)
            d = nounForm(asked, word);
        return finished(d, hint(right, word, int(right.size() - expected.size()), QStringLiteral("word"), tries));
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
    return finished(d, hint(before + expected, before + typed, int(before.size()), QStringLiteral("word"), tries));
}

} // namespace lumora::feedback
