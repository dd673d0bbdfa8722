#pragma once

#include "core/records/recordfilehandle.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

// One wrongly answered or timed-out exercise; 28 bytes on disk, little-endian.
// Operation and HiddenSlot are kept as read: a damaged file may hold any code.
struct WrongResultRecord
{
    qint32 FirstNumber = 0;
    qint32 SecondNumber = 0;
    qint32 Operation = 1;
    qint32 Result = 0;
    bool TimedOut = false;
    qint32 TimeLimit = 0;
    qint32 HiddenSlot = 3;

    static constexpr int Size = 28;
    QByteArray encode() const;
    static WrongResultRecord decode(const char *bytes); // exactly Size bytes

    friend bool operator==(const WrongResultRecord &, const WrongResultRecord &) = default;
};

// One partial evaluation; 32 bytes on disk, little-endian. Practised is indexed by Operation - 1.
struct EvaluationRecord
{
    double DateTime = 0.0; // days since 1899-12-30 00:00, local time
    qint32 Grade = 0;
    qint32 CorrectCount = 0;
    qint32 WrongCount = 0;
    std::array<bool, 4> Practised = {false, false, false, false};
    qint32 MaxTimeLimit = 0;

    static constexpr int Size = 32;
    QByteArray encode() const;
    static EvaluationRecord decode(const char *bytes); // exactly Size bytes

    friend bool operator==(const EvaluationRecord &, const EvaluationRecord &) = default;
};

inline constexpr qint32 HistoryCapacity = 100;
// A delete moves the records behind the deleted one in blocks of this many bytes.
inline constexpr qint64 DeleteBlockSize = 64 * 1024;
// A wrong-results file beyond this size is read and appended to but never rewritten: a delete
// would move all of it (a planted sparse file of a gigabyte would turn into a real one, and
// keep the window waiting); it throws RecordFileTooLarge instead. Years of misses take far less.
inline constexpr qint64 RecordRewriteLimit = 64 * 1024 * 1024;

// Every operation opens the file, locks it for all of its work (see RecordFileHandle), does its
// work and closes it; nothing is cached. Any failure to open, lock, read, write, cut or close
// throws InOutError. A missing file reads as empty; anything but a regular file fails with code 5.
qint32 CountWrongResults(const QString &path);
void AppendWrongResult(const QString &path, const WrongResultRecord &record,
                       RecordFileHandle::LockWait wait = RecordFileHandle::LockWait::UpToTimeout);
// Appends the records in their order with one lock and one write: all of them or none.
void AppendWrongResults(const QString &path, const QList<WrongResultRecord> &records,
                        RecordFileHandle::LockWait wait = RecordFileHandle::LockWait::UpToTimeout);
// Clamps index into 1..count (1 when the file is empty) and reads that record, if any.
void ReadWrongResult(const QString &path, qint32 &index, WrongResultRecord &record);
// Removes record index (1-based); an index outside 1..count removes nothing.
void DeleteWrongResult(const QString &path, qint32 index);
// Removes the record equal to answered, the exercise a re-test put on screen from position index:
// the first equal record at or after index, else the first equal one anywhere. Another copy of
// the program re-testing the same file may have removed records meanwhile, so the position alone
// could name a record nobody answered. Returns the position the removed record had, or 0 when
// no record equals it any more and nothing was removed.
qint32 DeleteWrongResult(const QString &path, qint32 index, const WrongResultRecord &answered,
                         RecordFileHandle::LockWait wait = RecordFileHandle::LockWait::UpToTimeout);
qint32 CountEvaluations(const QString &path);
// Puts the record first and keeps at most capacity records, newest first.
void PrependEvaluation(const QString &path, const EvaluationRecord &record, qint32 capacity,
                       RecordFileHandle::LockWait wait = RecordFileHandle::LockWait::UpToTimeout);
QList<EvaluationRecord> ReadEvaluations(const QString &path);
