#include "lesson/text.h"

#include "core/module1.h"

namespace lumora::h05d5 {

namespace {

constexpr GapKind A = GapKind::Adverb;
constexpr GapKind O = GapKind::Object;
constexpr GapKind V = GapKind::Verb;

//                                            0  1  2  3  4  5  6  7  8  9 10 11 12 13 14 15 16 17
constexpr std::array<GapKind, gapCount> kinds = {V, A, V, O, A, V, V, A, A, A, V, A, V, V, O, V, O, V};

// The expected gap texts: one row per gap, one column per person.
// An empty text: the gap must stay empty (third person, no ending).
constexpr QStringView suffixes[gapCount][personCount] = {
    //                            rag3   rag1   rag2   rag11   rag22   rag33
    //                            Péter  én     te     mi      ti      ők
    /*  0 Budapesten lak    */ {u"ik", u"om", u"sz", u"unk", u"tok", u"nak"},
    /*  1 . Kelenföld       */ {u"ön", u"ön", u"ön", u"ön",  u"ön",  u"ön"},
    /*  2 bérel             */ {u"",   u"ek", u"sz", u"ünk", u"tek", u"nek"},
    /*  3 stem szoba        */ {u"t",  u"t",  u"t",  u"t",   u"t",   u"t"},
    /*  4 Az egyetem        */ {u"en", u"en", u"en", u"en",  u"en",  u"en"},
    /*  5 tanul             */ {u"",   u"ok", u"sz", u"unk", u"tok", u"nak"},
    /*  6 .  Jól beszél     */ {u"",   u"ek", u"sz", u"ünk", u"tek", u"nek"},
    /*  7 német             */ {u"ül", u"ül", u"ül", u"ül",  u"ül",  u"ül"},
    /*  8 stem , francia    */ {u"ul", u"ul", u"ul", u"ul",  u"ul",  u"ul"},
    /*  9 és magyar         */ {u"ul", u"ul", u"ul", u"ul",  u"ul",  u"ul"},
    /* 10 .  Most nem tanul */ {u"",   u"ok", u"sz", u"unk", u"tok", u"nak"},
    /* 11 stem A szoba      */ {u"ban", u"ban", u"ban", u"ban", u"ban", u"ban"},
    /* 12 ül                */ {u"",   u"ök", u"sz", u"ünk", u"tök", u"nek"},
    /* 13 és pihen          */ {u"",   u"ek", u"sz", u"ünk", u"tek", u"nek"},
    /* 14 .  Újság          */ {u"ot", u"ot", u"ot", u"ot",  u"ot",  u"ot"},
    /* 15 olvas             */ {u"",   u"ok", u"ol", u"unk", u"tok", u"nak"},
    /* 16 stem és zene      */ {u"t",  u"t",  u"t",  u"t",   u"t",   u"t"},
    /* 17 hallgat           */ {u"",   u"ok", u"sz", u"unk", u"tok", u"nak"},
};

void fill(SuffixList& list, int person)
{
    for (int g = 0; g < gapCount; ++g)
        list[g] = suffixes[g][person].toString();
}

} // namespace

GapKind gapKind(int g) { return kinds.at(g); }

QString gapWord(int g)
{
    for (std::size_t i = 1; i < std::size(textElements); ++i)
        if (textElements[i].piece == Piece::Gap && textElements[i].index == g)
            return textElements[i - 1].text.toString().split(u' ', Qt::SkipEmptyParts).last();
    return {};
}

QString gapName(int g)
{
    static const char* const kindWords[] = {"adverb", "object", "verb"}; // in the order of GapKind
    const QString word = gapWord(g);
    if (word.isEmpty())
        return {};
    return QStringLiteral("gap %1, after %2, %3")
        .arg(QString::number(g), word, QLatin1String(kindWords[int(gapKind(g))]));
}

const KindColours& colours(GapKind kind)
{
    static const KindColours adverb{QColor(255, 224, 192), QColor(255, 192, 128), std::nullopt};
    static const KindColours object{QColor(255, 255, 192), QColor(255, 255, 0), std::nullopt};
    static const KindColours verb{QColor(255, 255, 255), QColor(255, 255, 255), QColor(255, 0, 0)};
    switch (kind) {
    case GapKind::Adverb: return adverb;
    case GapKind::Object: return object;
    case GapKind::Verb: break;
    }
    return verb;
}

const KindHelp& help(GapKind kind)
{
    static const KindHelp verb{u"white", u"verb ending",
                               u"White gap: the personal ending of the verb. It changes with the person."};
    static const KindHelp object{u"yellow", u"object ending",
                                 u"Yellow gap: the ending of the direct object (what? whom?)."};
    static const KindHelp adverb{u"peach", u"adverb ending",
                                 u"Peach gap: the ending of an adverb of place (where?) or of manner (how?)."};
    switch (kind) {
    case GapKind::Adverb: return adverb;
    case GapKind::Object: return object;
    case GapKind::Verb: break;
    }
    return verb;
}

const Stem* stemOf(int g)
{
    for (const Stem& s : stems)
        if (s.gap == g)
            return &s;
    return nullptr;
}

void rag3lista(SuffixList& rag3) { fill(rag3, 0); }
void rag1lista(SuffixList& rag1) { fill(rag1, 1); }
void rag2lista(SuffixList& rag2) { fill(rag2, 2); }
void rag11lista(SuffixList& rag11) { fill(rag11, 3); }
void rag22lista(SuffixList& rag22) { fill(rag22, 4); }
void rag33lista(SuffixList& rag33) { fill(rag33, 5); }

int personOf(const QString& item)
{
    for (int p = 0; p < personCount; ++p)
        if (persons[p].item == item)
            return p;
    return -1;
}

QString wholeWord(int g, int person)
{
    if (const Stem* stem = stemOf(g))
        return stem->whole.toString().split(u' ', Qt::SkipEmptyParts).last();
    return gapWord(g) + suffixes[g][person].toString();
}

QString spokenText(int person, int upTo)
{
    QString text;
    // A piece that opens with a comma or a full stop follows the word before it.
    auto add = [&text](QStringView piece) {
        piece = piece.trimmed();
        if (piece.isEmpty())
            return;
        if (!text.isEmpty() && !piece.front().isPunct())
            text += u' ';
        text += piece;
    };
    for (std::size_t i = 0; i < std::size(textElements); ++i) {
        const Element& e = textElements[i];
        if (e.piece == Piece::Gap && e.index == upTo)
            break;
        switch (e.piece) {
        case Piece::Person:
            if (!persons[person].caption.startsWith(u'('))
                add(persons[person].caption);
            break;
        case Piece::Stem: // a solved stem gap says the whole word instead
            if (textElements[i + 1].index == upTo)
                add(e.text);
            break;
        case Piece::Gap:
            if (const Stem* stem = stemOf(e.index))
                add(stem->whole);
            else
                text += suffixes[e.index][person];
            break;
        default:
            add(e.text);
        }
    }
    Module1::onespace(text);
    return text;
}

} // namespace lumora::h05d5
