#pragma once

#include "core/generator/exercise.h"
#include "core/practice/countdown.h"
#include "core/practice/grading.h"
#include "core/practice/teachingaccess.h"
#include "core/practice/practicesession.h"

#include <QDateTime>
#include <QString>

#include <functional>

// The kinds of answer feedback, each with its picture and sound.
enum class FeedbackKind { Correct = 0, Wrong = 1, TooSlow = 2 };

// The two kinds of message the practice shows: input errors and generation failures warn, the
// re-test's messages inform.
enum class NoticeKind { Warning, Information };

// What the practice (the flow and its session) needs from the main window: its widgets, its
// timer TCasLimit, its pictures and sounds and its modal windows. TFZaklad implements it; a test
// fakes it. The practice
// decides, the view only shows what it is told. As a CountdownTimer it is the timer TCasLimit.
class PracticeView : public CountdownTimer
{
public:
    virtual ~PracticeView() = default;

    // The operation switches ChBPlus .. ChBDeleni as they stand.
    virtual OperationSwitches operationSwitches() const = 0;
    // Shows the switches and the sound switch (MMSound) the practice has set.
    virtual void showSwitchesAndSound(const OperationSwitches &switches, bool soundOn) = 0;

    // Puts an exercise on screen: the shown numbers, the sign, the hidden number's field empty,
    // editable and focused.
    virtual void showExercise(const Exercise &exercise) = 0;
    // What the pupil has typed into the hidden number's field so far.
    virtual QString typedAnswer() const = 0;
    // Empties the number field of a slot (1 ECislo1, 2 ECislo2, otherwise EVysledek).
    virtual void clearNumberField(UnknownSlot slot) = 0;
    // Gives the focus back to the hidden number's field.
    virtual void focusAnswerField() = 0;

    // Plays the kind's sound and shows its picture over the slot's field for the feedback
    // pause. Pending events run meanwhile, a countdown tick among them.
    virtual void ZvyrazniVysledek(FeedbackKind kind, UnknownSlot slot) = 0;
    // The shared message box, modal, with one OK button.
    virtual void showMessage(const QString &text, NoticeKind kind) = 0;

    // The bar GCasLim.
    virtual void showGauge(const CountdownGauge &gauge) = 0;

    // Shows the partial evaluation window modally until the pupil closes it.
    virtual void showEvaluation(const PartialEvaluation &evaluation) = 0;
    virtual QDateTime localNow() const = 0;
    // The field EOK or EChyba, and status panels 1 to 3.
    virtual void showPartialCount(PartialCount which, qint32 value) = 0;
    virtual void showTotals(const QString &grade, const QString &correct, const QString &wrong) = 0;

    // Enables what the mode in force opens to the pupil and disables the rest.
    virtual void DEMenuRezim(const MenuAccess &access) = 0;

    // Runs the task once the events pending now have been handled.
    virtual void runLater(std::function<void()> task) = 0;
};
