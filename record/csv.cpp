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

void appendCsvField(QByteArray& line, QByteArrayView utf8)
{
    // Printable ASCII that starts no formula and needs no quotes goes as it
    // is; anything else takes the way above.
    const bool plain = std::all_of(utf8.begin(), utf8.end(), [](char c) { return c >= ' ' && c < 0x7f && c != ',' && c != '"'; })
                       && (utf8.isEmpty() || !QByteArrayView("=+-@ ").contains(utf8.front()));
    if (plain) {
        line += utf8;
        return;
    }
    QString field;
    appendCsvField(field, QString::fromUtf8(utf8));
    line += field.toUtf8();
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
