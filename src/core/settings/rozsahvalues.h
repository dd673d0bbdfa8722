#pragma once

// The window-free side of the settings dialog: the Tags by which its number fields find their
// partners, the coupling rules, the values it edits with the order in which it loads and saves
// them, and the check that every operation still admits an exercise.

#include "core/generator/randomsource.h"
#include "core/settings/inifile.h"
#include "core/settings/practicesettings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <limits>
#include <optional>

// The six bounds of an operation's range, numbered as the units digit of their fields' Tags.
enum class RangeBound : qint32 { C1OD = 1, C1DO = 2, C2OD = 3, C2DO = 4, VOD = 5, VDO = 6 };

inline constexpr std::array<Operation, 4> DialogOperations = {Operation::Plus, Operation::Minus, Operation::Krat,
                                                              Operation::Del};
inline constexpr std::array<RangeBound, 6> DialogBounds = {RangeBound::C1OD, RangeBound::C1DO, RangeBound::C2OD,
                                                           RangeBound::C2DO, RangeBound::VOD,  RangeBound::VDO};

// Tags: 11..46 on the ranges page (tens the operation, units the bound), 51..82 on the
// restriction page (tens 5..8 for the operations, units 1 lowest and 2 highest), 100..103 the
// thresholds of grades 1..4.
inline constexpr int FirstThresholdTag = 100;
int RangeFieldTag(Operation op, RangeBound bound);
int RestrictionFieldTag(Operation op, bool highest);

qint32 &boundOf(OperationRange &range, RangeBound bound);
qint32 boundOf(const OperationRange &range, RangeBound bound);

// A lower bound (odd units digit) pairs with the Tag one above it, an upper bound with the one
// below.
int RangePartnerTag(int tag);
// What the partner of a changed range field must become so that the pair stays in order;
// nothing when it already is.
std::optional<qint32> RangePartnerValue(int tag, qint32 value, qint32 partnerValue);

// Limits of a number field. Both 0 means no limit; otherwise a value the program sets or the
// user leaves behind is replaced by the nearest limit.
struct SpinLimits
{
    qint32 min = 0;
    qint32 max = 0;

    bool limited() const { return min != 0 || max != 0; }
    qint32 clamp(qint32 value) const;
};

// 4..100, 3..99, 2..98 and 1..97 for grades 1..4: room for four strictly falling thresholds.
SpinLimits ThresholdLimits(int grade);
inline constexpr SpinLimits TimeLimitLimits{0, 3600};
inline constexpr SpinLimits AutoEvaluateLimits{3, std::numeric_limits<qint32>::max()};

// The four threshold fields as the coupling sees them: grades 1..4. setThreshold goes through the
// field's limits and, when the value changes, raises its change event, which runs
// CoupleThresholds for that grade again.
class ThresholdFields
{
public:
    virtual ~ThresholdFields() = default;
    virtual qint32 threshold(int grade) const = 0;
    virtual void setThreshold(int grade, qint32 value) = 0;
};

// The change event of a threshold: the next worse grade is set below it when it is not, then
// the next better grade above it when it is not. Through the neighbours' own change events the
// adjustment ripples until the thresholds strictly fall from grade 1 to grade 4.
void CoupleThresholds(ThresholdFields &fields, int grade);

// The restriction choice of the dialog's combo boxes: the items and the 1-based number of the
// one a typed text names, compared without regard to letter case (0: none).
QStringList RestrictionItems();
int RestrictionItemNumber(const QString &text);

// How a stored ORAN shows in the dialog: ticked for a restriction the generator applies (any
// positive code), with the item it stands for (codes above 4 act as "X,Y,Z").
struct RestrictionChoice
{
    bool ticked = false;
    int choice = 1;
};
RestrictionChoice RestrictionChoiceOf(qint32 oran);

// The radio item that shows a TeachingAccess code: 0 and 1 as they are, every other code as 2,
// which is what it means (the window is permitted and pauses the time limit).
int TeachingAccessItem(qint32 access);

// Everything the settings dialog edits. ranges[..].ORAN is the restriction selector (0 when the
// row's box is not ticked).
struct RozsahValues
{
    std::array<OperationRange, 4> ranges = PracticeSettings::defaultRanges();
    std::array<qint32, 4> gradeThreshold = {95, 85, 75, 50};
    qint32 autoEvaluateAfter = 15;
    bool clearAfterAutoEvaluation = true;
    qint32 timeLimitSeconds = 0;
    bool startInTeachingMode = false; // "Rezim" "startvyuka", kept only in the file
    bool pauseOnDeactivate = false;
    TeachingAccess historyAccess = TeachingAccess::NotPermitted;
    TeachingAccess wrongResultsAccess = TeachingAccess::NotPermitted;
    bool resultOnly = true;

    friend bool operator==(const RozsahValues &, const RozsahValues &) = default;
};

// What the dialog hands over on OK: its values, and which of them the teacher touched.
struct SettingsEdit
{
    RozsahValues values;
    bool rangesTouched = false;    // some range or restriction field, even if changed back
    bool timeLimitTouched = false; // the time limit field
};

// What the dialog loads: the teacher's settings, with "startvyuka" read from the file now.
RozsahValues LoadRozsahValues(const QString &iniFile, const PracticeSettings &settings);

// The first operation (addition, subtraction, multiplication, division) whose range and
// restriction admit no exercise by the generator's own search, or admit one whose result
// would wrap around 32 bits (2000000000 + 1000000000 posed as = -1294967296); nothing when
// all four are sound.
std::optional<Operation> FirstInadmissibleOperation(RandomSource &random, const std::array<OperationRange, 4> &ranges);
// "Chybně nastavený rozsah či omezení rozsahu u … - oprav jej!"
QString InadmissibleRangeMessage(Operation op);

// The list of a row where the list is chosen. An empty field is a problem there, because an
// empty list means the interval.
NumberListReading ReadChosenList(const QString &text);
// The message for a list that cannot be saved, naming the operation and the wrong text.
QString NumberListMessage(Operation op, const NumberListReading &reading);

// The keys the settings dialog writes, with the values, in the order the program has always
// written them.
IniBatch RozsahValuesBatch(const RozsahValues &values);
// Adds an empty list for each operation that has none where the file still holds one, so that
// the interval is in force again there.
void EmptyDroppedLists(IniBatch &batch, const QString &iniFile, const std::array<OperationRange, 4> &ranges);

// Writes the values to the file in one rewrite, the keys in the order the program has always
// written them, and then applies them to the settings. Throws IniWriteError when the write fails;
// the settings are then as they were.
void ApplyRozsahValues(const QString &iniFile, const RozsahValues &values, PracticeSettings &settings);
