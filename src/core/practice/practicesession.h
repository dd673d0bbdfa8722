#pragma once

#include "core/records/recordfiles.h"
#include "core/settings/practicesettings.h"

#include <QDateTime>
#include <QString>

#include <array>

// The two partial counts, shown in the main window's fields EOK and EChyba.
enum class PartialCount { Ok, Chyba };

// What the session needs from the main window: what is on screen, the countdown timer, the
// evaluation window, the clock and the displays. The main window implements it; a test fakes it.
class SessionHost
{
public:
    virtual ~SessionHost() = default;

    // The Tag of EOperace: the operation of the exercise on screen. A damaged re-test file can
    // bring a code outside 1..4.
    virtual qint32 operationOnScreen() const = 0;

    // The countdown timer TCasLimit itself, not its pause state.
    virtual bool isCountdownRunning() const = 0;
    virtual void stopCountdown() = 0;
    virtual void startCountdown() = 0;

    // Shows the partial evaluation window modally for the two counts (their sum is positive)
    // and returns the grade it gave once the pupil has closed it.
    virtual qint32 showEvaluation(qint32 correct, qint32 wrong) = 0;

    virtual QDateTime localNow() const = 0;

    // Stores the evaluation: by default put first in the history file at once, where a failure
    // throws InOutError.
    virtual void storeEvaluation(const QString &historyPath, const EvaluationRecord &record);

    // The field EOK or EChyba shows value as decimal text.
    virtual void showPartialCount(PartialCount which, qint32 value) = 0;
    // Status panels 1 to 3: the overall grade, the right total, the wrong total.
    virtual void showTotals(const QString &grade, const QString &correct, const QString &wrong) = 0;

    // The generator's exercise counter := 0.
    virtual void resetExerciseCounter() = 0;
};

// The counts of one practice run and the partial evaluation. Every counter is a 32-bit count
// that wraps instead of overflowing. Nothing here outlives the main window except the history
// records that DilciHodnoceni writes.
class PracticeSession
{
public:
    // settings is read at every step, so changes made in the settings dialog apply at once; it
    // and the host must outlive the session.
    // The host is not called until the first operation, so the main window may construct the
    // session before it is fully built.
    PracticeSession(const PracticeSettings &settings, const QString &historyPath, SessionHost &host);

    qint32 PartialCorrect() const { return m_partialCorrect; }
    qint32 PartialWrong() const { return m_partialWrong; }
    qint32 TotalCorrect() const { return m_totalCorrect; }
    qint32 TotalWrong() const { return m_totalWrong; }
    qint32 PeriodCount() const { return m_periodCount; }
    // Indexed by Operation - 1, as EvaluationRecord::Practised.
    const std::array<bool, 4> &PeriodPractised() const { return m_periodPractised; }
    bool PeriodPractised(Operation op) const;
    qint32 PeriodMaxTimeLimit() const { return m_periodMaxTimeLimit; }

    // One more in the chosen partial count, and its field shows it.
    void ZapisOkChyba(PartialCount which);
    // The chosen partial count := 0, and its field shows "0".
    void NulujOkChyba(PartialCount which);
    // One more right or wrong answer in the totals; the caller brings the status bar up to date.
    void countTotalCorrect();
    void countTotalWrong();

    // Status panels 1 to 3: the overall grade (" " before any answer) and the two totals.
    void AktCelkHodnoceni();

    // The partial evaluation step, run after every outcome (forced false) and at the start and
    // end of a re-test (forced true). Throws InOutError when the history cannot be written;
    // the partial counts and the period then stay as they were and the countdown stays stopped.
    void DilciHodnoceni(bool forced);

    // The menu command that resets the counts; the evaluation period runs on.
    void MNulovatClick();

private:
    qint32 &partial(PartialCount which);

    const PracticeSettings &m_settings;
    QString m_historyPath;
    SessionHost &m_host;

    qint32 m_partialCorrect = 0;
    qint32 m_partialWrong = 0;
    qint32 m_totalCorrect = 0;
    qint32 m_totalWrong = 0;
    qint32 m_periodCount = 0;
    std::array<bool, 4> m_periodPractised = {false, false, false, false};
    qint32 m_periodMaxTimeLimit = 0;
};
