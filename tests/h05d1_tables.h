#pragma once
// The expected forms of exercises 1 and 2, written out by hand: the data tests
// hold the program's tables against them and the window tests type them.
#include <ostream>

namespace lumora::test::h05d1_tables {

// How the window sets up an item: the verb as it is, "ik" verbs with the
// stem prefilled, or a stem the learner edits.
enum SetUp { plain, ik, edit };

struct ItemRow {
    int item;
    const char16_t* verb;
    const char16_t* ending;
    const char16_t* person;
    const char16_t* answer;
    SetUp setUp;
};

inline constexpr ItemRow itemRows[] = {
    {0, u"áll", u"unk", u"mi", u"állunk", plain},
    {1, u"siet", u"ünk", u"mi", u"sietünk", plain},
    {2, u"van", u"unk", u"mi", u"vagyunk", edit},
    {3, u"lak", u"unk", u"mi", u"lakunk", ik},
    {4, u"főz", u"ünk", u"mi", u"főzünk", plain},
    {5, u"bérel", u"ünk", u"mi", u"bérelünk", plain},
    {6, u"megy", u"ünk", u"mi", u"megyünk", edit},
    {7, u"ül", u"ünk", u"mi", u"ülünk", plain},
    {8, u"beszélget", u"ünk", u"mi", u"beszélgetünk", plain},
    {9, u"ír", u"unk", u"mi", u"írunk", plain},
    {10, u"mos", u"unk", u"mi", u"mosunk", plain},
    {11, u"mosogat", u"unk", u"mi", u"mosogatunk", plain},
    {12, u"táncol", u"unk", u"mi", u"táncolunk", plain},
    {13, u"beszél", u"tek", u"ti", u"beszéltek", plain},
    {14, u"ül", u"tök", u"ti", u"ültök", plain},
    {15, u"sétál", u"tok", u"ti", u"sétáltok", plain},
    {16, u"olvas", u"tok", u"ti", u"olvastok", plain},
    {17, u"kér", u"tek", u"ti", u"kértek", plain},
    {18, u"főz", u"tök", u"ti", u"főztök", plain},
    {19, u"van", u"tok", u"ti", u"vagytok", edit},
    {20, u"megy", u"tek", u"ti", u"mentek", edit},
    {21, u"örül", u"tök", u"ti", u"örültök", plain},
    {22, u"keres", u"tek", u"ti", u"kerestek", plain},
    {23, u"mos", u"tok", u"ti", u"mostok", plain},
    {24, u"bérel", u"tek", u"ti", u"béreltek", plain},
    {25, u"lak", u"tok", u"ti", u"laktok", ik},
    {26, u"pihen", u"tek", u"ti", u"pihentek", plain},
    {27, u"mosogat", u"tok", u"ti", u"mosogattok", plain},
    {28, u"gépel", u"tek", u"ti", u"gépeltek", plain},
    {29, u"vár", u"nak", u"ők", u"várnak", plain},
    {30, u"keres", u"nek", u"ők", u"keresnek", plain},
    {31, u"mos", u"nak", u"ők", u"mosnak", plain},
    {32, u"főz", u"nek", u"ők", u"főznek", plain},
    {33, u"siet", u"nek", u"ők", u"sietnek", plain},
    {34, u"tanul", u"nak", u"ők", u"tanulnak", plain},
    {35, u"beszél", u"nek", u"ők", u"beszélnek", plain},
    {36, u"bérel", u"nek", u"ők", u"bérelnek", plain},
    {37, u"megy", u"nek", u"ők", u"mennek", edit},
    {38, u"van", u"nak", u"ők", u"vannak", edit},
    {39, u"lak", u"nak", u"ők", u"laknak", ik},
    {40, u"ül", u"nek", u"ők", u"ülnek", plain},
    {41, u"sétál", u"nak", u"ők", u"sétálnak", plain},
    {42, u"parancsol", u"nak", u"ők", u"parancsolnak", plain},
    {43, u"táncol", u"nak", u"ők", u"táncolnak", plain},
    {44, u"néz", u"nek", u"ők", u"néznek", plain},
    {45, u"hallgat", u"nak", u"ők", u"hallgatnak", plain},
    {46, u"vár", u"ok", u"én", u"várok", plain},
    {47, u"lak", u"om", u"én", u"lakom", ik},
    {48, u"siet", u"ek", u"én", u"sietek", plain},
    {49, u"fizet", u"ek", u"én", u"fizetek", plain},
    {50, u"örül", u"ök", u"én", u"örülök", plain},
    {51, u"beszél", u"sz", u"te", u"beszélsz", plain},
    {52, u"sétál", u"sz", u"te", u"sétálsz", plain},
    {53, u"olvas", u"ol", u"te", u"olvasol", plain},
    {54, u"keres", u"el", u"te", u"keresel", plain},
    {55, u"főz", u"öl", u"te", u"főzöl", plain},
    {56, u"lak", u"unk", u"mi", u"lakunk", ik},
    {57, u"keres", u"ünk", u"mi", u"keresünk", plain},
    {58, u"tanul", u"tok", u"ti", u"tanultok", plain},
    {59, u"olvas", u"tok", u"ti", u"olvastok", plain},
    {60, u"ül", u"tök", u"ti", u"ültök", plain},
    {61, u"csinál", u"nak", u"ők", u"csinálnak", plain},
    {62, u"örül", u"nek", u"ők", u"örülnek", plain},
    {63, u"főz", u"nek", u"ők", u"főznek", plain},
};

inline void PrintTo(const ItemRow& r, std::ostream* os) { *os << "item " << r.item; }

// The extended verbs in the order of the program's list, persons én te mi ti ők.
struct VerbRow {
    const char16_t* verb;
    const char16_t* endings;  // én te mi ti ők; "-" for the empty ending
    const char16_t* forms;    // én te mi ti ők
};

inline constexpr VerbRow verbRows[] = {
    {u"áll", u"ok sz unk tok nak", u"állok állsz állunk álltok állnak"},
    {u"csinál", u"ok sz unk tok nak", u"csinálok csinálsz csinálunk csináltok csinálnak"},
    {u"ír", u"ok sz unk tok nak", u"írok írsz írunk írtok írnak"},
    {u"hallgat", u"ok sz unk tok nak", u"hallgatok hallgatsz hallgatunk hallgattok hallgatnak"},
    {u"mosogat", u"ok sz unk tok nak", u"mosogatok mosogatsz mosogatunk mosogattok mosogatnak"},
    {u"parancsol", u"ok sz unk tok nak",
     u"parancsolok parancsolsz parancsolunk parancsoltok parancsolnak"},
    {u"sétál", u"ok sz unk tok nak", u"sétálok sétálsz sétálunk sétáltok sétálnak"},
    {u"tanul", u"ok sz unk tok nak", u"tanulok tanulsz tanulunk tanultok tanulnak"},
    {u"táncol", u"ok sz unk tok nak", u"táncolok táncolsz táncolunk táncoltok táncolnak"},
    {u"vár", u"ok sz unk tok nak", u"várok vársz várunk vártok várnak"},
    {u"lak", u"om sz unk tok nak", u"lakom laksz lakunk laktok laknak"},
    {u"bérel", u"ek sz ünk tek nek", u"bérelek bérelsz bérelünk béreltek bérelnek"},
    {u"beszél", u"ek sz ünk tek nek", u"beszélek beszélsz beszélünk beszéltek beszélnek"},
    {u"beszélget", u"ek sz ünk tek nek",
     u"beszélgetek beszélgetsz beszélgetünk beszélgettek beszélgetnek"},
    {u"fizet", u"ek sz ünk tek nek", u"fizetek fizetsz fizetünk fizettek fizetnek"},
    {u"gépel", u"ek sz ünk tek nek", u"gépelek gépelsz gépelünk gépeltek gépelnek"},
    {u"kér", u"ek sz ünk tek nek", u"kérek kérsz kérünk kértek kérnek"},
    {u"pihen", u"ek sz ünk tek nek", u"pihenek pihensz pihenünk pihentek pihennek"},
    {u"siet", u"ek sz ünk tek nek", u"sietek sietsz sietünk siettek sietnek"},
    {u"ül", u"ök sz ünk tök nek", u"ülök ülsz ülünk ültök ülnek"},
    {u"örül", u"ök sz ünk tök nek", u"örülök örülsz örülünk örültök örülnek"},
    {u"mos", u"ok ol unk tok nak", u"mosok mosol mosunk mostok mosnak"},
    {u"olvas", u"ok ol unk tok nak", u"olvasok olvasol olvasunk olvastok olvasnak"},
    {u"keres", u"ek el ünk tek nek", u"keresek keresel keresünk kerestek keresnek"},
    {u"főz", u"ök öl ünk tök nek", u"főzök főzöl főzünk főztök főznek"},
    {u"megy", u"ek - ünk tek nek", u"megyek mész megyünk mentek mennek"},
    {u"van", u"ok - unk tok nak", u"vagyok vagy vagyunk vagytok vannak"},
};

} // namespace lumora::test::h05d1_tables
