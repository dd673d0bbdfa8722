#include "core/settings/rozsahvalues.h"

#include "core/generator/generator.h"
#include "core/settings/inifile.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr qint32 operationCode(Operation op)
{
    return static_cast<qint32>(op);
}

const char *const BoundKeys[] = {"C1OD", "C1DO", "C2OD", "C2DO", "VOD", "VDO"};

QString operationWord(Operation op)
{
    switch (op) {
    case Operation::Minus:
        return QStringLiteral("odčítání");
    case Operation::Krat:
        return QStringLiteral("násobení");
    case Operation::Del:
        return QStringLiteral("dělení");
    case Operation::Plus:
    default:
        return QStringLiteral("sčítání");
    }
}

// Whether the generator could pose an exercise whose 32-bit result is wrapped, so that the
// true result would be judged wrong and the wrapped one right: a true result beyond 32 bits
// whose wrapped value lies in the result range. Sums and differences fill an interval, whose
// parts beyond 32 bits wrap onto an interval each; products wrap unpredictably, so any product
// beyond 32 bits counts. A quotient of whole numbers leaves 32 bits only as 2^31, which exceeds
// every result range.
bool resultsMayWrap(const OperationRange &range, Operation op)
{
    const qint64 x1 = std::min(range.C1OD, range.C1DO);
    const qint64 x2 = std::max(range.C1OD, range.C1DO);
    const qint64 y1 = std::min(range.C2OD, range.C2DO);
    const qint64 y2 = std::max(range.C2OD, range.C2DO);
    constexpr qint64 lowest = std::numeric_limits<qint32>::min();
    constexpr qint64 highest = std::numeric_limits<qint32>::max();
    constexpr qint64 wrap = qint64(1) << 32;
    qint64 low = 0;
    qint64 high = 0;
    switch (op) {
    case Operation::Plus:
        low = x1 + y1;
        high = x2 + y2;
        break;
    case Operation::Minus:
        low = x1 - y2;
        high = x2 - y1;
        break;
    case Operation::Krat: {
        const qint64 corners[] = {x1 * y1, x1 * y2, x2 * y1, x2 * y2};
        return *std::min_element(std::begin(corners), std::end(corners)) < lowest
               || *std::max_element(std::begin(corners), std::end(corners)) > highest;
    }
    case Operation::Del:
    default:
        return false;
    }
    const qint64 resultLow = range.VOD;
    const qint64 resultHigh = range.VDO;
    const auto meetsResults = [&](qint64 from, qint64 to) { return from <= to && from <= resultHigh && to >= resultLow; };
    return (high > highest && meetsResults(std::max(low, highest + 1) - wrap, high - wrap))
           || (low < lowest && meetsResults(low + wrap, std::min(high, lowest - 1) + wrap));
}

} // namespace

int RangeFieldTag(Operation op, RangeBound bound)
{
    return operationCode(op) * 10 + static_cast<qint32>(bound);
}

int RestrictionFieldTag(Operation op, bool highest)
{
    return (operationCode(op) + 4) * 10 + (highest ? 2 : 1);
}

qint32 &boundOf(OperationRange &range, RangeBound bound)
{
    switch (bound) {
    case RangeBound::C1DO:
        return range.C1DO;
    case RangeBound::C2OD:
        return range.C2OD;
    case RangeBound::C2DO:
        return range.C2DO;
    case RangeBound::VOD:
        return range.VOD;
    case RangeBound::VDO:
        return range.VDO;
    case RangeBound::C1OD:
    default:
        return range.C1OD;
    }
}

qint32 boundOf(const OperationRange &range, RangeBound bound)
{
    OperationRange copy = range;
    return boundOf(copy, bound);
}

int RangePartnerTag(int tag)
{
    return tag % 2 != 0 ? tag + 1 : tag - 1;
}

std::optional<qint32> RangePartnerValue(int tag, qint32 value, qint32 partnerValue)
{
    const bool lower = tag % 2 != 0;
    if (lower ? partnerValue < value : partnerValue > value)
        return value;
    return std::nullopt;
}

qint32 SpinLimits::clamp(qint32 value) const
{
    if (!limited())
        return value;
    return std::clamp(value, min, std::max(min, max));
}

SpinLimits ThresholdLimits(int grade)
{
    return {5 - grade, 101 - grade};
}

void CoupleThresholds(ThresholdFields &fields, int grade)
{
    // v is the value that raised the event; the neighbours are read when they are looked at,
    // because the first adjustment may ripple back
    const qint32 v = fields.threshold(grade);
    if (grade < 4 && fields.threshold(grade + 1) >= v)
        fields.setThreshold(grade + 1, wrapSub(v, 1));
    if (grade > 1 && fields.threshold(grade - 1) <= v)
        fields.setThreshold(grade - 1, wrapAdd(v, 1));
}

QStringList RestrictionItems()
{
    return {QStringLiteral("X,Y,Z"), QStringLiteral("X,Y"), QStringLiteral("X,Z"), QStringLiteral("Y,Z")};
}

int RestrictionItemNumber(const QString &text)
{
    const QStringList items = RestrictionItems();
    for (int i = 0; i < items.size(); ++i) {
        if (text.compare(items[i], Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return 0;
}

RestrictionChoice RestrictionChoiceOf(qint32 oran)
{
    if (oran <= 0)
        return {false, 1};
    return {true, oran <= 4 ? int(oran) : 1};
}

int TeachingAccessItem(qint32 access)
{
    return access == 0 || access == 1 ? int(access) : 2;
}

RozsahValues LoadRozsahValues(const QString &iniFile, const PracticeSettings &settings)
{
    RozsahValues v;
    v.ranges = settings.ranges;
    v.gradeThreshold = settings.gradeThreshold;
    v.autoEvaluateAfter = settings.autoEvaluateAfter;
    v.clearAfterAutoEvaluation = settings.clearAfterAutoEvaluation;
    v.timeLimitSeconds = settings.timeLimitSeconds;
    v.startInTeachingMode = IniReadBool(iniFile, QStringLiteral("Rezim"), QStringLiteral("startvyuka"), false);
    v.pauseOnDeactivate = settings.pauseOnDeactivate;
    v.historyAccess = settings.historyAccess;
    v.wrongResultsAccess = settings.wrongResultsAccess;
    v.resultOnly = settings.resultOnly;
    return v;
}

std::optional<Operation> FirstInadmissibleOperation(RandomSource &random, const std::array<OperationRange, 4> &ranges)
{
    for (std::size_t i = 0; i < DialogOperations.size(); ++i) {
        qint32 x = 0;
        qint32 y = 0;
        if (resultsMayWrap(ranges[i], DialogOperations[i]) || !FindOperands(random, ranges[i], DialogOperations[i], x, y))
            return DialogOperations[i];
    }
    return std::nullopt;
}

QString InadmissibleRangeMessage(Operation op)
{
    return QStringLiteral("Chybně nastavený rozsah či omezení rozsahu u %1 - oprav jej!").arg(operationWord(op));
}

NumberListReading ReadChosenList(const QString &text)
{
    NumberListReading reading = ReadNumberList(text);
    if (reading.problem == NumberListProblem::None && reading.list.isEmpty())
        reading.problem = NumberListProblem::Empty;
    return reading;
}

QString NumberListMessage(Operation op, const NumberListReading &reading)
{
    switch (reading.problem) {
    case NumberListProblem::Empty:
        return QStringLiteral("Chybí čísla omezení rozsahu u %1 - doplň je!").arg(operationWord(op));
    case NumberListProblem::TooMany:
        return QStringLiteral("V omezení rozsahu u %1 je víc než %2 čísel: „%3“ - oprav je!")
            .arg(operationWord(op))
            .arg(NumberList::MaxNumbers)
            .arg(reading.wrongText);
    case NumberListProblem::Malformed:
    case NumberListProblem::None:
    default:
        return QStringLiteral("Chybně zadaná čísla omezení rozsahu u %1: „%2“ - oprav je!")
            .arg(operationWord(op), reading.wrongText);
    }
}

IniBatch RozsahValuesBatch(const RozsahValues &values)
{
    IniBatch batch;
    for (std::size_t i = 0; i < DialogOperations.size(); ++i) {
        const QString section = operationSection(DialogOperations[i]);
        for (std::size_t b = 0; b < DialogBounds.size(); ++b)
            batch.setInteger(section, QString::fromLatin1(BoundKeys[b]), boundOf(values.ranges[i], DialogBounds[b]));
    }
    for (std::size_t i = 0; i < DialogOperations.size(); ++i)
        batch.setInteger(operationSection(DialogOperations[i]), QStringLiteral("ORAN"), values.ranges[i].ORAN);
    for (std::size_t i = 0; i < DialogOperations.size(); ++i) {
        const QString section = operationSection(DialogOperations[i]);
        batch.setInteger(section, QStringLiteral("OROD"), values.ranges[i].OROD);
        batch.setInteger(section, QStringLiteral("ORDO"), values.ranges[i].ORDO);
    }
    // a list only where there is one, so that a file without lists keeps every byte
    for (std::size_t i = 0; i < DialogOperations.size(); ++i) {
        if (!values.ranges[i].ORCISLA.isEmpty())
            batch.setString(operationSection(DialogOperations[i]), ListKey, values.ranges[i].ORCISLA.text());
    }
    const QString grading = QStringLiteral("Hodnoceni");
    for (int grade = 1; grade <= 4; ++grade)
        batch.setInteger(grading, QString::number(grade), values.gradeThreshold[std::size_t(grade - 1)]);
    batch.setInteger(grading, QStringLiteral("autopo"), values.autoEvaluateAfter);
    batch.setBool(grading, QStringLiteral("automaz"), values.clearAfterAutoEvaluation);
    batch.setInteger(QStringLiteral("CasLimit"), QStringLiteral("hodnota"), values.timeLimitSeconds);
    const QString mode = QStringLiteral("Rezim");
    batch.setBool(mode, QStringLiteral("startvyuka"), values.startInTeachingMode);
    batch.setBool(mode, QStringLiteral("deaktivace"), values.pauseOnDeactivate);
    batch.setInteger(mode, QStringLiteral("histdilvysl"), static_cast<qint32>(values.historyAccess));
    batch.setInteger(mode, QStringLiteral("chybvysl"), static_cast<qint32>(values.wrongResultsAccess));
    batch.setBool(QStringLiteral("Neznama"), QStringLiteral("pouzevysl"), values.resultOnly);
    return batch;
}

void EmptyDroppedLists(IniBatch &batch, const QString &iniFile, const std::array<OperationRange, 4> &ranges)
{
    for (std::size_t i = 0; i < DialogOperations.size(); ++i) {
        const QString section = operationSection(DialogOperations[i]);
        if (ranges[i].ORCISLA.isEmpty() && !IniReadString(iniFile, section, ListKey, {}).isEmpty())
            batch.setString(section, ListKey, QString());
    }
}

void ApplyRozsahValues(const QString &iniFile, const RozsahValues &values, PracticeSettings &settings)
{
    // the keys in the order the program has always written them, in one rewrite of the file;
    // memory takes the values only once the file has them
    IniBatch batch = RozsahValuesBatch(values);
    EmptyDroppedLists(batch, iniFile, values.ranges);
    IniWriteBatch(iniFile, batch);

    settings.ranges = values.ranges;
    settings.gradeThreshold = values.gradeThreshold;
    settings.autoEvaluateAfter = values.autoEvaluateAfter;
    settings.clearAfterAutoEvaluation = values.clearAfterAutoEvaluation;
    settings.timeLimitSeconds = values.timeLimitSeconds;
    settings.pauseOnDeactivate = values.pauseOnDeactivate;
    settings.historyAccess = values.historyAccess;
    settings.wrongResultsAccess = values.wrongResultsAccess;
    settings.resultOnly = values.resultOnly;
}
