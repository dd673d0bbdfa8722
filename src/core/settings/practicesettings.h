#pragma once

#include "core/generator/exercise.h"

#include <QString>

#include <array>

enum class PracticeMode : qint32 { Nastaveni = 1, Vyuka = 2 };
enum class TeachingAccess : qint32 { NotPermitted = 0, PermittedRunning = 1, PermittedPaused = 2 };

// The settings the main window holds in memory for the whole run. Values read from the file are
// kept as read (no range checks), so the integer-valued fields stay plain integers.
struct PracticeSettings
{
    std::array<OperationRange, 4> ranges = defaultRanges();
    std::array<qint32, 4> gradeThreshold = {95, 85, 75, 50}; // [0] is grade 1 … [3] grade 4
    qint32 autoEvaluateAfter = 15;
    bool clearAfterAutoEvaluation = true;
    qint32 timeLimitSeconds = 0;
    bool pauseOnDeactivate = false;
    qint32 historyAccess = 0;      // TeachingAccess code
    qint32 wrongResultsAccess = 0; // TeachingAccess code
    bool resultOnly = true;
    bool soundOn = true;
    qint32 mode = 1; // 1 settings mode; any other value is the teaching mode
    qint32 zoomPercent = 100;

    // The range of an operation; an unknown code gives the addition range.
    const OperationRange &range(Operation op) const;
    OperationRange &range(Operation op);

    static std::array<OperationRange, 4> defaultRanges();
    static OperationRange defaultRange(Operation op);

    friend bool operator==(const PracticeSettings &, const PracticeSettings &) = default;
};

// Ini section names of the operations, in Operation order.
QString operationSection(Operation op);
// The key of an operation's restriction list (NumberList::text) in its section.
inline constexpr QLatin1String ListKey("ORCISLA");

// Start-up load: the ranges, grading, mode and access keys, in the file order the program
// has always used.
void NactiRozsahZIni(const QString &iniFile, PracticeSettings &settings);
// The operation switches, time limit, sound and result-only keys.
void NastavDleIni(const QString &iniFile, PracticeSettings &settings, OperationSwitches &switches);
class IniBatch;
// At exit: the switches, sound and mode, added to the batch that saves them.
void UlozDoIni(IniBatch &batch, const PracticeSettings &settings, const OperationSwitches &switches);
