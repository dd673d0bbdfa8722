#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The CSV that Czech spreadsheet programs open directly: UTF-8 with a byte-order mark, ";"
// between fields and CRLF at the end of every line.

inline constexpr char CsvByteOrderMark[] = "\xEF\xBB\xBF";

// One line with its CRLF. A field holding ";", a quote or a line break is put in quotes, its
// quotes doubled, so that no text can split a row or shift its columns.
QByteArray CsvLine(const QStringList &fields);

// A whole file: the mark, the header line and the rows.
QByteArray CsvDocument(const QStringList &header, const QList<QStringList> &rows);
