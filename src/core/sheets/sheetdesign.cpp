#include "core/sheets/sheetdesign.h"

#include "core/generator/exercise.h"
#include "core/settings/inifile.h"

#include <utility>

SheetDesign SheetDesign::forColumns(int columns)
{
    // the one-column title sits centred on the page, the wider sheets keep theirs a little right
    switch (columns) {
    case 2:
        return {2, 60, 10.0, 84.93, {56.89, 2.65}};
    case 3:
        return {3, 90, 5.0, 56.62, {56.89, 2.65}};
    default:
        return {1, 30, 0.0, 180.18, {53.18, 0.53}};
    }
}

namespace {

const QString PaperSection = QStringLiteral("Papir");
const QString NameKey = QStringLiteral("jmeno");
const QString KeyKey = QStringLiteral("vysledky");

} // namespace

SheetOptions ReadSheetOptions(const QString &iniFile)
{
    return {IniReadBool(iniFile, PaperSection, NameKey, false), IniReadBool(iniFile, PaperSection, KeyKey, false)};
}

void WriteSheetOptions(const QString &iniFile, const SheetOptions &options)
{
    IniBatch batch;
    batch.setBool(PaperSection, NameKey, options.nameLine);
    batch.setBool(PaperSection, KeyKey, options.answerKey);
    IniWriteBatch(iniFile, batch);
}

QString sheet::NameLabel()
{
    return QStringLiteral("Jméno:");
}

QString sheet::DateLabel()
{
    return QStringLiteral("Datum:");
}

QPointF SheetDesign::lineOrigin(int index) const
{
    const int column = index / sheet::LinesPerColumn;
    const int row = index % sheet::LinesPerColumn;
    return {sheet::MarginLeft + column * (detailWidth + columnSpacing) + sheet::DetailLabel.x(),
            detailTop() + row * detailHeight() + sheet::DetailLabel.y()};
}

SheetRecords::SheetRecords(qint32 exercises, LineSource nextLine)
    : m_exercises(exercises)
    , m_nextLine(std::move(nextLine))
{
}

void SheetRecords::QuickRepBeforePrint()
{
    m_counter = m_exercises;
}

bool SheetRecords::QuickRepNeedData(std::optional<Exercise> &line)
{
    const bool more = m_counter >= 1;
    if (more)
        line = m_nextLine();
    m_counter = wrapSub(m_counter, 1);
    return more;
}

SheetExercises SheetRecords::layoutPass(int capacity, int &failures)
{
    failures = 0;
    SheetExercises lines;
    QuickRepBeforePrint();
    std::optional<Exercise> line;
    while (lines.size() < capacity && QuickRepNeedData(line)) {
        if (!line)
            ++failures;
        lines.append(line);
    }
    return lines;
}
