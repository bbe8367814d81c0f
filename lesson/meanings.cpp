#include "lesson/meanings.h"

#include "lesson/sentences.h"
#include "lesson/text.h"
#include "lesson/verbs.h"

#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace lumora::meanings {
namespace {

constexpr Kind V = Kind::Verb, N = Kind::Noun, Adj = Kind::Adjective, Adv = Kind::Adverb,
               P = Kind::Pronoun, Art = Kind::Article, C = Kind::Conjunction, Name = Kind::Name;

// clang-format off
constexpr Meaning entries[] = {
    // verbs of exercises 1 and 2, then the one more of exercise 3
    {u"áll",         u"to stand",                    V},
    {u"bérel",       u"to rent",                     V},
    {u"beszél",      u"to speak, to talk",           V},
    {u"beszélget",   u"to talk, to chat",            V},
    {u"csinál",      u"to do, to make",              V},
    {u"fizet",       u"to pay",                      V},
    {u"főz",         u"to cook",                     V},
    {u"gépel",       u"to type",                     V},
    {u"hallgat",     u"to listen (to)",              V},
    {u"ír",          u"to write",                    V},
    {u"kér",         u"to ask for",                  V},
    {u"keres",       u"to look for",                 V},
    {u"lakik",       u"to live (somewhere)",         V},
    {u"megy",        u"to go",                       V},
    {u"mos",         u"to wash",                     V},
    {u"mosogat",     u"to wash up",                  V},
    {u"néz",         u"to watch, to look at",        V},
    {u"olvas",       u"to read",                     V},
    {u"örül",        u"to be glad",                  V},
    {u"parancsol",   u"to order, to command",        V},
    {u"pihen",       u"to rest",                     V},
    {u"sétál",       u"to walk",                     V},
    {u"siet",        u"to hurry",                    V},
    {u"tanul",       u"to study, to learn",          V},
    {u"táncol",      u"to dance",                    V},
    {u"ül",          u"to sit",                      V},
    {u"van",         u"to be",                       V},
    {u"vár",         u"to wait (for)",               V},
    {u"vesz",        u"to buy",                      V},

    // the persons
    {u"én",          u"I",                           P},
    {u"te",          u"you (one person)",            P},
    {u"mi",          u"we",                          P},
    {u"ti",          u"you (more people)",           P},
    {u"ők",          u"they",                        P},
    {u"önök",        u"you (polite, more people)",   P},

    // the people of exercise 3's pictures and exercise 5's text
    {u"lány",        u"girl",                        N},
    {u"fiú",         u"boy",                         N},
    {u"orvos",       u"doctor",                      N},
    {u"diák",        u"student",                     N},
    {u"tanár",       u"teacher",                     N},
    {u"tanárnő",     u"teacher (a woman)",           N},
    {u"mérnök",      u"engineer",                    N},
    {u"úr",          u"gentleman, Mr (after a name)", N},
    {u"Szabó",       u"a family name (szabó: tailor)", Name},
    {u"Kis",         u"a family name (kis: small)",  Name},
    {u"Péter",       u"Peter (a man's name)",        Name},
    {u"Albert",      u"a man's name",                Name},
    {u"János",       u"John (a man's name)",         Name},
    {u"Sándor",      u"Alexander (a man's name)",    Name},
    {u"Anna",        u"a woman's name",              Name},
    {u"Éva",         u"Eve (a woman's name)",        Name},
    {u"Kati",        u"Kate (a woman's name)",       Name},
    {u"Mária",       u"Mary (a woman's name)",       Name},
    {u"Zsuzsa",      u"Susan (a woman's name)",      Name},

    // the places and things of exercise 3's pictures
    {u"mozi",        u"cinema",                      N},
    {u"egyetem",     u"university",                  N},
    {u"újság",       u"newspaper",                   N},
    {u"autó",        u"car",                         N},
    {u"szálloda",    u"hotel",                       N},
    {u"konyha",      u"kitchen",                     N},
    {u"forint",      u"forint (Hungarian money)",    N},
    {u"kalap",       u"hat",                         N},
    {u"fürdőszoba",  u"bathroom",                    N},
    {u"taxi",        u"taxi",                        N},
    {u"televízió",   u"television",                  N},
    {u"bank",        u"bank",                        N},
    {u"könyvtár",    u"library",                     N},
    {u"posta",       u"post office",                 N},
    {u"tér",         u"square",                      N},
    {u"szoba",       u"room",                        N},
    {u"gyümölcs",    u"fruit",                       N},
    {u"iroda",       u"office",                      N},
    {u"angol",       u"English",                     Adj},
    {u"zene",        u"music",                       N},
    {u"klub",        u"club",                        N},
    {u"kert",        u"garden",                      N},
    {u"étterem",     u"restaurant",                  N},

    // the other words of exercise 5's text
    {u"Budapest",    u"the capital of Hungary",      Name},
    {u"Kelenföld",   u"a part of Budapest",          Name},
    {u"szép",        u"beautiful, nice",             Adj},
    {u"német",       u"German",                      Adj},
    {u"francia",     u"French",                      Adj},
    {u"magyar",      u"Hungarian",                   Adj},
    {u"jól",         u"well",                        Adv},
    {u"most",        u"now",                         Adv},
    {u"nem",         u"not, no",                     Adv},
    {u"a",           u"the",                         Art},
    {u"az",          u"the (before a vowel)",        Art},
    {u"egy",         u"a, an; one",                  Art},
    {u"és",          u"and",                         C},
};

// The words the lesson shows in another form than their dictionary form.
struct Form {
    QStringView shown;
    QStringView word;
};

constexpr Form forms[] = {
    {u"lak",        u"lakik"},     // the stem the exercises show; the dictionary lists the -ik form
    {u"lányok",     u"lány"},
    {u"fiúk",       u"fiú"},
    {u"orvosok",    u"orvos"},
    {u"diákok",     u"diák"},
    {u"tanárok",    u"tanár"},
    {u"tanárnők",   u"tanárnő"},
    {u"mérnökök",   u"mérnök"},
    {u"Budapesten", u"Budapest"},
};
// clang-format on

const char* const kindNames[] = {"verb", "noun", "adjective", "adverb", "pronoun", "article", "conjunction", "name"};

QStringList words(QStringView text)
{
    static const QRegularExpression letters(QStringLiteral("\\p{L}+"));
    QStringList found;
    for (const QRegularExpressionMatch& m : letters.globalMatch(text))
        found << m.captured();
    return found;
}

// Each word of the texts once, in order.
QStringList wordsOnce(const QStringList& texts)
{
    QStringList found;
    for (const QString& text : texts)
        for (const QString& word : words(text))
            if (!found.contains(word))
                found << word;
    return found;
}

// The entries of the words of a text, each once, in order.
std::vector<const Meaning*> entriesOf(QStringView text)
{
    std::vector<const Meaning*> found;
    for (const QString& word : words(text))
        if (const Meaning* m = find(dictionaryForm(word)); m && std::ranges::find(found, m) == found.end())
            found.push_back(m);
    return found;
}

QStringList exercise12(int exercise)
{
    QStringList texts;
    const h05d1::ItemRange items = h05d1::exerciseItems(exercise);
    for (int i = items.first; i < items.first + items.count; ++i)
        texts << h05d1::basicItem(i).verb.toString();
    texts << h05d1::igeblista(); // Plus
    for (int p = h05d1::en; p <= h05d1::ok; ++p)
        texts << h05d1::pronoun(p);
    return texts;
}

QStringList exercise3()
{
    using namespace h05d3;
    Column al, hata;
    allista(al);
    hatalista(hata);
    QStringList texts;
    for (int item = 0; item < itemCount; ++item)
        texts << al[item] << hata[item] << h05d3::dictionaryForm(item);
    // The persons of the basic series and of Plus; person 3 is the item's own subject.
    for (int item = 0; item < itemCount; ++item)
        for (int choice = 1; choice <= 3; ++choice)
            texts << person(extendedPerson(item, choice)).pronoun.toString();
    for (int item = 0; item < basicCount; ++item)
        texts << person(basicPerson(item)).pronoun.toString();
    return texts;
}

QStringList exercise5()
{
    using namespace h05d5;
    QStringList texts;
    for (const Element& e : textElements)
        texts << e.text.toString();
    for (const Person& p : persons)
        texts << p.caption.toString();
    return texts;
}

} // namespace

QString kindName(Kind kind) { return QLatin1String(kindNames[int(kind)]); }

std::span<const Meaning> all() { return entries; }

const Meaning* find(QStringView word)
{
    for (const Meaning& m : entries)
        if (m.word == word)
            return &m;
    return nullptr;
}

QString dictionaryForm(QStringView shown)
{
    const QString lower = shown.toString().toLower();
    for (QStringView w : {shown, QStringView(lower)}) {
        for (const Form& f : forms)
            if (f.shown == w)
                return f.word.toString();
        if (find(w))
            return w.toString();
    }
    return shown.toString();
}

QString gloss(const Meaning& m) { return m.word.toString() + QStringLiteral(" — ") + m.english.toString(); }

QStringList glosses(QStringView text)
{
    QStringList lines;
    for (const Meaning* m : entriesOf(text))
        lines << gloss(*m);
    return lines;
}

QStringList pictureGlosses(int item)
{
    h05d3::Column al, hata;
    h05d3::allista(al);
    h05d3::hatalista(hata);
    QStringList lines;
    for (const Meaning* m : entriesOf(QStringList{al[item], hata[item], h05d3::dictionaryForm(item)}.join(u' ')))
        if (m->kind != Kind::Article) // "the girls" is about girls
            lines << gloss(*m);
    return lines;
}

QStringList wordsShown(int exercise)
{
    switch (exercise) {
    case 1:
    case 2: return wordsOnce(exercise12(exercise));
    case 3: return wordsOnce(exercise3());
    case 5: return wordsOnce(exercise5());
    }
    return {};
}

} // namespace lumora::meanings
