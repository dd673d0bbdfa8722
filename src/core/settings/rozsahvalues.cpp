#include "core/settings/rozsahvalues.h"

#include "core/generator/generator.h"
#include "core/settings/inifile.h"

#include <algorithm>

namespace {

constexpr qint32 operationCode(Operation op)
{
    return static_cast<qint32>(op);
}

const char *const BoundKeys[] = {"C1OD", "C1DO", "C2OD", "C2DO", "VOD", "VDO"};

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

RozsahValues LoadRozsahValues(const QString &iniFile, const PracticeSettings &settings, bool retestActive)
{
    RozsahValues v;
    v.ranges = settings.ranges;
    v.gradeThreshold = settings.gradeThreshold;
    v.autoEvaluateAfter = settings.autoEvaluateAfter;
    v.clearAfterAutoEvaluation = settings.clearAfterAutoEvaluation;
    v.timeLimitSeconds = retestActive
                             ? IniReadInteger(iniFile, QStringLiteral("CasLimit"), QStringLiteral("hodnota"), 0)
                             : settings.timeLimitSeconds;
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
        if (!FindOperands(random, ranges[i], DialogOperations[i], x, y))
            return DialogOperations[i];
    }
    return std::nullopt;
}

QString InadmissibleRangeMessage(Operation op)
{
    QString word;
    switch (op) {
    case Operation::Minus:
        word = QStringLiteral("odčítání");
        break;
    case Operation::Krat:
        word = QStringLiteral("násobení");
        break;
    case Operation::Del:
        word = QStringLiteral("dělení");
        break;
    case Operation::Plus:
    default:
        word = QStringLiteral("sčítání");
        break;
    }
    return QStringLiteral("Chybně nastavený rozsah či omezení rozsahu u %1 - oprav jej!").arg(word);
}

void ApplyRozsahValues(const QString &iniFile, const RozsahValues &values, PracticeSettings &settings,
                       bool keepTimeLimit)
{
    // the keys in the order the program has always written them, in one rewrite of the file;
    // memory takes the values only once the file has them
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
    const QString grading = QStringLiteral("Hodnoceni");
    for (int grade = 1; grade <= 4; ++grade)
        batch.setInteger(grading, QString::number(grade), values.gradeThreshold[std::size_t(grade - 1)]);
    batch.setInteger(grading, QStringLiteral("autopo"), values.autoEvaluateAfter);
    batch.setBool(grading, QStringLiteral("automaz"), values.clearAfterAutoEvaluation);
    batch.setInteger(QStringLiteral("CasLimit"), QStringLiteral("hodnota"), values.timeLimitSeconds);
    const QString mode = QStringLiteral("Rezim");
    batch.setBool(mode, QStringLiteral("startvyuka"), values.startInTeachingMode);
    batch.setBool(mode, QStringLiteral("deaktivace"), values.pauseOnDeactivate);
    batch.setInteger(mode, QStringLiteral("histdilvysl"), values.historyAccess);
    batch.setInteger(mode, QStringLiteral("chybvysl"), values.wrongResultsAccess);
    batch.setBool(QStringLiteral("Neznama"), QStringLiteral("pouzevysl"), values.resultOnly);
    IniWriteBatch(iniFile, batch);

    settings.ranges = values.ranges;
    settings.gradeThreshold = values.gradeThreshold;
    settings.autoEvaluateAfter = values.autoEvaluateAfter;
    settings.clearAfterAutoEvaluation = values.clearAfterAutoEvaluation;
    // during a re-test the limit in memory belongs to the re-tested exercise until it ends
    if (!keepTimeLimit)
        settings.timeLimitSeconds = values.timeLimitSeconds;
    settings.pauseOnDeactivate = values.pauseOnDeactivate;
    settings.historyAccess = values.historyAccess;
    settings.wrongResultsAccess = values.wrongResultsAccess;
    settings.resultOnly = values.resultOnly;
}
