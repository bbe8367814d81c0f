#include "exercises/h05d3/pictures.h"

namespace lumora::h05d3 {

QString picturePath(int item)
{
    return QStringLiteral(":/pictures/pic%1.gif").arg(item, 2, 10, QLatin1Char('0'));
}

} // namespace lumora::h05d3
