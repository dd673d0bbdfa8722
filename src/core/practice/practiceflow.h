#pragma once

#include "core/generator/generator.h"
#include "core/practice/countdown.h"
#include "core/practice/practicesession.h"
#include "core/practice/practiceview.h"
#include "core/records/pendingrecords.h"
#include "core/records/recordfiles.h"
#include "core/settings/practicesettings.h"
#include "core/settings/rozsahvalues.h"
#include "core/settings/settingsowner.h"

#include <QString>

#include <memory>

// The files of the data folder the practice reads and writes, built once by the main window.
struct PracticeFiles
{
    QString iniFile;
    QString retestFile;       // chyba.nmk: each missed exercise once, until a re-test clears it
    QString wrongResultsFile; // chybavysl.nmk: every miss since the last re-test
    QString historyFile;      // hdv.ndv: the partial evaluations
};

// The practice of the main window without the window: the exercise on screen, the verdict on
// an answer, the counts, the records of misses, the countdown and the re-test. It owns the
// teacher's settings as loaded and the state of the run. The window forwards keys, ticks and
// menu commands here and shows what the view is told.
class PracticeFlow : public SettingsOwner
{
public:
    // The generator is the window's and must outlive the flow, as must the view. The view is
    // not called before the first operation.
    PracticeFlow(ExerciseGenerator &generator, const PracticeFiles &files, PracticeView &view);
    ~PracticeFlow() override;
    PracticeFlow(const PracticeFlow &) = delete;
    PracticeFlow &operator=(const PracticeFlow &) = delete;

    const PracticeSettings &settings() const { return m_settings; }
    const PracticeRun &run() const { return m_run; }
    const PracticeSession &session() const { return *m_session; }
    const CountdownRules &countdown() const { return *m_countdown; }
    const PracticeFiles &files() const { return m_files; }
    const Exercise &exerciseOnScreen() const { return m_exercise; }
    // The slot the last draw chose; a failed draw leaves the exercise but changes the slot.
    UnknownSlot recordedSlot() const { return m_recordedSlot; }
    bool FreshExercise() const { return m_freshExercise; }
    bool RetestActive() const { return m_retestActive; }
    qint32 RetestIndex() const { return m_retestIndex; }
    // Tests stand in for a running re-test with this.
    void setRetestActiveForTesting(bool active) { m_retestActive = active; }

    // The first showing of the window: the settings loaded, the countdown set up, the source
    // seeded, the first exercise posed and the stored mode entered.
    void startPractice();

    // Poses the next generated exercise; "Chyba v programu" when none can be found.
    void DalsiPriklad();
    // Puts an exercise on screen as fresh.
    void showExercise(const Exercise &exercise);

    // Enter in the hidden number's field with the text typed there.
    void answer(const QString &typed);
    // One tick of TCasLimit. A tick that comes while an answer is being judged waits until the
    // verdict is in, so that one exercise is never both answered and timed out.
    void TCasLimitTimer();

    // Restarts the countdown for the exercise on screen.
    void NulujNastavInfoCasLimit();
    // Pauses (true) or resumes (false) the countdown while a dialog is open.
    void PauseCasLimit(bool pause);
    // The program stops or starts being the active application.
    void ApplicationEvents1Deactivate();
    void ApplicationEvents1Activate();

    // Enters a mode.
    void NastavRezim(PracticeMode mode);
    // The sound switch MMSound.
    void setSound(bool on);

    // The settings dialog's OK: the values go to the settings file in one write and, once they
    // are there, into the settings. Outside a re-test the time limit is in force from the next
    // exercise on; a re-test keeps each stored exercise's own. A change of the ranges (outside
    // a re-test) or of the time limit asks for a fresh exercise at the next switch to the
    // teaching mode. Throws IniWriteError when the file cannot be written; nothing changes then.
    void applySettings(const SettingsEdit &edit) override;
    // The teacher's settings as the dialog loads them.
    RozsahValues values() const override;

    // "přezkoušet": starts a re-test of the re-test file, or tells that there is nothing.
    void startRetest();
    // The next stored exercise of the re-test, or its end.
    void DalsiPrikladPrz();

    // The window closes: misses not written yet go into the pending file, or InOutError is thrown.
    void saveUnwrittenRecords();
    const PendingRecords &pendingRecords() const { return *m_pending; }

    // "nulovat počty"
    void MNulovatClick();
    // Whether the history file holds any evaluation.
    bool hasHistory() const;

private:
    void tick();
    void timeOut();
    void rightAnswer(UnknownSlot slot);
    void wrongAnswer(UnknownSlot slot, qint32 a, qint32 b, qint32 shown);
    void recordMiss(const WrongResultRecord &record);
    void replayDeferredTicks(quint64 exerciseSerial);
    void retestAnsweredRight();
    void retestTimedOut();
    void endRetest();
    void evaluate(bool forced);

    // A removal from the re-test file is done, now or later: the re-test's place moves with it.
    // position -1: the record stays (the file is too large to be rewritten).
    void retestRecordRemoved(qint32 position);

    PracticeSettings m_settings;
    PracticeRun m_run;
    ExerciseGenerator &m_generator;
    PracticeFiles m_files;
    PracticeView &m_view;
    std::unique_ptr<PendingRecords> m_pending; // before the session, which stores through it
    std::unique_ptr<PracticeSession> m_session;
    std::unique_ptr<CountdownRules> m_countdown;

    // The exercise on screen, its numbers as the fields hold them (a field emptied by a
    // time-out reads as 0); the hidden one is whatever the pupil types.
    Exercise m_exercise;
    UnknownSlot m_recordedSlot = UnknownSlot::Result;
    bool m_freshExercise = false;
    quint64 m_exerciseSerial = 0; // grows with every exercise put on screen
    bool m_answerInProgress = false;
    int m_deferredTicks = 0;

    bool m_retestActive = false;
    qint32 m_retestIndex = 0; // 1-based position in the re-test file of the exercise on screen
    quint64 m_retestSerial = 0; // the exercise the re-test put on screen
    WrongResultRecord m_retestRecord; // and the record it was read from
    bool m_removalOnHand = false; // the answered record's removal is not done yet
    qint32 m_removalsWaiting = 0; // this run's removals from the re-test file not done yet
    // the settings dialog changed the ranges or the time limit: the next switch to the
    // teaching mode poses a fresh exercise (not during a re-test, which keeps the flag)
    bool m_newExercisePending = false;
    // between ApplicationEvents1Deactivate and ApplicationEvents1Activate
    bool m_applicationInactive = false;
};
