#include "core/keytables.h"

#include <algorithm>
#include <utility>

namespace lumora {
namespace {

using Row = std::pair<char16_t, char16_t>;

constexpr Row mainTable[] = {
    {u'\'', u'á'}, {u';', u'é'}, {u'`', u'í'}, {u'\\', u'ű'}, {u'[', u'ő'},
    {u'-', u'ü'},  {u'0', u'ö'}, {u']', u'ú'}, {u'=', u'ó'},
    {u'"', u'Á'},  {u':', u'É'}, {u'~', u'Í'}, {u'|', u'Ű'},  {u'{', u'Ő'},
    {u'_', u'Ü'},  {u')', u'Ö'}, {u'}', u'Ú'}, {u'+', u'Ó'},
};

constexpr Row shortTable[] = {
    {u'\'', u'á'}, {u';', u'é'}, {u'`', u'í'}, {u'\\', u'ó'}, {u'[', u'ö'},
    {u'-', u'ő'},  {u'/', u'ú'}, {u']', u'ü'}, {u'=', u'ű'},
};

template <std::size_t N>
QChar lookup(const Row (&table)[N], QChar typed)
{
    for (const auto& [key, letter] : table)
        if (typed == QChar(key))
            return QChar(letter);
    return typed;
}

} // namespace

QString keyHelp()
{
    return QStringLiteral("á  ( ' );  é ( ; );  í ( ` );  ó ( = );  ö ( 0 );  ő ( [ );  ú ( ] );  ü ( - );  ű ( \\ )");
}

QChar keyHelpLetter(qsizetype position)
{
    // The letters are the only letters of the line; each entry begins with one.
    const QString help = keyHelp();
    for (qsizetype i = std::min(position, help.size() - 1); i >= 0; --i)
        if (help.at(i).isLetter())
            return help.at(i);
    return {};
}

QChar hunkey(QChar typed) { return lookup(mainTable, typed); }

QChar shortkey(QChar typed) { return lookup(shortTable, typed); }

} // namespace lumora
