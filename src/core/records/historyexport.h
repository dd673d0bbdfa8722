#pragma once

#include "core/records/historycsv.h"
#include "core/records/recordfiles.h"

#include <QList>
#include <QString>

// The history as the chart and the export see it: historie.csv, completed by the history file.
// historie.csv starts afresh when it is deleted, and an append that failed leaves a row out of
// it, while the history file still holds the evaluations; those are merged in.

// The rows of historie.csv (oldest first) with every evaluation that no row stands for, put in
// its place by date and time. An evaluation and a row are the same when their date, time to the
// second, grade and counts agree; each row stands for one evaluation. When the rows are only the
// file's tail (fromStart false), evaluations older than the first row are left out: the part not
// read may hold them. A damaged day count is left out.
QList<HistoryCsvRow> MergedHistory(const QList<HistoryCsvRow> &csvRows, bool fromStart,
                                   const QList<EvaluationRecord> &evaluations);

// The history export: historie.csv's header and every row of csvFile, read piece by piece so
// that a file of any size is exported whole, with the evaluations of historyFile merged in as
// above; damaged lines are left out. Written to path as a whole (WriteExportFile's rules), the
// rows streamed. Any failure, reading included, throws InOutError and leaves an old file whole.
void ExportHistory(const QString &path, const QString &csvFile, const QString &historyFile);
