#include "core/records/wrongresults.h"

#include "core/generator/generator.h"
#include "core/records/ioerror.h"
#include "core/records/recordfilehandle.h"

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <unistd.h>
#include <vector>

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

WrongResultsListing WrongResultsToShow(const QString &wrongResultsFile, qint32 limit)
{
    constexpr int size = WrongResultRecord::Size;
    // records read at a time: one read per block keeps a long list quick, one block keeps it small
    constexpr qint64 BlockRecords = 1024;
    WrongResultsListing listing;
    RecordFileHandle file(wrongResultsFile, RecordFileHandle::Access::ReadOnly, RecordFileHandle::IfMissing::Absent);
    if (!file.exists())
        return listing;
    listing.recordCount = file.size() / size;
    const qint64 shown = std::min<qint64>(listing.recordCount, std::max(limit, 0));
    listing.lines.reserve(shown + 1);
    std::vector<char> block(size_t(std::min(shown, BlockRecords) * size));
    for (qint64 first = 0; first < shown; first += BlockRecords) {
        const qint64 count = std::min(BlockRecords, shown - first);
        file.readAt(first * size, block.data(), count * size);
        for (qint64 i = 0; i < count; ++i)
            listing.lines.append(FormatWrongResultLine(WrongResultRecord::decode(block.data() + i * size)));
    }
    file.close();
    if (listing.recordCount > shown)
        listing.lines.append(MoreWrongResultsLine(listing.recordCount - shown));
    return listing;
}

QString MoreWrongResultsLine(qint64 more)
{
    // Without a noun, so that the line fits the viewer's narrow list like the others; "jeden" and
    // "další" agree with the exercises listed above it.
    if (more == 1)
        return QStringLiteral("… a ještě jeden");
    const QString number = QLocale(QLocale::Czech, QLocale::Czechia).toString(more);
    if (more >= 2 && more <= 4)
        return QStringLiteral("… a další %1").arg(number);
    return QStringLiteral("… a dalších %1").arg(number);
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

void DeleteRecordFile(const QString &path)
{
    // The file goes while this copy holds its lock, so another copy waiting to append finds it
    // gone and starts a new file rather than writing into the removed one.
    const RecordFileHandle held(path, RecordFileHandle::Access::ReadWrite, RecordFileHandle::IfMissing::Absent);
    if (!held.exists())
        return;
    if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT)
        return;
    // A sticky folder keeps another account's file from being removed, though it may be written:
    // emptied, it holds no record either.
    if (errno != EPERM && errno != EACCES)
        throw InOutError(ioErrorCodeFromErrno(errno, path), path);
    held.truncate(0);
}
