#include "core/records/historyexport.h"

#include "core/records/csvexport.h"
#include "core/records/csvtext.h"
#include "core/records/historylines.h"
#include "core/records/recordfilehandle.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace {

// historie.csv is read in pieces of this size, each under a lock of its own, so that a pupil's
// evaluation is never kept waiting by a long export.
constexpr qint64 PieceSize = 1024 * 1024;
constexpr qsizetype LongestLine = 64 * 1024;

using Moment = std::tuple<qint64, int>; // the day and the second of the day
using Key = std::tuple<qint64, int, int, qint32, qint32>;

Moment momentOf(const HistoryCsvRow &row)
{
    return {row.date.toJulianDay(), row.time.msecsSinceStartOfDay() / 1000};
}

Key keyOf(const HistoryCsvRow &row)
{
    const auto [day, second] = momentOf(row);
    return {day, second, row.grade, row.correct, row.wrong};
}

// The evaluations that historie.csv lacks, oldest first; rows are struck off as they are met.
class MissingEvaluations
{
public:
    explicit MissingEvaluations(const QList<EvaluationRecord> &evaluations)
    {
        for (const EvaluationRecord &record : evaluations) {
            HistoryCsvRow row = HistoryCsvRowOf(record);
            if (row.date.isValid())
                m_rows.append(row);
        }
        std::stable_sort(m_rows.begin(), m_rows.end(),
                         [](const HistoryCsvRow &a, const HistoryCsvRow &b) { return momentOf(a) < momentOf(b); });
        m_present.resize(m_rows.size(), false);
        for (qsizetype i = 0; i < m_rows.size(); ++i)
            m_index.emplace(keyOf(m_rows[i]), i);
    }

    // A row of historie.csv: the first evaluation it stands for is no longer missing.
    void strike(const HistoryCsvRow &row)
    {
        const auto [from, to] = m_index.equal_range(keyOf(row));
        for (auto it = from; it != to; ++it)
            if (!m_present[it->second]) {
                m_present[it->second] = true;
                return;
            }
    }

    // Leaves out the evaluations older than row.
    void dropOlderThan(const HistoryCsvRow &row)
    {
        for (qsizetype i = 0; i < m_rows.size() && momentOf(m_rows[i]) < momentOf(row); ++i)
            m_present[i] = true;
    }

    // Hands the missing evaluations older than row (all that are left without one) to take.
    template<class Take>
    void takeUpTo(const HistoryCsvRow *row, Take take)
    {
        for (; m_next < m_rows.size() && (!row || momentOf(m_rows[m_next]) < momentOf(*row)); ++m_next)
            if (!m_present[m_next])
                take(m_rows[m_next]);
    }

private:
    QList<HistoryCsvRow> m_rows;
    std::vector<bool> m_present;
    std::multimap<Key, qsizetype> m_index;
    qsizetype m_next = 0;
};

// Calls onRow for each row of the first length bytes of historie.csv, in file order. A line longer
// than any row could be is damage: it is skipped without being held, whatever its length.
template<class OnRow>
void forEachRow(const QString &csvFile, qint64 length, OnRow onRow)
{
    QByteArray pending;
    bool skipping = false; // within an over-long line, up to its end
    for (qint64 offset = 0; offset < length; offset += PieceSize) {
        QByteArray piece(std::min(PieceSize, length - offset), Qt::Uninitialized);
        {
            RecordFileHandle file(csvFile, RecordFileHandle::Access::ReadOnly);
            file.readAt(offset, piece.data(), piece.size());
            file.close();
        }
        if (skipping) {
            const qsizetype end = piece.indexOf('\n');
            skipping = end < 0;
            piece.remove(0, skipping ? piece.size() : end + 1);
        }
        pending.append(piece);
        qsizetype from = offset == 0 && pending.startsWith(CsvByteOrderMark) ? 3 : 0;
        const bool last = offset + PieceSize >= length;
        for (qsizetype end; (end = pending.indexOf('\n', from)) >= 0 || (last && from < pending.size());) {
            if (end < 0)
                end = pending.size();
            HistoryCsvRow row;
            if (ParseHistoryCsvLine(QByteArrayView(pending).sliced(from, end - from), row))
                onRow(row);
            from = end + 1;
        }
        pending.remove(0, std::min(from, pending.size()));
        if (pending.size() > LongestLine) {
            pending.clear();
            skipping = true;
        }
    }
}

} // namespace

QList<HistoryCsvRow> MergedHistory(const QList<HistoryCsvRow> &csvRows, bool fromStart,
                                   const QList<EvaluationRecord> &evaluations)
{
    MissingEvaluations missing(evaluations);
    for (const HistoryCsvRow &row : csvRows)
        missing.strike(row);
    if (!fromStart && !csvRows.isEmpty())
        missing.dropOlderThan(csvRows.constFirst());
    QList<HistoryCsvRow> merged;
    merged.reserve(csvRows.size() + evaluations.size());
    const auto take = [&](const HistoryCsvRow &row) { merged.append(row); };
    for (const HistoryCsvRow &row : csvRows) {
        missing.takeUpTo(&row, take);
        merged.append(row);
    }
    missing.takeUpTo(nullptr, take);
    return merged;
}

void ExportHistory(const QString &path, const QString &csvFile, const QString &historyFile)
{
    MissingEvaluations missing(ReadHistoryToShow(historyFile));
    qint64 length = 0;
    {
        RecordFileHandle csv(csvFile, RecordFileHandle::Access::ReadOnly, RecordFileHandle::IfMissing::Absent);
        length = csv.exists() ? csv.size() : 0;
        csv.close();
    }
    // the rows appended while the export runs are left for the next one
    forEachRow(csvFile, length, [&](const HistoryCsvRow &row) { missing.strike(row); });

    const auto produce = [&](const PieceWriter &put) {
        QByteArray piece(CsvByteOrderMark);
        piece.append(CsvLine(HistoryCsvHeader()));
        const auto add = [&](const HistoryCsvRow &row) {
            piece.append(CsvLine(HistoryCsvFields(row)));
            if (piece.size() >= PieceSize) {
                put(piece); // after a failed write the rest is only read, and dropped
                piece.clear();
            }
        };
        forEachRow(csvFile, length, [&](const HistoryCsvRow &row) {
            missing.takeUpTo(&row, add);
            add(row);
        });
        missing.takeUpTo(nullptr, add);
        put(piece);
    };
    WriteExportFileInPieces(path, produce);
}
