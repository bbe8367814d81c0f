#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lumora::record {

// One CSV field. Quotes are doubled inside a quoted field; a field a
// spreadsheet would take for a formula (it begins with = + - @ or their
// full-width forms, after any spaces, or with a tab or a carriage return)
// gets a leading apostrophe, so that it shows as text.
QString csvField(const QString& text);
// The same at the end of a line, of text or of UTF-8.
void appendCsvField(QString& line, QStringView text);
void appendCsvField(QByteArray& line, QByteArrayView utf8);
// The fields joined by commas, ended by CRLF.
QString csvLine(const QStringList& fields);

} // namespace lumora::record
