#include "lesson/verbs.h"

#include <array>

namespace lumora::h05d1 {
namespace {

struct PersonEntry {
    QStringView pronoun;
    int icon;
};

// By draw number 1..5.
constexpr std::array<PersonEntry, personCount> persons = {{
    {u"én", 51},
    {u"te", 52},
    {u"mi", 55},
    {u"ti", 56},
    {u"ők", 57},
}};

// The person of each stretch of items.
struct PersonRange {
    int first;
    int last;
    Person person;
};

constexpr PersonRange personRanges[] = {
    {0, 12, mi},  {13, 28, ti}, {29, 45, ok},                              // exercise 1
    {46, 50, en}, {51, 55, te}, {56, 57, mi}, {58, 60, ti}, {61, 63, ok},  // exercise 2
};

constexpr std::array<ItemRange, 2> exercises = {{{0, 46}, {46, 18}}};

constexpr std::array<BasicItem, itemCount> basicItems = {{
    // 0..12 mi
    {u"áll", u"unk"}, {u"siet", u"ünk"}, {u"van", u"unk"}, {u"lak", u"unk"},
    {u"főz", u"ünk"}, {u"bérel", u"ünk"}, {u"megy", u"ünk"}, {u"ül", u"ünk"},
    {u"beszélget", u"ünk"}, {u"ír", u"unk"}, {u"mos", u"unk"}, {u"mosogat", u"unk"},
    {u"táncol", u"unk"},
    // 13..28 ti
    {u"beszél", u"tek"}, {u"ül", u"tök"}, {u"sétál", u"tok"}, {u"olvas", u"tok"},
    {u"kér", u"tek"}, {u"főz", u"tök"}, {u"van", u"tok"}, {u"megy", u"tek"},
    {u"örül", u"tök"}, {u"keres", u"tek"}, {u"mos", u"tok"}, {u"bérel", u"tek"},
    {u"lak", u"tok"}, {u"pihen", u"tek"}, {u"mosogat", u"tok"}, {u"gépel", u"tek"},
    // 29..45 ők
    {u"vár", u"nak"}, {u"keres", u"nek"}, {u"mos", u"nak"}, {u"főz", u"nek"},
    {u"siet", u"nek"}, {u"tanul", u"nak"}, {u"beszél", u"nek"}, {u"bérel", u"nek"},
    {u"megy", u"nek"}, {u"van", u"nak"}, {u"lak", u"nak"}, {u"ül", u"nek"},
    {u"sétál", u"nak"}, {u"parancsol", u"nak"}, {u"táncol", u"nak"}, {u"néz", u"nek"},
    {u"hallgat", u"nak"},
    // 46..50 én
    {u"vár", u"ok"}, {u"lak", u"om"}, {u"siet", u"ek"}, {u"fizet", u"ek"}, {u"örül", u"ök"},
    // 51..55 te
    {u"beszél", u"sz"}, {u"sétál", u"sz"}, {u"olvas", u"ol"}, {u"keres", u"el"}, {u"főz", u"öl"},
    // 56..57 mi
    {u"lak", u"unk"}, {u"keres", u"ünk"},
    // 58..60 ti
    {u"tanul", u"tok"}, {u"olvas", u"tok"}, {u"ül", u"tök"},
    // 61..63 ők
    {u"csinál", u"nak"}, {u"örül", u"nek"}, {u"főz", u"nek"},
}};

constexpr std::array<QStringView, verbCount> igeb = {
    u"áll", u"csinál", u"ír", u"hallgat", u"mosogat", u"parancsol", u"sétál", u"tanul",
    u"táncol", u"vár", u"lak", u"bérel", u"beszél", u"beszélget", u"fizet", u"gépel",
    u"kér", u"pihen", u"siet", u"ül", u"örül", u"mos", u"olvas", u"keres", u"főz",
    u"megy", u"van",
};

// Endings of a stretch of verb indexes, for én, te, mi, ti, ők.
struct EndingRow {
    int first;
    int last;
    std::array<QStringView, personCount> endings;
};

constexpr EndingRow endingRows[] = {
    {0, 9,   {u"ok", u"sz", u"unk", u"tok", u"nak"}},  // áll .. vár
    {10, 10, {u"om", u"sz", u"unk", u"tok", u"nak"}},  // lak
    {11, 18, {u"ek", u"sz", u"ünk", u"tek", u"nek"}},  // bérel .. siet
    {19, 20, {u"ök", u"sz", u"ünk", u"tök", u"nek"}},  // ül, örül
    {21, 22, {u"ok", u"ol", u"unk", u"tok", u"nak"}},  // mos, olvas
    {23, 23, {u"ek", u"el", u"ünk", u"tek", u"nek"}},  // keres
    {24, 24, {u"ök", u"öl", u"ünk", u"tök", u"nek"}},  // főz
    {25, 25, {u"ek", u"",   u"ünk", u"tek", u"nek"}},  // megy
    {26, 26, {u"ok", u"",   u"unk", u"tok", u"nak"}},  // van
};

} // namespace

QString pronoun(int person) { return persons.at(person - 1).pronoun.toString(); }

int personicon(int person) { return persons.at(person - 1).icon; }

int personOf(const QString& pronoun)
{
    for (int p = en; p <= ok; ++p)
        if (persons[p - 1].pronoun == pronoun)
            return p;
    return 0;
}

const BasicItem& basicItem(int item) { return basicItems.at(item); }

int itemPerson(int item)
{
    for (const auto& r : personRanges)
        if (item >= r.first && item <= r.last)
            return r.person;
    return 0;
}

ItemRange exerciseItems(int exercise) { return exercises.at(exercise - 1); }

QStringList itemverblista()
{
    QStringList list;
    for (const auto& i : basicItems)
        list << i.verb.toString();
    return list;
}

QStringList igeblista()
{
    QStringList list;
    for (QStringView v : igeb)
        list << v.toString();
    return list;
}

QString ragb(int verb, int person)
{
    for (const auto& r : endingRows)
        if (verb >= r.first && verb <= r.last)
            return r.endings.at(person - 1).toString();
    return {};
}

QString answerForm(QStringView verb, int person, QStringView ending)
{
    if (verb == u"megy" && person == te)
        return QStringLiteral("mész");
    QStringView stem = verb;
    if (verb == u"van" && person != ok)
        stem = u"vagy";
    if (verb == u"megy" && (person == ti || person == ok))
        stem = u"men";
    QString form = stem.toString();
    form += ending;
    return form;
}

QString basicAnswer(int item)
{
    const BasicItem& i = basicItem(item);
    return answerForm(i.verb, itemPerson(item), i.ending);
}

QString extendedAnswer(int verb, int person)
{
    return answerForm(igeb.at(verb), person, ragb(verb, person));
}

bool prefillsIk(QStringView verb) { return verb == u"lak"; }

bool stemChanges(QStringView verb) { return verb == u"van" || verb == u"megy"; }

} // namespace lumora::h05d1
