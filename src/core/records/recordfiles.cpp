#include "core/records/recordfiles.h"

#include "core/records/recordfiletoolarge.h"

#include <QtEndian>

#include <algorithm>
#include <bit>
#include <limits>
#include <vector>

namespace {

using Access = RecordFileHandle::Access;
using IfMissing = RecordFileHandle::IfMissing;

void putInt32(char *at, qint32 value)
{
    qToLittleEndian<qint32>(value, at);
}

qint32 getInt32(const char *at)
{
    return qFromLittleEndian<qint32>(at);
}

// Flags are written 0 or 1; any other byte a damaged file may hold still reads as set.
void putFlag(char *at, bool value)
{
    *at = value ? 1 : 0;
}

bool getFlag(const char *at)
{
    return *at != 0;
}

// Whole records only; a trailing fragment is no record. Kept 64-bit for positions.
qint64 wholeRecords(qint64 fileSize, int recordSize)
{
    return fileSize / recordSize;
}

qint32 clampedCount(qint64 records)
{
    return qint32(std::min<qint64>(records, std::numeric_limits<qint32>::max()));
}

qint32 countRecords(const QString &path, int recordSize)
{
    RecordFileHandle file(path, Access::ReadOnly, IfMissing::Absent);
    if (!file.exists())
        return 0;
    const qint64 records = wholeRecords(file.size(), recordSize);
    file.close();
    return clampedCount(records);
}

} // namespace

QByteArray WrongResultRecord::encode() const
{
    QByteArray bytes(Size, '\0');
    char *at = bytes.data();
    putInt32(at + 0, FirstNumber);
    putInt32(at + 4, SecondNumber);
    putInt32(at + 8, Operation);
    putInt32(at + 12, Result);
    putFlag(at + 16, TimedOut);
    putInt32(at + 20, TimeLimit);
    putInt32(at + 24, HiddenSlot);
    return bytes;
}

WrongResultRecord WrongResultRecord::decode(const char *bytes)
{
    WrongResultRecord record;
    record.FirstNumber = getInt32(bytes + 0);
    record.SecondNumber = getInt32(bytes + 4);
    record.Operation = getInt32(bytes + 8);
    record.Result = getInt32(bytes + 12);
    record.TimedOut = getFlag(bytes + 16);
    record.TimeLimit = getInt32(bytes + 20);
    record.HiddenSlot = getInt32(bytes + 24);
    return record;
}

QByteArray EvaluationRecord::encode() const
{
    QByteArray bytes(Size, '\0');
    char *at = bytes.data();
    qToLittleEndian<quint64>(std::bit_cast<quint64>(DateTime), at);
    putInt32(at + 8, Grade);
    putInt32(at + 12, CorrectCount);
    putInt32(at + 16, WrongCount);
    for (int i = 0; i < 4; ++i)
        putFlag(at + 20 + i, Practised[size_t(i)]);
    putInt32(at + 24, MaxTimeLimit);
    return bytes;
}

EvaluationRecord EvaluationRecord::decode(const char *bytes)
{
    EvaluationRecord record;
    record.DateTime = std::bit_cast<double>(qFromLittleEndian<quint64>(bytes));
    record.Grade = getInt32(bytes + 8);
    record.CorrectCount = getInt32(bytes + 12);
    record.WrongCount = getInt32(bytes + 16);
    for (int i = 0; i < 4; ++i)
        record.Practised[size_t(i)] = getFlag(bytes + 20 + i);
    record.MaxTimeLimit = getInt32(bytes + 24);
    return record;
}

qint32 CountWrongResults(const QString &path)
{
    return countRecords(path, WrongResultRecord::Size);
}

qint32 CountEvaluations(const QString &path)
{
    return countRecords(path, EvaluationRecord::Size);
}

void AppendWrongResult(const QString &path, const WrongResultRecord &record, RecordFileHandle::LockWait wait)
{
    AppendWrongResults(path, {record}, wait);
}

void AppendWrongResults(const QString &path, const QList<WrongResultRecord> &records, RecordFileHandle::LockWait wait)
{
    constexpr int size = WrongResultRecord::Size;
    QByteArray bytes;
    bytes.reserve(records.size() * size);
    for (const WrongResultRecord &record : records)
        bytes.append(record.encode());
    RecordFileHandle file(path, Access::AppendCreate, IfMissing::Fail, wait);
    // A trailing fragment left by a damaged write is cut off, so the record starts where a record
    // starts; the append itself goes to the end the server knows, even when another computer has
    // just appended.
    const qint64 fileSize = file.size();
    if (fileSize % size != 0)
        file.truncate(fileSize - fileSize % size);
    file.append(bytes);
    file.close();
}

void ReadWrongResult(const QString &path, qint32 &index, WrongResultRecord &record)
{
    constexpr int size = WrongResultRecord::Size;
    // counted and read under one lock, so the record is the one the count was taken for
    RecordFileHandle file(path, Access::ReadOnly, IfMissing::Absent);
    const qint32 count = file.exists() ? clampedCount(wholeRecords(file.size(), size)) : 0;
    index = std::clamp(index, 1, std::max(count, 1));
    if (count == 0) {
        file.close();
        return;
    }
    char bytes[size];
    file.readAt(qint64(index - 1) * size, bytes, size);
    file.close();
    record = WrongResultRecord::decode(bytes);
}

namespace {

// Removes the record at position (1-based, within 1..count) of an open file: the records behind
// it move up by one record, a block at a time, in one pass of large reads and writes however
// long the file.
void removeWrongResultAt(const RecordFileHandle &file, qint64 count, qint64 position)
{
    constexpr int size = WrongResultRecord::Size;
    std::vector<char> block(DeleteBlockSize);
    const qint64 end = count * size;
    for (qint64 from = position * size; from < end;) {
        const qint64 length = std::min<qint64>(qint64(block.size()), end - from);
        file.readAt(from, block.data(), length);
        file.writeAt(from - size, block.data(), length);
        from += length;
    }
    file.truncate(end - size);
}

// The first record in positions first..last (1-based) equal to wanted, or 0. Read a block of
// whole records at a time.
qint64 findWrongResult(const RecordFileHandle &file, qint64 first, qint64 last, const WrongResultRecord &wanted)
{
    constexpr int size = WrongResultRecord::Size;
    constexpr qint64 perBlock = DeleteBlockSize / size;
    std::vector<char> block(perBlock * size);
    for (qint64 from = first; from <= last; from += perBlock) {
        const qint64 records = std::min(perBlock, last - from + 1);
        file.readAt((from - 1) * size, block.data(), records * size);
        for (qint64 i = 0; i < records; ++i) {
            if (WrongResultRecord::decode(block.data() + i * size) == wanted)
                return from + i;
        }
    }
    return 0;
}

} // namespace

namespace {

qint64 rewritableRecords(const RecordFileHandle &file, const QString &path)
{
    const qint64 fileSize = file.size();
    if (fileSize > RecordRewriteLimit)
        throw RecordFileTooLarge(path, fileSize);
    return wholeRecords(fileSize, WrongResultRecord::Size);
}

} // namespace

void DeleteWrongResult(const QString &path, qint32 index)
{
    RecordFileHandle file(path, Access::ReadWrite, IfMissing::Absent);
    if (!file.exists())
        return;
    const qint64 count = rewritableRecords(file, path);
    // Only an existing record is deleted; any other index leaves the file as it is.
    if (index >= 1 && index <= count)
        removeWrongResultAt(file, count, index);
    file.close();
}

qint32 DeleteWrongResult(const QString &path, qint32 index, const WrongResultRecord &answered,
                         RecordFileHandle::LockWait wait)
{
    // searched and removed under one lock, so no other copy can move the record in between
    RecordFileHandle file(path, Access::ReadWrite, IfMissing::Absent, wait);
    if (!file.exists())
        return 0;
    const qint64 count = rewritableRecords(file, path);
    const qint64 expected = std::max<qint64>(index, 1);
    qint64 position = findWrongResult(file, expected, count, answered);
    if (position == 0)
        position = findWrongResult(file, 1, std::min(expected - 1, count), answered);
    if (position != 0)
        removeWrongResultAt(file, count, position);
    file.close();
    return clampedCount(position);
}

void PrependEvaluation(const QString &path, const EvaluationRecord &record, qint32 capacity,
                       RecordFileHandle::LockWait wait)
{
    constexpr int size = EvaluationRecord::Size;
    RecordFileHandle file(path, Access::ReadWriteCreate, IfMissing::Fail, wait);
    // The new record always stays, whatever capacity is asked for.
    const qint64 keep = std::min(wholeRecords(file.size(), size), qint64(std::max(capacity, 1)) - 1);

    // The kept records are read whole (at most 99 of them in the history) and written back one
    // record further on behind the new one, with one write.
    QByteArray bytes = record.encode();
    bytes.resize(qsizetype((keep + 1) * size));
    if (keep > 0)
        file.readAt(0, bytes.data() + size, keep * size);
    file.writeAt(0, bytes);
    // Drops the records beyond the capacity and any trailing fragment.
    file.truncate((keep + 1) * size);
    file.close();
}

QList<EvaluationRecord> ReadEvaluations(const QString &path)
{
    constexpr int size = EvaluationRecord::Size;
    QList<EvaluationRecord> records;
    RecordFileHandle file(path, Access::ReadOnly, IfMissing::Absent);
    if (!file.exists())
        return records;
    const qint64 count = wholeRecords(file.size(), size);
    char bytes[size];
    for (qint64 i = 0; i < count; ++i) {
        file.readAt(i * size, bytes, size);
        records.append(EvaluationRecord::decode(bytes));
    }
    file.close();
    return records;
}
