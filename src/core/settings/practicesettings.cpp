#include "core/settings/practicesettings.h"

#include "core/settings/inifile.h"

namespace {

int rangeIndex(Operation op)
{
    const auto code = static_cast<qint32>(op);
    return isKnownOperation(code) ? code - 1 : 0;
}

constexpr Operation AllOperations[] = {Operation::Plus, Operation::Minus, Operation::Krat, Operation::Del};

} // namespace

const OperationRange &PracticeSettings::range(Operation op) const
{
    return ranges[rangeIndex(op)];
}

OperationRange &PracticeSettings::range(Operation op)
{
    return ranges[rangeIndex(op)];
}

OperationRange PracticeSettings::defaultRange(Operation op)
{
    OperationRange r;
    switch (op) {
    case Operation::Minus:
        r.C1DO = 20;
        r.C2DO = 20;
        r.VDO = 15;
        break;
    case Operation::Krat:
        r.C1DO = 5;
        r.C2DO = 10;
        r.VDO = 25;
        break;
    case Operation::Del:
        r.C1DO = 25;
        r.C2DO = 10;
        r.VDO = 8;
        break;
    case Operation::Plus:
    default:
        r.C1DO = 20;
        r.C2DO = 10;
        r.VDO = 25;
        break;
    }
    return r;
}

std::array<OperationRange, 4> PracticeSettings::defaultRanges()
{
    return {defaultRange(Operation::Plus), defaultRange(Operation::Minus), defaultRange(Operation::Krat),
            defaultRange(Operation::Del)};
}

QString operationSection(Operation op)
{
    switch (op) {
    case Operation::Minus:
        return QStringLiteral("Minus");
    case Operation::Krat:
        return QStringLiteral("Krat");
    case Operation::Del:
        return QStringLiteral("Del");
    case Operation::Plus:
    default:
        return QStringLiteral("Plus");
    }
}

void NactiRozsahZIni(const QString &iniFile, PracticeSettings &settings)
{
    // One file access per key, in the order the program has always read them.
    for (Operation op : AllOperations) {
        const QString section = operationSection(op);
        const OperationRange def = PracticeSettings::defaultRange(op);
        OperationRange &r = settings.range(op);
        r.C1OD = IniReadInteger(iniFile, section, QStringLiteral("C1OD"), def.C1OD);
        r.C1DO = IniReadInteger(iniFile, section, QStringLiteral("C1DO"), def.C1DO);
        r.C2OD = IniReadInteger(iniFile, section, QStringLiteral("C2OD"), def.C2OD);
        r.C2DO = IniReadInteger(iniFile, section, QStringLiteral("C2DO"), def.C2DO);
        r.VOD = IniReadInteger(iniFile, section, QStringLiteral("VOD"), def.VOD);
        r.VDO = IniReadInteger(iniFile, section, QStringLiteral("VDO"), def.VDO);
    }
    for (Operation op : AllOperations)
        settings.range(op).ORAN = IniReadInteger(iniFile, operationSection(op), QStringLiteral("ORAN"), 0);
    for (Operation op : AllOperations) {
        const QString section = operationSection(op);
        settings.range(op).OROD = IniReadInteger(iniFile, section, QStringLiteral("OROD"), 1);
        settings.range(op).ORDO = IniReadInteger(iniFile, section, QStringLiteral("ORDO"), 10);
    }
    // a list that does not read, like any value that does not parse, gives the default: the
    // interval, which is also what copies that know no list use
    for (Operation op : AllOperations) {
        const NumberListReading list = ReadNumberList(IniReadString(iniFile, operationSection(op), ListKey, {}));
        settings.range(op).ORCISLA = list.list;
    }

    const QString grading = QStringLiteral("Hodnoceni");
    const PracticeSettings defaults;
    for (int grade = 1; grade <= 4; ++grade) {
        settings.gradeThreshold[grade - 1] =
            IniReadInteger(iniFile, grading, QString::number(grade), defaults.gradeThreshold[grade - 1]);
    }
    settings.autoEvaluateAfter = IniReadInteger(iniFile, grading, QStringLiteral("autopo"), 15);
    settings.clearAfterAutoEvaluation = IniReadBool(iniFile, grading, QStringLiteral("automaz"), true);

    const QString modeSection = QStringLiteral("Rezim");
    settings.pauseOnDeactivate = IniReadBool(iniFile, modeSection, QStringLiteral("deaktivace"), false);
    settings.historyAccess = TeachingAccess(IniReadInteger(iniFile, modeSection, QStringLiteral("histdilvysl"), 0));
    settings.wrongResultsAccess = TeachingAccess(IniReadInteger(iniFile, modeSection, QStringLiteral("chybvysl"), 0));
}

PracticeMode StartupMode(const QString &iniFile)
{
    // "startvyuka" overrides the mode of the last exit, which is then not read at all
    const QString modeSection = QStringLiteral("Rezim");
    if (IniReadBool(iniFile, modeSection, QStringLiteral("startvyuka"), false))
        return PracticeMode::Vyuka;
    return IniReadInteger(iniFile, modeSection, QStringLiteral("typ"), 1) == 1 ? PracticeMode::Nastaveni
                                                                               : PracticeMode::Vyuka;
}

bool StoredSound(const QString &iniFile)
{
    return IniReadBool(iniFile, QStringLiteral("Zvuk"), QStringLiteral("anone"), true);
}

void NastavDleIni(const QString &iniFile, PracticeSettings &settings, OperationSwitches &switches)
{
    const QString ops = QStringLiteral("Operace");
    switches.plus = IniReadBool(iniFile, ops, QStringLiteral("Plus"), true);
    switches.minus = IniReadBool(iniFile, ops, QStringLiteral("Minus"), false);
    switches.krat = IniReadBool(iniFile, ops, QStringLiteral("Krat"), false);
    switches.deleni = IniReadBool(iniFile, ops, QStringLiteral("Deleni"), false);
    settings.timeLimitSeconds = IniReadInteger(iniFile, QStringLiteral("CasLimit"), QStringLiteral("hodnota"), 0);
    settings.resultOnly = IniReadBool(iniFile, QStringLiteral("Neznama"), QStringLiteral("pouzevysl"), true);
}

void UlozDoIni(IniBatch &batch, const PracticeRun &run, const OperationSwitches &switches)
{
    const QString ops = QStringLiteral("Operace");
    batch.setBool(ops, QStringLiteral("Plus"), switches.plus);
    batch.setBool(ops, QStringLiteral("Minus"), switches.minus);
    batch.setBool(ops, QStringLiteral("Krat"), switches.krat);
    batch.setBool(ops, QStringLiteral("Deleni"), switches.deleni);
    batch.setBool(QStringLiteral("Zvuk"), QStringLiteral("anone"), run.soundOn);
    batch.setInteger(QStringLiteral("Rezim"), QStringLiteral("typ"), static_cast<qint32>(run.mode));
}
