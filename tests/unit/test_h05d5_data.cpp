#include "core/module1.h"
#include "lesson/text.h"
#include "recording.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <set>

using namespace lumora::h05d5;

namespace {

SuffixList filled(int person)
{
    SuffixList list;
    persons[person].fill(list);
    return list;
}

// The text as a reader sees it with every gap filled right: a gap continues
// the word before it, so does a piece that starts with "." or ","; every other
// element starts a new word. A run of spaces reads as one space.
QString reading(int person)
{
    const SuffixList list = filled(person);
    QString out;
    for (const Element& e : textElements) {
        QString t;
        switch (e.piece) {
        case Piece::Person: t = persons[person].caption.toString(); break;
        case Piece::Fixed:
        case Piece::FixedField: t = e.text.toString(); break;
        case Piece::Stem:
            for (const Stem& s : stems)
                if (s.reset == e.text)
                    t = s.whole.chopped(list[s.gap].size()).toString();
            break;
        case Piece::Gap: t = list[e.index]; break;
        }
        const bool continues = e.piece == Piece::Gap || t.startsWith(u'.') || t.startsWith(u',');
        if (!out.isEmpty() && !continues)
            out += u' ';
        out += t;
    }
    lumora::Module1::onespace(out);
    return out;
}

std::vector<Element> line(int n)
{
    std::vector<Element> out;
    for (const Element& e : textElements)
        if (e.line == n)
            out.push_back(e);
    return out;
}

} // namespace

TEST(H05d5Text, ReadsAsTheWholeTextForEachPerson)
{
    const char* texts[personCount] = {
        "Péter Budapesten lakik. Kelenföldön bérel egy szép szobát. Az egyetemen tanul. "
        "Jól beszél németül, franciául és magyarul. Most nem tanul. A szobában ül és pihen. "
        "Újságot olvas, és zenét hallgat.",
        "(Én) Budapesten lakom. Kelenföldön bérelek egy szép szobát. Az egyetemen tanulok. "
        "Jól beszélek németül, franciául és magyarul. Most nem tanulok. A szobában ülök és pihenek. "
        "Újságot olvasok, és zenét hallgatok.",
        "(Te) Budapesten laksz. Kelenföldön bérelsz egy szép szobát. Az egyetemen tanulsz. "
        "Jól beszélsz németül, franciául és magyarul. Most nem tanulsz. A szobában ülsz és pihensz. "
        "Újságot olvasol, és zenét hallgatsz.",
        "(Mi) Budapesten lakunk. Kelenföldön bérelünk egy szép szobát. Az egyetemen tanulunk. "
        "Jól beszélünk németül, franciául és magyarul. Most nem tanulunk. A szobában ülünk és pihenünk. "
        "Újságot olvasunk, és zenét hallgatunk.",
        "(Ti) Budapesten laktok. Kelenföldön béreltek egy szép szobát. Az egyetemen tanultok. "
        "Jól beszéltek németül, franciául és magyarul. Most nem tanultok. A szobában ültök és pihentek. "
        "Újságot olvastok, és zenét hallgattok.",
        "Ők Budapesten laknak. Kelenföldön bérelnek egy szép szobát. Az egyetemen tanulnak. "
        "Jól beszélnek németül, franciául és magyarul. Most nem tanulnak. A szobában ülnek és pihennek. "
        "Újságot olvasnak, és zenét hallgatnak.",
    };
    for (int p = 0; p < personCount; ++p)
        EXPECT_EQ(reading(p), QString::fromUtf8(texts[p])) << "person " << p;
}

TEST(H05d5Text, GapsStandInReadingOrderOnTheirFields)
{
    int next = 0;
    for (const Element& e : textElements) {
        if (e.piece != Piece::Gap)
            continue;
        EXPECT_EQ(e.index, next);
        EXPECT_EQ(e.control, u"Text1");
        EXPECT_TRUE(e.text.isEmpty());
        ++next;
    }
    EXPECT_EQ(next, gapCount);
}

TEST(H05d5Text, ControlsAreEachUsedOnce)
{
    std::set<int> labels;
    std::set<QString> singles;
    for (const Element& e : textElements) {
        if (e.control == u"Label1")
            EXPECT_TRUE(labels.insert(e.index).second) << e.index;
        else if (e.control != u"Text1") {
            EXPECT_EQ(e.index, -1);
            EXPECT_TRUE(singles.insert(e.control.toString()).second);
        }
    }
    // Label1(7), (13) and (17) do not exist; 18 is the person label.
    EXPECT_EQ(labels, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 14, 15, 16, 18}));
    EXPECT_EQ(singles, (std::set<QString>{"Text2", "Text3", "Text4", "Text5", "Text6", "Text7",
                                          "Text8", "Text9"}));
}

TEST(H05d5Text, EachStemFieldStandsRightBeforeItsGap)
{
    const std::pair<const char*, int> fields[] = {{"Text7", 3}, {"Text6", 8}, {"Text4", 11}, {"Text5", 16}};
    for (const auto& [control, gap] : fields) {
        const Element* it = std::find_if(std::begin(textElements), std::end(textElements),
                                         [&](const Element& e) { return e.control == QLatin1String(control); });
        ASSERT_NE(it, std::end(textElements));
        ASSERT_NE(it + 1, std::end(textElements));
        EXPECT_EQ(it->piece, Piece::Stem);
        EXPECT_EQ((it + 1)->piece, Piece::Gap);
        EXPECT_EQ((it + 1)->index, gap);
        ASSERT_NE(stemOf(gap), nullptr);
        EXPECT_EQ(it->text, stemOf(gap)->reset) << control;
    }
}

TEST(H05d5Text, LinesRunFromTheMarginWithOverlappingElements)
{
    for (int n = 1; n <= 5; ++n) {
        const std::vector<Element> elements = line(n);
        ASSERT_FALSE(elements.empty());
        EXPECT_EQ(elements.front().left, 1080) << "line " << n;
        for (size_t i = 0; i + 1 < elements.size(); ++i)
            EXPECT_EQ(elements[i].left + elements[i].width - 15, elements[i + 1].left)
                << "line " << n << " element " << i;
        // Inside the window's inner width.
        EXPECT_LE(elements.back().left + elements.back().width, 9210);
    }
    EXPECT_EQ(line(1).size() + line(2).size() + line(3).size() + line(4).size() + line(5).size(),
              std::size(textElements));
    for (size_t n = 1; n < lineTops.size(); ++n)
        EXPECT_EQ(lineTops[n] - lineTops[n - 1], 720);
}

TEST(H05d5Gaps, KindsAndColours)
{
    std::set<int> adverbs, objects, verbs;
    for (int g = 0; g < gapCount; ++g)
        switch (gapKind(g)) {
        case GapKind::Adverb: adverbs.insert(g); break;
        case GapKind::Object: objects.insert(g); break;
        case GapKind::Verb: verbs.insert(g); break;
        }
    EXPECT_EQ(adverbs, (std::set<int>{1, 4, 7, 8, 9, 11}));
    EXPECT_EQ(objects, (std::set<int>{3, 14, 16}));
    EXPECT_EQ(verbs, (std::set<int>{0, 2, 5, 6, 10, 12, 13, 15, 17}));

    const KindColours& a = colours(GapKind::Adverb);
    EXPECT_EQ(a.unsolved, QColor(255, 224, 192));
    EXPECT_EQ(a.solved, QColor(255, 192, 128));
    EXPECT_FALSE(a.solvedText);
    const KindColours& o = colours(GapKind::Object);
    EXPECT_EQ(o.unsolved, QColor(255, 255, 192));
    EXPECT_EQ(o.solved, QColor(255, 255, 0));
    EXPECT_FALSE(o.solvedText);
    const KindColours& v = colours(GapKind::Verb);
    EXPECT_EQ(v.unsolved, QColor(Qt::white));
    EXPECT_EQ(v.solved, QColor(Qt::white));
    EXPECT_EQ(v.solvedText, QColor(255, 0, 0));
}

// A screen reader names each gap by the word it completes and its kind.
TEST(H05d5Gaps, AreNamedByTheWordBeforeThemAndTheirKind)
{
    EXPECT_EQ(gapName(0), "gap 0, after lak, verb");
    EXPECT_EQ(gapName(1), "gap 1, after Kelenföld, adverb");
    EXPECT_EQ(gapName(3), "gap 3, after szoba, object");
    EXPECT_EQ(gapName(8), "gap 8, after francia, adverb");
    EXPECT_EQ(gapName(14), "gap 14, after Újság, object");
    EXPECT_EQ(gapName(17), "gap 17, after hallgat, verb");
    std::set<QString> names;
    for (int g = 0; g < gapCount; ++g)
        names.insert(gapName(g));
    EXPECT_EQ(names.size(), std::size_t(gapCount));
}

TEST(H05d5Persons, AreFoundByTheirExactBoxItem)
{
    const char* items[] = {"Péter", "én", "te", "mi", "ti", "ők"};
    for (int p = 0; p < personCount; ++p)
        EXPECT_EQ(personOf(QString::fromUtf8(items[p])), p);
    for (const char* other : {"Ki?", "", "Ők", "péter", "Te", "ti "})
        EXPECT_EQ(personOf(QString::fromUtf8(other)), -1) << other;
}

TEST(H05d5Lists, StartEmptyAndAreWhollyOverwrittenByTheirFill)
{
    SuffixList list;
    for (const QString& entry : list)
        EXPECT_TRUE(entry.isEmpty());

    list.fill(QStringLiteral("x"));
    rag3lista(list);
    EXPECT_EQ(list[2], "");  // an empty entry is stored too
    EXPECT_EQ(list[17], "");
    EXPECT_EQ(list[16], "t");
}
