#include "lesson/pictures.h"

#include <array>

namespace lumora::h05d3 {
namespace {

// One line per scene of tools/pictures/make_pictures.py; change them together.
constexpr std::array<const char16_t*, pictureCount> descriptions = {
    u"Two girls walk along a red arrow towards a cinema with the sign MOZI.",                        //  0
    u"Two young men stand talking in front of a building with columns and the sign EGYETEM.",        //  1
    u"Two doctors sit on a bench reading newspapers, their doctor's bags beside them.",              //  2
    u"A man labelled SZABÓ J. at a booth with the sign RENT A CAR, a car parked beside him.",        //  3
    u"A man labelled Kis J. with a suitcase at a reception desk under the sign SZÁLLODA.",           //  4
    u"A woman with the badge É stirs a pot on the stove in a kitchen.",                              //  5
    u"A woman with the badge A hands a 1000 note through a window with the sign PÉNZTÁR.",           //  6
    u"A man with the badge P in a hat shop, thinking of a hat; the seller stands by the shelves.",    //  7
    u"A woman with the badge A at the washing machine in a tiled bathroom with a bathtub.",          //  8
    u"A man with the badge A stands with suitcases outside a railway station, thinking of a taxi.",  //  9
    u"A man with the badge P sits in an armchair watching television.",                              // 10
    u"A woman with the badge K walks along a red arrow towards a building with the sign BANK.",      // 11
    u"A man with the badge P sits at the wheel of a car in a street with trees.",                    // 12
    u"A man with the badge J reads a book at a table under the sign KÖNYVTÁR, between bookshelves.", // 13
    u"A man with the badge J carries a letter along a red arrow towards a building with the sign POSTA.", // 14
    u"A man with the badge S waits by a clock on a post with the sign TÉR, trees around.",           // 15
    u"A woman teacher rests in a rocking chair with her eyes closed, thinking of a blackboard.",     // 16
    u"A woman with the badge K buys fruit at a market stall with scales, the seller behind it.",     // 17
    u"A woman with the badge M types at a typewriter in a room with the sign IRODA on its door.",    // 18
    u"A woman with the badge Zs says \"Oh, yes.\" in a speech bubble.",                            // 19
    u"A woman teacher sits listening to a radio, a blackboard with 5. lecke behind her.",            // 20
    u"A man with the badge P dances among other dancers under the sign KLUB, music in the air.",     // 21
    u"Two women teachers sit listening to a radio, a blackboard with 5. lecke behind them.",         // 22
    u"Two girls walk on a path in a garden with trees, flowers and a fence.",                        // 23
    u"Two women at the washing machine in a tiled room, one holding a basket of clothes.",           // 24
    u"Two young men sit on a sofa watching television.",                                             // 25
    u"Two women in a kitchen: one stirs a pot on the stove, the other stands at a table.",           // 26
    u"Two men with suitcases outside a railway station, thinking of a taxi.",                        // 27
    u"A young man and a girl read books at a table under the sign KÖNYVTÁR, between bookshelves.",  // 28
    u"Two old men with walking sticks walk along a red arrow towards a building with the sign EGYETEM.", // 29
    u"Girls and boys dance under the sign KLUB, music in the air.",                                  // 30
    u"Two men sit at a table with plates under the sign ÉTTEREM, a surveyor's tripod beside them.",  // 31
};

} // namespace

QString picturePath(int item)
{
    return QStringLiteral(":/pictures/pic%1.gif").arg(item, 2, 10, QLatin1Char('0'));
}

QString pictureDescription(int item) { return QString::fromUtf16(descriptions.at(item)); }

} // namespace lumora::h05d3
