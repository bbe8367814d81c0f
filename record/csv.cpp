#include "record/csv.h"

namespace lumora::record {

QString csvField(QString text)
{
    const bool formula = !text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front());
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
