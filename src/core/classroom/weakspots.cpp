#include "core/classroom/weakspots.h"

#include "core/generator/generator.h"
#include "core/practice/answercheck.h"
#include "core/records/csvexport.h"

#include <algorithm>
#include <set>

namespace {

bool inTable(qint32 n)
{
    return n >= 1 && n <= WeakSpots::TableSize;
}

// The cell of the table an exercise practises: x × y = z, or z : y = x; none outside 1..10.
std::optional<std::pair<int, int>> tableCell(const Exercise &e)
{
    if (e.operation == Operation::Krat && inTable(e.first) && inTable(e.second))
        return std::pair{e.first, e.second};
    // the quotient must be exact: 7 : 2 = 3 is no exercise of the table
    if (e.operation == Operation::Del && inTable(e.second) && inTable(e.result)
        && qint64(e.result) * e.second == e.first)
        return std::pair{e.result, e.second};
    return std::nullopt;
}

} // namespace

std::optional<Exercise> PosedExercise(const WrongResultRecord &record)
{
    if (!isKnownOperation(record.Operation))
        return std::nullopt;
    Exercise e{record.FirstNumber, Operation(record.Operation), record.SecondNumber, record.Result};
    if (record.HiddenSlot == 1 || record.HiddenSlot == 2) {
        const std::optional<qint32> value = PosedHiddenValue(record, record.HiddenSlot == 1);
        if (!value)
            return std::nullopt;
        (record.HiddenSlot == 1 ? e.first : e.second) = *value;
        e.hidden = UnknownSlot(record.HiddenSlot);
    } else {
        if (e.operation == Operation::Del && e.second == 0)
            return std::nullopt;
        e.result = ExpectedResult(record.Operation, e.first, e.second);
    }
    return e;
}

QString ExerciseText(const Exercise &e)
{
    return QStringLiteral("%1 %2 %3 = %4").arg(e.first).arg(OperationSign(e.operation)).arg(e.second).arg(e.result);
}

void WeakSpots::addPupil(const QList<WrongResultRecord> &records)
{
    std::set<std::pair<int, int>> cells;
    std::set<std::tuple<qint32, qint32, qint32>> additive;
    for (const WrongResultRecord &record : records) {
        const std::optional<Exercise> e = PosedExercise(record);
        if (!e)
            continue;
        if (const auto cell = tableCell(*e))
            cells.insert(*cell);
        else if (e->operation == Operation::Plus || e->operation == Operation::Minus)
            additive.insert({qint32(e->operation), e->first, e->second});
    }
    for (const auto &[x, y] : cells)
        ++m_table[(x - 1) * TableSize + (y - 1)];
    for (const auto &key : additive)
        ++m_additive[key];
}

qint32 WeakSpots::tableCount(int x, int y) const
{
    return inTable(x) && inTable(y) ? m_table[(x - 1) * TableSize + (y - 1)] : 0;
}

qint32 WeakSpots::largestTableCount() const
{
    return *std::max_element(m_table.begin(), m_table.end());
}

QList<WeakExercise> WeakSpots::mostCommonAdditive(int limit) const
{
    QList<WeakExercise> all;
    for (const auto &[key, pupils] : m_additive) {
        const auto [op, first, second] = key;
        all.append({{first, Operation(op), second, ExpectedResult(op, first, second)}, pupils});
    }
    // the map is ordered by operation and numbers already: a stable sort keeps that among equals
    std::stable_sort(all.begin(), all.end(), [](const WeakExercise &a, const WeakExercise &b) { return a.pupils > b.pupils; });
    if (all.size() > limit)
        all.resize(std::max(limit, 0));
    return all;
}
