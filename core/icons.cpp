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

QString personIconTip(int id)
{
    static const char* const meanings[] = {"I", "you, one person", "he or she", "you, polite, one person",
                                           "we", "you, more people", "they", "you, polite, more people"};
    if (id < 51 || id > 58)
        return {};
    return QStringLiteral("The person: %1 (%2)").arg(personIconPronoun(id), QLatin1String(meanings[id - 51]));
}

} // namespace lumora
