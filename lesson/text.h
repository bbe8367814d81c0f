#pragma once
#include <QColor>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The text of exercise 5 with its 18 gaps, the gap colours, the four stems,
// the persons and their suffix lists.
namespace lumora::h05d5 {

constexpr int gapCount = 18;
constexpr int personCount = 6;

// ---- The text, element by element -------------------------------------------

enum class Piece {
    Person,      // the person label: the subject, which changes with the person
    Fixed,       // a label that never changes
    FixedField,  // a field that shows a fixed piece; nothing reads or resets it
    Stem,        // a field whose text is part of the answer of the gap after it
    Gap,         // a gap field
};

// One element of a text line, where the window puts it (twips).
struct Element {
    int line;             // 1 to 5
    Piece piece;
    QStringView control;  // name of the control that shows it
    int index;            // element of the control array; -1 for a single control
    QStringView text;     // text at load; empty for a gap
    int left;
    int width;
};

// The top of each line in twips; line n is lineTops[n - 1].
inline constexpr std::array<int, 5> lineTops = {1320, 2040, 2760, 3480, 4200};
constexpr int fieldHeight = 405;  // stems, gaps and fixed fields
constexpr int labelHeight = 375;

// The five lines in reading order. For a gap, index is the gap number.
// Each element overlaps the next one by 15 twips, so a gap reads as the end
// of the word before it.
inline constexpr Element textElements[] = {
    // line piece          control  index text                  left  width
    {1, Piece::Person,     u"Label1", 18, u"Péter",              1080,  855},
    {1, Piece::Fixed,      u"Label1",  0, u"Budapesten lak",     1920, 1935},
    {1, Piece::Gap,        u"Text1",   0, u"",                   3840,  615},
    {1, Piece::Fixed,      u"Label1",  1, u". Kelenföld",        4440, 1455},
    {1, Piece::Gap,        u"Text1",   1, u"",                   5880,  495},
    {1, Piece::Fixed,      u"Label1",  2, u"bérel",              6360,  735},
    {1, Piece::Gap,        u"Text1",   2, u"",                   7080,  615},
    {1, Piece::FixedField, u"Text3",  -1, u"egy szép",           7680, 1095},

    {2, Piece::Stem,       u"Text7",  -1, u"szoba",              1080,  855},
    {2, Piece::Gap,        u"Text1",   3, u"",                   1920,  495},
    {2, Piece::Fixed,      u"Label1",  3, u".",                  2400,  255},
    {2, Piece::Fixed,      u"Label1",  4, u"Az egyetem",         2640, 1575},
    {2, Piece::Gap,        u"Text1",   4, u"",                   4200,  495},
    {2, Piece::Fixed,      u"Label1",  5, u"tanul",              4680,  735},
    {2, Piece::Gap,        u"Text1",   5, u"",                   5400,  615},
    {2, Piece::Fixed,      u"Label1",  6, u".  Jól beszél",      6000, 1575},
    {2, Piece::Gap,        u"Text1",   6, u"",                   7560,  615},

    {3, Piece::FixedField, u"Text2",  -1, u"német",              1080,  855},
    {3, Piece::Gap,        u"Text1",   7, u"",                   1920,  495},
    {3, Piece::Stem,       u"Text6",  -1, u", francia",          2400, 1095},
    {3, Piece::Gap,        u"Text1",   8, u"",                   3480,  495},
    {3, Piece::Fixed,      u"Label1",  8, u"és magyar",          3960, 1335},
    {3, Piece::Gap,        u"Text1",   9, u"",                   5280,  495},
    {3, Piece::Fixed,      u"Label1",  9, u".  Most nem tanul",  5760, 2055},
    {3, Piece::Gap,        u"Text1",  10, u"",                   7800,  615},
    {3, Piece::FixedField, u"Text8",  -1, u".",                  8400,  375},

    {4, Piece::Stem,       u"Text4",  -1, u"A szoba",            1080, 1095},
    {4, Piece::Gap,        u"Text1",  11, u"",                   2160,  615},
    {4, Piece::Fixed,      u"Label1", 10, u"ül",                 2760,  375},
    {4, Piece::Gap,        u"Text1",  12, u"",                   3120,  615},
    {4, Piece::Fixed,      u"Label1", 11, u"és pihen",           3720, 1095},
    {4, Piece::Gap,        u"Text1",  13, u"",                   4800,  615},
    {4, Piece::Fixed,      u"Label1", 12, u".  Újság",           5400,  975},
    {4, Piece::Gap,        u"Text1",  14, u"",                   6360,  495},
    {4, Piece::Fixed,      u"Label1", 14, u"olvas",              6840,  735},
    {4, Piece::Gap,        u"Text1",  15, u"",                   7560,  615},
    {4, Piece::FixedField, u"Text9",  -1, u",",                  8160,  375},

    {5, Piece::Stem,       u"Text5",  -1, u"és zene",            1080,  975},
    {5, Piece::Gap,        u"Text1",  16, u"",                   2040,  495},
    {5, Piece::Fixed,      u"Label1", 15, u"hallgat",            2520, 1095},
    {5, Piece::Gap,        u"Text1",  17, u"",                   3600,  615},
    {5, Piece::Fixed,      u"Label1", 16, u".",                  4200,  375},
};

// ---- Gap kinds and their colours --------------------------------------------

enum class GapKind { Adverb, Object, Verb };

struct KindColours {
    QColor unsolved;                   // background when the window opens
    QColor solved;                     // background once the gap is right
    std::optional<QColor> solvedText;  // text colour once right; none: unchanged
};

GapKind gapKind(int g);
// The word gap g completes, as the text shows it before the gap: "lak",
// "Kelenföld", "szoba".
QString gapWord(int g);
// Gap g as a screen reader names it: "gap 3, after szoba, object".
QString gapName(int g);
const KindColours& colours(GapKind kind);

// What the gaps of a kind take, as the colour legend names it ("verb ending")
// and as a gap's tooltip says it.
struct KindHelp {
    QStringView colour;  // the unsolved background, in words
    QStringView legend;
    QStringView tip;
};
const KindHelp& help(GapKind kind);
// In the order the legend shows them.
inline constexpr std::array<GapKind, 3> legendOrder = {GapKind::Verb, GapKind::Object, GapKind::Adverb};

// The tooltip and description of the four stems: they may, and must, be changed.
inline constexpr QStringView stemHelp =
    u"You may change this word: its last vowel can become long, as alma → almát.";

// ---- Stems --------------------------------------------------------------------

// A stem gap is right when the stem and the gap together form the whole text.
struct Stem {
    int gap;            // the gap after the stem
    QStringView reset;  // the stem's text at load and after a person choice
    QStringView whole;  // what stem and gap must form
};

inline constexpr std::array<Stem, 4> stems = {{
    {3, u"szoba", u"szobát"},
    {8, u", francia", u", franciául"},
    {11, u"A szoba", u"A szobában"},
    {16, u"és zene", u"és zenét"},
}};

// The stem before gap g, or nullptr when g is no stem gap.
const Stem* stemOf(int g);

// Gap 0 receives this text whenever the gaps are reset, whatever the person.
inline constexpr QStringView gap0Text = u"ik";

// ---- Persons and their suffix lists -------------------------------------------

// A person's expected gap texts, indexed by gap number; for a stem gap only
// the suffix. A list never filled holds 18 empty texts.
using SuffixList = std::array<QString, gapCount>;

void rag3lista(SuffixList& rag3);
void rag1lista(SuffixList& rag1);
void rag2lista(SuffixList& rag2);
void rag11lista(SuffixList& rag11);
void rag22lista(SuffixList& rag22);
void rag33lista(SuffixList& rag33);

struct Person {
    QStringView item;           // its item in the "Ki?" box
    QStringView caption;        // the person label
    void (*fill)(SuffixList&);  // fills its suffix list
};

// Indexed by person number: 0 Péter, 1 én, 2 te, 3 mi, 4 ti, 5 ők.
inline constexpr std::array<Person, personCount> persons = {{
    {u"Péter", u"Péter", rag3lista},
    {u"én", u"(Én)", rag1lista},
    {u"te", u"(Te)", rag2lista},
    {u"mi", u"(Mi)", rag11lista},
    {u"ti", u"(Ti)", rag22lista},
    {u"ők", u"Ők", rag33lista},
}};

// The person whose box item is exactly this text, or -1.
int personOf(const QString& item);

// The word gap g makes for person p (0..5), whole, as the text has it:
// "lakom", "egyetemen", "franciául", "szobát"; Péter's "bérel" takes no ending.
QString wholeWord(int g, int person);

// ---- The text read aloud ---------------------------------------------------------

// The text in person p as it is read aloud, up to the word before gap upTo
// (as the text shows it), the gaps before that solved; with upTo = gapCount
// the whole text. A subject in brackets, "(Én)", is left out, as the ending
// of the verb stands for it.
QString spokenText(int person, int upTo = gapCount);

} // namespace lumora::h05d5
