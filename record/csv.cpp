#include "record/csv.h"

namespace lumora::record {
namespace {

// A spreadsheet starts a formula at = + - @, also in their full-width forms,
// and skips spaces and a byte-order mark before one; a tab or a carriage
// return at the start is as dangerous.
bool formula(QStringView text)
{
    if (text.startsWith(u'\t') || text.startsWith(u'\r'))
        return true;
    qsizetype i = 0;
    while (i < text.size() && (text[i].isSpace() || text[i] == QChar(0xFEFF)))
        ++i;
    return i < text.size() && QStringView(u"=+-@\uFF1D\uFF0B\uFF0D\uFF20").contains(text[i]);
}

} // namespace

QString csvField(QString text)
{
    const bool formula = record::formula(text);
    if (formula)
        text.prepend(u'\'');
    const bool quoted = formula || text.contains(u',') || text.contains(u'"') || text.contains(u'\n')
                        || text.contains(u'\r');
    if (!quoted)
        return text;
    text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

QString csvLine(const QStringList& fields)
{
    QStringList out;
    for (const QString& f : fields)
        out << csvField(f);
    return out.join(u',') + QStringLiteral("\r\n");
}

} // namespace lumora::record
