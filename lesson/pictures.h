#pragma once
#include <QString>

namespace lumora::h05d3 {

// One picture per item of exercise 3.
inline constexpr int pictureCount = 32;

// Resource path of the picture of item 0..31, e.g. ":/pictures/pic07.gif".
QString picturePath(int item);

// What picture 0..31 shows, in English, for a screen reader: who, where,
// doing what, with the words on badges and signs. Never the sentence itself.
QString pictureDescription(int item);

} // namespace lumora::h05d3
