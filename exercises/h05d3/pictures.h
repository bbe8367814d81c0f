#pragma once
#include <QString>

namespace lumora::h05d3 {

// One picture per item of exercise 3.
inline constexpr int pictureCount = 32;

// Resource path of the picture of item 0..31, e.g. ":/pictures/pic07.gif".
QString picturePath(int item);

} // namespace lumora::h05d3
