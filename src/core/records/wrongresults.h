#pragma once

#include "core/generator/exercise.h"
#include "core/records/recordfiles.h"

#include <QString>
#include <QStringList>

#include <optional>

// The text of one line of the wrong-results viewer: "7 + 5 = (13)", the hidden number in
// brackets, or "čas. lim. 10s" in its place when the time ran out. An unknown operation shows
// as "+", an unknown hidden slot as the result.
QString FormatWrongResultLine(const WrongResultRecord &record);

// At most this many records are listed by the wrong-results viewer: a damaged file of gigabytes
// would otherwise take minutes to list and its lines more memory than the machine has.
inline constexpr qint32 WrongResultsShown = 10000;

// What the wrong-results viewer lists: the lines of the file's first records, at most limit of
// them, in file order, then one line that tells how many more the file holds, if any. The file is
// read once, under one lock, and only as far as the lines listed. recordCount is the number of
// whole records in the file. No file gives no lines; a failure throws InOutError.
struct WrongResultsListing
{
    QStringList lines;
    qint64 recordCount = 0;
};
WrongResultsListing WrongResultsToShow(const QString &wrongResultsFile, qint32 limit = WrongResultsShown);

// The last line of a list cut short, in Czech grammatical number: "… a ještě jeden",
// "… a další 3", "… a dalších 12 345" (grouped with no-break spaces).
QString MoreWrongResultsLine(qint64 more);

// The exercise a stored record poses again in a re-test. The hidden slot is 1 or 2 as stored and
// the result for any other value; the operation code is kept as stored, so that a damaged code
// is shown and judged as an addition.
Exercise ExerciseFromRecord(const WrongResultRecord &record);

// One step of a re-test through the re-test file. index is the 1-based position of the exercise
// on screen (0 before the first). Returns the record at the next position, or nothing when the
// index has passed the end of the file and the run is over.
std::optional<WrongResultRecord> NextRetestRecord(const QString &retestFile, qint32 &index);

// Deletes a whole record file, or empties it where the folder lets it be written but not removed;
// a missing one is no error. Throws InOutError when its records stay, so that a re-test never
// starts over an old wrong-results log.
void DeleteRecordFile(const QString &path);
