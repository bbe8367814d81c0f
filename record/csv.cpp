#include "record/csv.h"

#include <algorithm>

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

void appendCsvField(QString& line, QStringView text)
{
    const bool formula = record::formula(text);
    const bool quoted = formula || std::any_of(text.begin(), text.end(), [](QChar c) {
                            return c == u',' || c == u'"' || c == u'\n' || c == u'\r';
                        });
    if (!quoted) {
        line += text;
        return;
    }
    line += formula ? QStringView(u"\"'") : QStringView(u"\"");
    for (QChar c : text) {
        if (c == u'"')
            line += c;
        line += c;
    }
    line += u'"';
}

QString csvField(const QString& text)
{
    QString field;
    appendCsvField(field, text);
    return field;
}

QString csvLine(const QStringList& fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u',';
        appendCsvField(line, fields[i]);
    }
    return line + QStringLiteral("\r\n");
}

} // namespace lumora::record
