#pragma once

#include "core/records/historycsv.h"
#include "core/records/recordfiles.h"
#include "core/settings/wholefilewrite.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The exports for spreadsheets: whole CSV files in the convention of historie.csv.

// historie.csv's header and the rows, oldest first.
QByteArray HistoryExportCsv(const QList<HistoryCsvRow> &rows);

// "první číslo;operace;druhé číslo;výsledek;odpověď;neznámé" as fields.
QStringList WrongResultsCsvHeader();
// One exercise: the three numbers of the exercise as posed, the hidden one's correct value put
// back (empty where no whole number gives the result), the sign the main window shows, and in
// the fifth field the wrong answer or "čas. lim. Ns" when the time ran out, and last which number
// was hidden: 1 the first, 2 the second, 3 the result (a column added last, so that readers of
// the older export keep their columns).
QStringList WrongResultFields(const WrongResultRecord &record);
// The correct value of the hidden first (first true) or second number of the exercise as posed,
// undone from the other two; nothing where no whole number gives the result.
std::optional<qint32> PosedHiddenValue(const WrongResultRecord &record, bool first);
QByteArray WrongResultsExportCsv(const QList<WrongResultRecord> &records);

// At most this many records of the wrong-results file are exported, however a damaged file grew.
inline constexpr qint32 WrongResultsExported = 1000000;
// The records of the wrong-results file in file order, read under one lock; no file gives none.
// Throws InOutError.
QList<WrongResultRecord> ReadWrongResultsToExport(const QString &path, qint32 limit = WrongResultsExported);

// Writes bytes as the whole new content of path: through a temporary file and a rename, so that a
// failure leaves an old file whole, and never through a link (anything but a regular file at
// path fails with code 5). Throws InOutError.
void WriteExportFile(const QString &path, const QByteArray &bytes);
// The same for content handed over piece by piece (see WriteWholeFileInPieces); an exception
// from produce is passed on and leaves the old file whole.
void WriteExportFileInPieces(const QString &path, const std::function<void(const PieceWriter &put)> &produce);
