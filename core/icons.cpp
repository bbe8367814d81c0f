#include "core/icons.h"

namespace lumora {

QString personIconPath(int id)
{
    return QStringLiteral(":/icons/person%1.ico").arg(id);
}

QString personIconPronoun(int id)
{
    static const char16_t* const pronouns[] = {u"én", u"te", u"ő", u"ön", u"mi", u"ti", u"ők", u"önök"};
    if (id < 51 || id > 58)
        return {};
    return QString::fromUtf16(pronouns[id - 51]);
}

} // namespace lumora
