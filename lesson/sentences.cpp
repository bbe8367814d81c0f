#include "lesson/sentences.h"

#include "core/module1.h"
#include "lesson/meanings.h"

#include <algorithm>
#include <vector>

namespace lumora::h05d3 {
namespace {

struct Item {
    QStringView al, hata, hat, hatb, ige;
};

// clang-format off
constexpr Item items[itemCount] = {
    //  al                      hata             hat                   hatb                  ige
    {u"a lányok",           u"mozi",       u"a moziba",          u"moziba",            u"megy"},    //  0
    {u"a fiúk",             u"egyetem",    u"az egyetem előtt",  u"az egyetem előtt",  u"áll"},     //  1
    {u"az orvosok",         u"újság",      u"újságot",           u"újságot",           u"olvas"},   //  2
    {u"Szabó úr",           u"autó",       u"autót",             u"egy autót",         u"bérel"},   //  3
    {u"Kis úr",             u"szálloda",   u"szállodában",       u"a szállodában",     u"lak"},     //  4
    {u"Éva",                u"konyha",     u"a konyhában",       u"a konyhában",       u"főz"},     //  5
    {u"Anna",               u"forint",     u"ezer forintot",     u"1000 forintot",     u"fizet"},   //  6
    {u"Péter",              u"kalap",      u"kalapot",           u"egy kalapot",       u"kér"},     //  7
    {u"Anna",               u"fürdőszoba", u"a fürdőszobában",   u"a fürdőszobában",   u"mos"},     //  8
    {u"Albert",             u"taxi",       u"taxit",             u"egy taxit",         u"keres"},   //  9
    {u"Péter",              u"televízió",  u"televíziót",        u"tévét",             u"néz"},     // 10
    {u"Kati",               u"bank",       u"a bankba",          u"bankba",            u"megy"},    // 11
    {u"Péter",              u"autó",       u"az autóban",        u"egy autóban",       u"ül"},      // 12
    {u"János",              u"könyvtár",   u"a könyvtárban",     u"a könyvtárban",     u"olvas"},   // 13
    {u"János",              u"posta",      u"a postára",         u"a postára",         u"siet"},    // 14
    {u"Sándor",             u"tér",        u"a téren",           u"egy téren",         u"vár"},     // 15
    {u"a tanárnő",          u"szoba",      u"a szobában",        u"a szobában",        u"pihen"},   // 16
    {u"Kati",               u"gyümölcs",   u"gyümölcsöt",        u"gyümölcsöt",        u"vesz"},    // 17
    {u"Mária",              u"iroda",      u"az irodában",       u"az irodában",       u"gépel"},   // 18
    {u"Zsuzsa",             u"angol",      u"angolul",           u"angolul",           u"beszél"},  // 19
    {u"a tanárnő",          u"zene",       u"zenét",             u"zenét",             u"hallgat"}, // 20
    {u"Péter",              u"klub",       u"a klubban",         u"egy klubban",       u"táncol"},  // 21
    {u"a tanárnők",         u"zene",       u"zenét",             u"zenét",             u"hallgat"}, // 22
    {u"a lányok",           u"kert",       u"a kertben",         u"a kertben",         u"sétál"},   // 23
    {u"a lányok",           u"fürdőszoba", u"a fürdőszobában",   u"a fürdőszobában",   u"mos"},     // 24
    {u"a fiúk",             u"televízió",  u"televíziót",        u"tévét",             u"néz"},     // 25
    {u"a lányok",           u"konyha",     u"a konyhában",       u"a konyhában",       u"főz"},     // 26
    {u"a fiúk",             u"taxi",       u"taxit",             u"egy taxit",         u"keres"},   // 27
    {u"a diákok",           u"könyvtár",   u"a könyvtárban",     u"a könyvtárban",     u"olvas"},   // 28
    {u"a tanárok",          u"egyetem",    u"az egyetemre",      u"az egyetemre",      u"megy"},    // 29
    {u"a lányok és a fiúk", u"klub",       u"a klubban",         u"egy klubban",       u"táncol"},  // 30
    {u"a mérnökök",         u"étterem",    u"az étteremben",     u"egy étteremben",    u"ül"},      // 31
};
// clang-format on

// The phrase of each item in English, as the picture shows it.
constexpr QStringView phrasesInEnglish[itemCount] = {
    u"into the cinema",  u"in front of the university", u"a newspaper",   u"a car",            //  0.. 3
    u"in a hotel",       u"in the kitchen",             u"1000 forints",  u"a hat",            //  4.. 7
    u"in the bathroom",  u"a taxi",                     u"television",    u"into the bank",    //  8..11
    u"in the car",       u"in the library",             u"to the post office", u"in the square", // 12..15
    u"in the room",      u"fruit",                      u"in the office", u"in English",       // 16..19
    u"music",            u"in the club",                u"music",         u"in the garden",    // 20..23
    u"in the bathroom",  u"television",                 u"in the kitchen", u"a taxi",          // 24..27
    u"in the library",   u"to the university",          u"in the club",   u"in the restaurant", // 28..31
};

void fill(Column& list, QStringView Item::*field)
{
    for (int k = 0; k < itemCount; ++k)
        list[k] = (items[k].*field).toString();
}

constexpr Person persons[] = {
    // code  pronoun  label     opens  icon
    {1,  u"én",   u"(én)", false, 51},
    {2,  u"te",   u"(te)", false, 52},
    {3,  u"",     u"",     true,  53},
    {11, u"mi",   u"(mi)", false, 55},
    {22, u"ti",   u"(ti)", false, 56},
    {33, u"ők",   u"ők",   true,  57},
    {44, u"önök", u"önök", true,  0},
};

// The six ending slots, in the order of the person codes 1, 2, 3, 11, 22, 33/44.
struct EndingClass {
    std::vector<int> items;
    QStringView sg1, sg2, sg3, pl1, pl2, pl3;
};

const EndingClass endingClasses[] = {
    // items                          1st sg  2nd sg  3rd sg  1st pl   2nd pl  3rd pl
    {{15, 20, 21},                    u"ok",  u"sz",  u"",    u"",     u"",    u""},
    {{8, 13},                         u"ok",  u"ol",  u"",    u"",     u"",    u""},
    {{4},                             u"om",  u"sz",  u"ik",  u"",     u"",    u""},
    {{3, 6, 7, 14, 16, 18, 19},       u"ek",  u"sz",  u"",    u"",     u"",    u""},
    {{9, 10, 17},                     u"ek",  u"el",  u"",    u"",     u"",    u""},
    {{11},                            u"ek",  u"",    u"",    u"",     u"",    u""},
    {{12},                            u"ök",  u"sz",  u"",    u"",     u"",    u""},
    {{5},                             u"ök",  u"öl",  u"",    u"",     u"",    u""},
    {{1, 2, 22, 23, 24, 28, 30},      u"",    u"",    u"",    u"unk",  u"tok", u"nak"},
    {{0, 25, 27, 29},                 u"",    u"",    u"",    u"ünk",  u"tek", u"nek"},
    {{26, 31},                        u"",    u"",    u"",    u"ünk",  u"tök", u"nek"},
};

constexpr int megyItems[] = {0, 11, 29};

// The stem of megy by person.
struct MegyStem {
    std::vector<int> persons;
    QStringView stem;
};
const MegyStem megyStems[] = {
    {{1, 3, 11}, u"megy"},
    {{2}, u"mész"},
    {{22, 33, 44}, u"men"},
};

constexpr int basicPersons[basicCount] = {22, 11, 44, 2, 1, 2};

bool contains(const std::vector<int>& list, int value)
{
    return std::ranges::find(list, value) != list.end();
}

} // namespace

void allista(Column& al) { fill(al, &Item::al); }
void igelista(Column& ige) { fill(ige, &Item::ige); }
void hatlista(Column& hat) { fill(hat, &Item::hat); }
void hatalista(Column& hata) { fill(hata, &Item::hata); }
void hatblista(Column& hatb) { fill(hatb, &Item::hatb); }

bool singular(int item) { return item >= 3 && item <= 21; }

QString phraseInEnglish(int item) { return phrasesInEnglish[item].toString(); }

const Person& person(int code)
{
    for (const Person& p : persons)
        if (p.code == code)
            return p;
    return persons[0]; // codes come from the tables above only
}

int extendedPerson(int item, int choice)
{
    constexpr int singulars[] = {1, 2, 3};
    constexpr int plurals[] = {11, 22, 33};
    return singular(item) ? singulars[choice - 1] : plurals[choice - 1];
}

QString ending(int item, int personcode)
{
    for (const EndingClass& c : endingClasses) {
        if (!contains(c.items, item))
            continue;
        switch (personcode) {
        case 1: return c.sg1.toString();
        case 2: return c.sg2.toString();
        case 3: return c.sg3.toString();
        case 11: return c.pl1.toString();
        case 22: return c.pl2.toString();
        case 33:
        case 44: return c.pl3.toString();
        }
    }
    return {};
}

bool irregular(int item) { return std::ranges::find(megyItems, item) != std::end(megyItems); }

QString megyStem(int personcode)
{
    for (const MegyStem& s : megyStems)
        if (contains(s.persons, personcode))
            return s.stem.toString();
    return {};
}

QString dictionaryForm(int item) { return meanings::dictionaryForm(items[item].ige); }

int basicPerson(int item) { return basicPersons[item]; }

QString subject(int item, int personcode)
{
    return personcode == 3 ? items[item].al.toString() : person(personcode).pronoun.toString();
}

Sentences sentences(int item, int personcode)
{
    const QString opening = person(personcode).opens ? subject(item, personcode) + u' ' : QString();
    const QString stem = irregular(item) ? megyStem(personcode) : items[item].ige.toString();
    const QString verb = stem + ending(item, personcode);
    auto sentence = [&](QStringView phrase) {
        QString s = Module1::trim(opening + phrase.toString() + u' ' + verb + u'.');
        if (!s.isEmpty())
            s[0] = s[0].toUpper();
        return s;
    };
    return {sentence(items[item].hat), sentence(items[item].hatb)};
}

} // namespace lumora::h05d3
