#pragma once

#include "core/records/recordfiles.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>
#include <QtGlobal>

#include <optional>

// historie.csv: every partial evaluation, oldest first, for as long as the folder lives. The file
// is never shortened by the program; it is a spreadsheet's semicolon CSV (UTF-8 with a BOM, CRLF).

// One row of historie.csv as read back.
struct HistoryCsvRow
{
    QDate date;
    QTime time;
    int grade = 0;
    qint32 correct = 0;
    qint32 wrong = 0;
    double percent = 0.0;
    QString operations; // the signs practised, "+ - x :", separated by single blanks
    std::optional<qint32> timeLimit; // the longest time limit in seconds; none without one
};

// The rows of historie.csv, oldest first. Damaged lines are skipped, and only the last few MiB of
// a huge file are read, so memory stays bounded. No file, or one that cannot be read, gives none.
QList<HistoryCsvRow> ReadHistoryCsv(const QString &path);
// The same, but a file that is there and cannot be read (a link, no rights, a lock held too
// long) throws InOutError, for a reader that must tell that from a pupil who never practised.
QList<HistoryCsvRow> ReadHistoryCsvChecked(const QString &path);

// One line of historie.csv without its line end (a CR before it is taken off); false, with row
// unspecified, for a damaged line or the header.
bool ParseHistoryCsvLine(QByteArrayView line, HistoryCsvRow &row);

// Only the last this many bytes of historie.csv are read back: years of daily practice.
inline constexpr qint64 HistoryCsvReadLimit = 4 * 1024 * 1024;

// historie.csv beside the history file historyFile.
QString HistoryCsvPathBeside(const QString &historyFile);

// "datum;čas;známka;správně;chybně;úspěšnost %;operace;časový limit" as fields.
QStringList HistoryCsvHeader();

// The row of an evaluation: its wall-clock date and time, the counts as recorded, the percentage
// the evaluation window showed, the operations whose flag is set and the longest time limit.
HistoryCsvRow HistoryCsvRowOf(const EvaluationRecord &record);
QStringList HistoryCsvFields(const HistoryCsvRow &row);

// Appends the row of record to historie.csv at path, under the record files' lock, never
// through a link. A new or empty file gets the mark and the header first. Only the file's last
// byte is read: a damaged or huge one costs nothing. A failure throws InOutError and leaves the
// file as it was.
void AppendHistoryCsv(const QString &path, const EvaluationRecord &record,
                      RecordFileHandle::LockWait wait = RecordFileHandle::LockWait::UpToTimeout);

// What AppendHistoryCsv writes at the end of a file of size bytes whose last byte is lastByte:
// every row read before is read the same after it, followed by the new one.
QByteArray HistoryCsvAppendBytes(qint64 size, char lastByte, const EvaluationRecord &record);

// The rows of the text of historie.csv, or of its end when startsMidFile (its first line, most
// likely cut, is skipped).
QList<HistoryCsvRow> ParseHistoryCsv(QByteArrayView bytes, bool startsMidFile);
