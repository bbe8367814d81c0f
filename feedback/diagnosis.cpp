#include "feedback/diagnosis.h"

#include "lesson/sentences.h"
#include "lesson/text.h"
#include "lesson/verbs.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <array>
#include <vector>

namespace lumora::feedback {
namespace {

// ---- Persons ---------------------------------------------------------------------

// One slot per person, in the order én, te, ő, mi, ti, ők.
constexpr int slotCount = 6;
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

// Exercise 5: Péter is the third person singular.
int slotOf5(int person)
{
    constexpr int bySlot[] = {2, 0, 1, 3, 4, 5};
    return bySlot[person];
}

// ---- Words -----------------------------------------------------------------------

// The letter with its accent, length mark or dots taken away.
QChar bare(QChar c)
{
    static const QString marked = QStringLiteral("áéíóöőúüűÁÉÍÓÖŐÚÜŰ");
    static const QString plain = QStringLiteral("aeiooouuuAEIOOOUUU");
    const int i = marked.indexOf(c);
    return i < 0 ? c : plain.at(i);
}

QString fold(const QString& s)
{
    QString out = s.toLower();
    for (QChar& c : out)
        c = bare(c);
    return out;
}

// The vowels that change with the harmony of a suffix: -nak/-nek,
// -tok/-tek/-tök, -unk/-ünk, -ban/-ben, -on/-en/-ön, -ul/-ül, ...
bool harmonyVowel(QChar c) { return QStringView(u"aeoöuü").contains(c); }

// typed is another harmony form of the expected suffix.
bool harmonyVariant(const QString& typed, const QString& expected)
{
    if (typed == expected || typed.size() != expected.size())
        return false;
    for (int i = 0; i < typed.size(); ++i)
        if (typed[i] != expected[i] && !(harmonyVowel(typed[i]) && harmonyVowel(expected[i])))
            return false;
    return true;
}

int commonPrefix(const QString& a, const QString& b)
{
    int n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n])
        ++n;
    return n;
}

// The last word of a text piece, without the punctuation around it.
QString lastWord(QStringView text)
{
    const QStringList words = text.toString().split(u' ', Qt::SkipEmptyParts);
    QString word = words.isEmpty() ? QString() : words.last();
    while (!word.isEmpty() && (word.front() == u'.' || word.front() == u','))
        word.remove(0, 1);
    return word;
}

// The text piece just before a gap of exercise 5: the word it completes.
QStringView textBefore(int gap)
{
    QStringView before;
    for (const h05d5::Element& e : h05d5::textElements) {
        if (e.piece == h05d5::Piece::Gap && e.index == gap)
            return before;
        before = e.text;
    }
    return {};
}

QString ordinal(int n)
{
    static const char* const suffixes[] = {"th", "st", "nd", "rd"};
    return QString::number(n) + QLatin1String(n >= 1 && n <= 3 ? suffixes[n] : suffixes[0]);
}

// ---- Verb forms ------------------------------------------------------------------

struct Verb {
    QString verb;  // as the lists show it: "lak" for lakik
    Forms forms;   // empty where no table holds the form
};

// Every verb of the three exercises with the forms their tables hold.
std::vector<Verb> collectVerbs()
{
    std::vector<Verb> verbs;
    auto put = [&verbs](const QString& verb, int slot, const QString& form) {
        auto it = std::ranges::find(verbs, verb, &Verb::verb);
        if (it == verbs.end())
            it = verbs.insert(verbs.end(), Verb{verb, {}});
        if (it->forms[slot].isEmpty())
            it->forms[slot] = form;
    };

    const QStringList igeb = h05d1::igeblista();
    for (int v = 0; v < igeb.size(); ++v)
        for (int p = h05d1::en; p <= h05d1::ok; ++p)
            put(igeb[v], slotOf12(p), h05d1::extendedAnswer(v, p));

    h05d3::Column ige;
    h05d3::igelista(ige);
    for (int k = 0; k < h05d3::itemCount; ++k) {
        const bool one = h05d3::singular(k);
        for (int code : one ? std::array{1, 2, 3} : std::array{11, 22, 33}) {
            const QString stem = h05d3::irregular(k) ? h05d3::megyStem(code) : ige[k];
            put(ige[k], slotOf3(code), stem + h05d3::ending(k, code));
        }
    }

    for (int g = 0; g < h05d5::gapCount; ++g) {
        if (h05d5::gapKind(g) != h05d5::GapKind::Verb)
            continue;
        h05d5::SuffixList list;
        for (int p = 0; p < h05d5::personCount; ++p) {
            h05d5::persons[p].fill(list);
            const QString verb = lastWord(textBefore(g));
            put(verb, slotOf5(p), verb + list[g]);
        }
    }
    return verbs;
}

const Forms& formsOf(const QString& verb)
{
    static const std::vector<Verb> verbs = collectVerbs();
    static const Forms none;
    const auto it = std::ranges::find(verbs, verb, &Verb::verb);
    return it == verbs.end() ? none : it->forms;
}

// What is known about the verb form asked for.
struct Asked {
    QString verb;      // as listed, the key into the forms
    QString name;      // the verb as the text names it
    int slot;          // the person asked
    QString person;    // how the text names that person
    QString expected;  // the whole form
    QString ending;    // its last part, the personal ending
};

Diagnosis verbForm(const Asked& a, const QString& typed, const QString& where)
{
    const Forms& forms = formsOf(a.verb);
    for (int s = 0; s < slotCount; ++s)
        if (s != a.slot && !forms[s].isEmpty() && forms[s] == typed)
            return {Kind::Person,
                    QStringLiteral("That is the form for %1. Here the person is %2.").arg(slotNames[s], a.person)};

    const QString stem = a.expected.chopped(a.ending.size());
    if (typed.startsWith(stem) && harmonyVariant(typed.mid(stem.size()), a.ending))
        return {Kind::Harmony, QStringLiteral("\"%1\" breaks the vowel harmony: the vowels of %2 decide the "
                                              "vowel of the ending.")
                                   .arg(typed, a.name)};

    // Two slips at once: another person's ending with the wrong vowel.
    for (int s = 0; s < slotCount; ++s)
        if (s != a.slot && !forms[s].isEmpty() && harmonyVariant(typed, forms[s]))
            return {Kind::Person, QStringLiteral("That is close to the form for %1. Here the person is %2.")
                                      .arg(slotNames[s], a.person)};

    if (fold(typed) == fold(a.expected))
        return {Kind::Accents, QStringLiteral("Almost: check the accents %1.")
                                   .arg(typed.startsWith(stem) ? QStringLiteral("in the ending") : where)};

    // van and megy: some of their forms do not begin with the listed verb.
    const bool changing = std::ranges::any_of(forms, [&](const QString& f) {
        return !f.isEmpty() && !f.startsWith(a.verb);
    });
    const QString typedStem = typed.chopped(std::min(typed.size(), a.ending.size()));
    const bool knownStem = typedStem.startsWith(a.verb) || std::ranges::any_of(forms, [&](const QString& f) {
        return !typedStem.isEmpty() && f.startsWith(typedStem);
    });
    if (changing && typed.endsWith(a.ending) && knownStem)
        return {Kind::Stem, stem == a.verb ? QStringLiteral("This verb keeps its stem for this person.")
                                           : QStringLiteral("This verb changes its stem for this person.")};

    // lakik keeps its -ik only in the third person.
    const QString& third = forms[2];
    if (third.startsWith(a.verb) && third != a.verb && typed == third + a.ending)
        return {Kind::Stem, QStringLiteral("Leave out the -%1 of %2 before this ending.")
                                .arg(third.mid(a.verb.size()), third)};
    return {};
}

// ---- Hints -----------------------------------------------------------------------

// The first letters of rest, one more for each wrong try after the first,
// never all of it.
QString revealed(const QString& rest, int tries)
{
    const int n = std::min(tries - 1, int(rest.size()) - 1);
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

int wordDistance(const QStringList& a, const QStringList& b)
{
    std::vector<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (sameWord(a[i - 1], b[j - 1]) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
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

// A word of the place or object phrase against the expected one; noun is
// the key noun of the item (mozi, szálloda).
Diagnosis phraseWord(const QString& typed, const QString& expected, const QString& noun, int position)
{
    const QString t = typed.toLower(), e = expected.toLower(), n = noun.toLower();
    if (!e.startsWith(n) && t.startsWith(n) && t.mid(n.size()) == e.mid(n.size()))
        return {Kind::Stem, QStringLiteral("The last %1 of %2 becomes long before this ending.").arg(n.back(), noun)};
    const QString root = n.chopped(1);
    if (t.startsWith(root) && e.startsWith(root) && harmonyVariant(t.mid(root.size()), e.mid(root.size())))
        return {Kind::Harmony, QStringLiteral("\"%1\" breaks the vowel harmony: the vowels of %2 decide the "
                                              "vowel of the ending.")
                                   .arg(typed, noun)};
    if (fold(t) == fold(e))
        return {Kind::Accents, QStringLiteral("Almost: check the accents in the %1 word.").arg(ordinal(position))};
    if (t.startsWith(root) && e.startsWith(root))
        return {Kind::Case, QStringLiteral("\"%1\" has the wrong case ending for this picture.").arg(typed)};
    return {};
}

} // namespace

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
    };
    return labels.value(name, name);
}

Diagnosis basicAnswer(int item, const QString& typed, int tries)
{
    const h05d1::BasicItem& i = h05d1::basicItem(item);
    const int person = h05d1::itemPerson(item);
    const Asked a{i.verb.toString(), i.verb.toString(), slotOf12(person), h05d1::pronoun(person),
                  h05d1::basicAnswer(item), i.ending.toString()};
    return withHint(verbForm(a, typed, QStringLiteral("in the verb")),
                    continuationHint(a.expected, a.verb, tries));
}

Diagnosis extendedAnswer(int verb, int person, const QString& typed, int tries)
{
    static const QStringList igeb = h05d1::igeblista();
    const Asked a{igeb.at(verb), igeb.at(verb), slotOf12(person), h05d1::pronoun(person),
                  h05d1::extendedAnswer(verb, person), h05d1::ragb(verb, person)};
    return withHint(verbForm(a, typed, QStringLiteral("in the verb")),
                    continuationHint(a.expected, a.verb, tries));
}

Diagnosis sentence(int item, int personcode, const QString& sentenceA, const QString& sentenceB,
                   const QString& typed, int tries)
{
    const QStringList t = wordsOf(typed);
    const QStringList a = wordsOf(sentenceA), b = wordsOf(sentenceB);
    const QStringList& e = wordDistance(t, b) < wordDistance(t, a) ? b : a;

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
    if (t.size() < e.size()) {
        const int missing = firstLeftOut(t, e);
        if (missing == 0)
            d = {Kind::MissingWord, QStringLiteral("A word is missing at the start.")};
        else if (missing > 0)
            d = {Kind::MissingWord, QStringLiteral("A word is missing after %1.").arg(t[missing - 1])};
    } else if (t.size() > e.size()) {
        const int extra = firstLeftOut(e, t);
        const QString pronoun = h05d3::person(personcode).pronoun.toString();
        if (extra >= 0 && !pronoun.isEmpty() && !h05d3::person(personcode).opens && sameWord(t[extra], pronoun))
            d = {Kind::ExtraWord, QStringLiteral("\"%1\" is not needed here: the ending of the verb says the person.")
                                      .arg(t[extra])};
        else if (extra >= 0)
            d = {Kind::ExtraWord, QStringLiteral("\"%1\" is not needed here.").arg(t[extra])};
    } else {
        std::vector<int> differ;
        for (int i = 0; i < t.size(); ++i)
            if (!sameWord(t[i], e[i]))
                differ.push_back(i);
        QStringList ts, es;
        for (const QString& w : t)
            ts << w.toLower();
        for (const QString& w : e)
            es << w.toLower();
        ts.sort();
        es.sort();
        if (differ.size() > 1 && ts == es) {
            d = {Kind::Order, QStringLiteral("The words are right, but not in the right order.")};
        } else if (differ.size() == 1 && differ[0] == e.size() - 1) {
            // The verb closes the sentence.
            h05d3::Column al;
            h05d3::allista(al);
            h05d3::Column ige;
            h05d3::igelista(ige);
            const int slot = slotOf3(personcode);
            const QString person = personcode == 3 ? QStringLiteral("ő (%1)").arg(al[item])
                                   : personcode == 44 ? h05d3::person(44).pronoun.toString()
                                                      : slotNames[slot];
            const Asked asked{ige[item], h05d3::dictionaryForm(item), slot, person, e.last(),
                              h05d3::ending(item, personcode)};
            d = verbForm(asked, t.last(), QStringLiteral("in the verb"));
        } else if (differ.size() == 1) {
            h05d3::Column hata;
            h05d3::hatalista(hata);
            d = phraseWord(t[differ[0]], e[differ[0]], hata[item], differ[0] + 1);
        }
    }
    return withHint(d, hint);
}

Diagnosis gapAnswer(int gap, int person, const QString& stem, const QString& typed, int tries)
{
    h05d5::SuffixList list;
    h05d5::persons[person].fill(list);
    const QString expected = list[gap];
    const QString word = lastWord(textBefore(gap));

    if (const h05d5::Stem* s = h05d5::stemOf(gap)) {
        const QString joined = stem + typed;
        const QString whole = s->whole.toString();
        const QString reset = s->reset.toString();
        const QString wholeStem = whole.chopped(expected.size());
        Diagnosis d;
        if (joined == reset + expected)
            d = {Kind::Stem,
                 QStringLiteral("The last %1 of %2 becomes long before this ending.").arg(word.back(), word)};
        else if (joined.startsWith(wholeStem) && harmonyVariant(joined.mid(wholeStem.size()), expected))
            d = {Kind::Harmony, QStringLiteral("\"%1\" breaks the vowel harmony: the vowels of %2 decide the "
                                               "vowel of the ending.")
                                    .arg(typed, word)};
        else if (fold(joined) == fold(whole))
            d = {Kind::Accents, QStringLiteral("Almost: check the accents.")};
        return withHint(d, continuationHint(whole, reset, tries));
    }

    Diagnosis d;
    for (int p = 0; p < h05d5::personCount && d.kind == Kind::Other; ++p) {
        if (p == person)
            continue;
        h05d5::SuffixList other;
        h05d5::persons[p].fill(other);
        if (other[gap] == typed && other[gap] != expected)
            d = {Kind::Person, QStringLiteral("That is the ending for %1. Here the person is %2.")
                                   .arg(h05d5::persons[p].item.toString(), h05d5::persons[person].item.toString())};
        else if (harmonyVariant(typed, other[gap]) && other[gap] != expected && !harmonyVariant(typed, expected))
            d = {Kind::Person, QStringLiteral("That is close to the ending for %1. Here the person is %2.")
                                   .arg(h05d5::persons[p].item.toString(), h05d5::persons[person].item.toString())};
    }
    if (d.kind == Kind::Other && harmonyVariant(typed, expected))
        d = {Kind::Harmony, QStringLiteral("\"%1\" breaks the vowel harmony: the vowels of %2 decide the "
                                           "vowel of the ending.")
                                .arg(typed, word)};
    else if (d.kind == Kind::Other && fold(typed) == fold(expected) && typed != expected)
        d = {Kind::Accents, QStringLiteral("Almost: check the accents in the ending.")};
    const QString letters = revealed(expected, tries);
    return withHint(d, letters.isEmpty() ? QString() : QStringLiteral("The ending starts with \"%1\".").arg(letters));
}

} // namespace lumora::feedback
