#include "core/icons.h"

namespace lumora {

QString personIconPath(int id)
{
    return QStringLiteral(":/icons/person%1.ico").arg(id);
}

} // namespace lumora
