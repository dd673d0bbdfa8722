#include "records/wrongresults.h"

#include "generator/generator.h"
#include "records/ioerror.h"
#include "records/recordfilehandle.h"

#include <QFile>

#include <cerrno>
#include <unistd.h>

namespace {

constexpr bool isFirst(qint32 slot)
{
    return slot == qint32(UnknownSlot::First);
}

constexpr bool isSecond(qint32 slot)
{
    return slot == qint32(UnknownSlot::Second);
}

} // namespace

QString FormatWrongResultLine(const WrongResultRecord &record)
{
    QString a = QString::number(record.FirstNumber);
    QString b = QString::number(record.SecondNumber);
    QString c = QString::number(record.Result);
    QString &hidden = isFirst(record.HiddenSlot) ? a : isSecond(record.HiddenSlot) ? b : c;
    // the stored number of a time-out is only what stood in the field, so the limit is shown instead
    hidden = record.TimedOut ? QStringLiteral("čas. lim. %1s").arg(record.TimeLimit) : u'(' + hidden + u')';
    return a + u' ' + OperationSign(Operation(record.Operation)) + u' ' + b + QStringLiteral(" = ") + c;
}

Exercise ExerciseFromRecord(const WrongResultRecord &record)
{
    Exercise exercise;
    exercise.first = record.FirstNumber;
    exercise.operation = Operation(record.Operation); // any code: the enum has a fixed 32-bit base
    exercise.second = record.SecondNumber;
    exercise.result = record.Result;
    exercise.hidden = isFirst(record.HiddenSlot)    ? UnknownSlot::First
                      : isSecond(record.HiddenSlot) ? UnknownSlot::Second
                                                    : UnknownSlot::Result;
    return exercise;
}

std::optional<WrongResultRecord> NextRetestRecord(const QString &retestFile, qint32 &index)
{
    const qint32 count = CountWrongResults(retestFile);
    // the count is at most INT_MAX, so an index past it has ended the run before it could wrap
    if (index >= count)
        return std::nullopt;
    ++index;
    WrongResultRecord record;
    ReadWrongResult(retestFile, index, record);
    return record;
}

void RemoveAnsweredRecord(const QString &retestFile, qint32 &index)
{
    DeleteWrongResult(retestFile, index);
    --index;
}

void DeleteRecordFile(const QString &path)
{
    // The file goes while this copy holds its lock, so another copy waiting to append finds it
    // gone and starts a new file rather than writing into the removed one.
    const RecordFileHandle held(path, RecordFileHandle::Access::ReadWrite, RecordFileHandle::IfMissing::Absent);
    if (!held.exists())
        return;
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
        throw InOutError(ioErrorCodeFromErrno(errno, path), path);
}
