#pragma once

#include "core/generator/exercise.h"

#include <QString>

#include <array>

enum class PracticeMode : qint32 { Nastaveni = 1, Vyuka = 2 };
enum class TeachingAccess : qint32 { NotPermitted = 0, PermittedRunning = 1, PermittedPaused = 2 };

// The teacher's configuration: what the settings file holds and the settings dialog edits. The
// practice flow owns it. Values read from the file are kept as read (no range checks), so the
// integer-valued fields stay plain integers.
struct PracticeSettings
{
    std::array<OperationRange, 4> ranges = defaultRanges();
    std::array<qint32, 4> gradeThreshold = {95, 85, 75, 50}; // [0] is grade 1 … [3] grade 4
    qint32 autoEvaluateAfter = 15;
    bool clearAfterAutoEvaluation = true;
    qint32 timeLimitSeconds = 0;
    bool pauseOnDeactivate = false;
    // a code from the file beyond the three is kept as read, and permits like 2
    TeachingAccess historyAccess = TeachingAccess::NotPermitted;
    TeachingAccess wrongResultsAccess = TeachingAccess::NotPermitted;
    bool resultOnly = true;

    // The range of an operation; an unknown code gives the addition range.
    const OperationRange &range(Operation op) const;
    OperationRange &range(Operation op);

    static std::array<OperationRange, 4> defaultRanges();
    static OperationRange defaultRange(Operation op);

    friend bool operator==(const PracticeSettings &, const PracticeSettings &) = default;
};

// The state of one run of the practice, which the practice flow owns beside the configuration:
// the mode and the sound in force, and the time limit in force, which is the teacher's or, during
// a re-test, the re-tested exercise's own.
struct PracticeRun
{
    PracticeMode mode = PracticeMode::Nastaveni;
    bool soundOn = true;
    qint32 timeLimitSeconds = 0;
};

// Ini section names of the operations, in Operation order.
QString operationSection(Operation op);
// The key of an operation's restriction list (NumberList::text) in its section.
inline constexpr QLatin1String ListKey("ORCISLA");

// Start-up load: the ranges, grading and access keys, in the file order the program has always
// used.
void NactiRozsahZIni(const QString &iniFile, PracticeSettings &settings);
// The mode to start in: the teaching mode when "startvyuka" asks for it, otherwise the mode of
// the last exit, where any code but 1 is the teaching mode.
PracticeMode StartupMode(const QString &iniFile);
// The operation switches, time limit and result-only keys.
void NastavDleIni(const QString &iniFile, PracticeSettings &settings, OperationSwitches &switches);
// The sound as the last exit left it.
bool StoredSound(const QString &iniFile);
class IniBatch;
// At exit: the switches, sound and mode, added to the batch that saves them.
void UlozDoIni(IniBatch &batch, const PracticeRun &run, const OperationSwitches &switches);
