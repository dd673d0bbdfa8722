#include "records/recordfiles.h"

#include "records/recordfilehandle.h"

#include <QtEndian>

#include <algorithm>
#include <bit>
#include <limits>

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

void AppendWrongResult(const QString &path, const WrongResultRecord &record)
{
    constexpr int size = WrongResultRecord::Size;
    RecordFileHandle file(path, Access::ReadWriteCreate);
    // Written after the whole records, so a trailing fragment left by a damaged write is covered.
    const qint64 position = wholeRecords(file.size(), size);
    file.writeAt(position * size, record.encode());
    file.close();
}

void ReadWrongResult(const QString &path, qint32 &index, WrongResultRecord &record)
{
    constexpr int size = WrongResultRecord::Size;
    const qint32 count = CountWrongResults(path);
    index = std::clamp(index, 1, std::max(count, 1));
    if (count == 0)
        return;

    RecordFileHandle file(path, Access::ReadOnly);
    char bytes[size];
    file.readAt(qint64(index - 1) * size, bytes, size);
    file.close();
    record = WrongResultRecord::decode(bytes);
}

void DeleteWrongResult(const QString &path, qint32 index)
{
    constexpr int size = WrongResultRecord::Size;
    const qint32 count = CountWrongResults(path);
    // Only an existing record is deleted; any other index leaves the file as it is.
    if (index < 1 || index > count)
        return;

    RecordFileHandle file(path, Access::ReadWrite);
    char bytes[size];
    for (qint64 k = index; k < count; ++k) {
        // 1-based record k + 1 lies at position k, and moves up to position k - 1.
        file.readAt(k * size, bytes, size);
        file.writeAt((k - 1) * size, bytes, size);
    }
    file.truncate(qint64(count - 1) * size);
    file.close();
}

void PrependEvaluation(const QString &path, const EvaluationRecord &record, qint32 capacity)
{
    constexpr int size = EvaluationRecord::Size;
    RecordFileHandle file(path, Access::ReadWriteCreate);
    // The new record always stays, whatever capacity is asked for.
    const qint64 keep = std::min(wholeRecords(file.size(), size), qint64(std::max(capacity, 1)) - 1);

    // The carry holds the record displaced by the one just written, so the file is rewritten in
    // place, front to back, with one spare buffer.
    char carry[size];
    char next[size];
    if (keep > 0)
        file.readAt(0, carry, size);
    file.writeAt(0, record.encode());
    for (qint64 i = 1; i <= keep; ++i) {
        const bool more = i < keep;
        if (more)
            file.readAt(i * size, next, size);
        file.writeAt(i * size, carry, size);
        if (more)
            std::copy(next, next + size, carry);
    }
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
