#include "core/records/csvexport.h"

#include "core/generator/generator.h"
#include "core/practice/answercheck.h"
#include "core/records/csvtext.h"
#include "core/records/ioerror.h"
#include "core/records/recordfilehandle.h"
#include "core/settings/wholefilewrite.h"

#include <QFile>

#include <cerrno>
#include <optional>
#include <sys/stat.h>

namespace {

// The correct value of the hidden first (or second) number: undone from the other two and kept
// only when the answer check takes it, so a value is never invented.
std::optional<qint32> hiddenValue(const WrongResultRecord &record, bool first)
{
    const qint64 a = record.FirstNumber;
    const qint64 b = record.SecondNumber;
    const qint64 c = record.Result;
    const qint64 other = first ? b : a;
    qint64 value = 0;
    switch (record.Operation) {
    case 2: value = first ? c + b : a - c; break;
    case 3:
        if (other == 0 || c % other != 0)
            return std::nullopt;
        value = c / other;
        break;
    case 4:
        if (!first && c == 0)
            return std::nullopt;
        value = first ? c * b : a / c;
        break;
    default: value = c - other; break; // an unknown code is checked as an addition
    }
    // the answer check wraps around in 32 bits, so the number it takes does too
    const auto wrapped = static_cast<qint32>(static_cast<quint32>(value));
    const qint32 x = first ? wrapped : record.FirstNumber;
    const qint32 y = first ? record.SecondNumber : wrapped;
    if (ExpectedResult(record.Operation, x, y) != record.Result)
        return std::nullopt;
    return wrapped;
}

} // namespace

std::optional<qint32> PosedHiddenValue(const WrongResultRecord &record, bool first)
{
    return hiddenValue(record, first);
}

QByteArray HistoryExportCsv(const QList<HistoryCsvRow> &rows)
{
    QList<QStringList> lines;
    lines.reserve(rows.size());
    for (const HistoryCsvRow &row : rows)
        lines.append(HistoryCsvFields(row));
    return CsvDocument(HistoryCsvHeader(), lines);
}

QStringList WrongResultsCsvHeader()
{
    return {QStringLiteral("první číslo"), QStringLiteral("operace"), QStringLiteral("druhé číslo"),
            QStringLiteral("výsledek"), QStringLiteral("odpověď"), QStringLiteral("neznámé")};
}

QStringList WrongResultFields(const WrongResultRecord &record)
{
    QStringList numbers = {QString::number(record.FirstNumber), QString::number(record.SecondNumber),
                           QString::number(record.Result)};
    const int hidden = record.HiddenSlot == 1 || record.HiddenSlot == 2 ? record.HiddenSlot - 1 : 2;
    const QString answer = record.TimedOut ? QStringLiteral("čas. lim. %1s").arg(record.TimeLimit) : numbers[hidden];
    if (hidden == 2) {
        numbers[2] = QString::number(ExpectedResult(record.Operation, record.FirstNumber, record.SecondNumber));
    } else {
        const std::optional<qint32> value = hiddenValue(record, hidden == 0);
        numbers[hidden] = value ? QString::number(*value) : QString();
    }
    return {numbers[0], OperationSign(Operation(record.Operation)), numbers[1], numbers[2], answer,
            QString::number(hidden + 1)};
}

QByteArray WrongResultsExportCsv(const QList<WrongResultRecord> &records)
{
    QList<QStringList> lines;
    lines.reserve(records.size());
    for (const WrongResultRecord &record : records)
        lines.append(WrongResultFields(record));
    return CsvDocument(WrongResultsCsvHeader(), lines);
}

QList<WrongResultRecord> ReadWrongResultsToExport(const QString &path, qint32 limit)
{
    constexpr int size = WrongResultRecord::Size;
    RecordFileHandle file(path, RecordFileHandle::Access::ReadOnly, RecordFileHandle::IfMissing::Absent);
    if (!file.exists())
        return {};
    const qint64 count = std::min<qint64>(file.size() / size, std::max(limit, 0));
    QByteArray bytes(count * size, Qt::Uninitialized);
    file.readAt(0, bytes.data(), bytes.size());
    file.close();
    QList<WrongResultRecord> records;
    records.reserve(count);
    for (qint64 i = 0; i < count; ++i)
        records.append(WrongResultRecord::decode(bytes.constData() + i * size));
    return records;
}

namespace {

// The name of an export's file, checked: anything but a regular file standing at the name, a
// link included, is refused with code 5 rather than followed. Sets old when a file is there.
QByteArray exportFileName(const QString &path, struct stat &info, bool &exists)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || name.contains('\0'))
        throw InOutError(3, path);
    // lstat looks at the name itself: a link there is refused, not followed
    exists = ::lstat(name.constData(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode))
        throw InOutError(5, path);
    errno = 0;
    return name;
}

[[noreturn]] void failedWrite(const QString &path)
{
    const int error = errno;
    throw InOutError(error != 0 ? ioErrorCodeFromErrno(error, path) : 5, path);
}

} // namespace

void WriteExportFile(const QString &path, const QByteArray &bytes)
{
    struct stat info;
    bool exists = false;
    const QByteArray name = exportFileName(path, info, exists);
    if (!WriteWholeFile(name, bytes, exists ? &info : nullptr))
        failedWrite(path);
}

void WriteExportFileInPieces(const QString &path, const std::function<void(const PieceWriter &put)> &produce)
{
    struct stat info;
    bool exists = false;
    const QByteArray name = exportFileName(path, info, exists);
    if (!WriteWholeFileInPieces(name, produce, exists ? &info : nullptr))
        failedWrite(path);
}
