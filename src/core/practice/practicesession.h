#pragma once

#include "core/records/recordfiles.h"
#include "core/settings/practicesettings.h"

#include <QDateTime>
#include <QString>

#include <array>

class PendingRecords;
class PracticeView;

// The two partial counts, shown in the main window's fields EOK and EChyba.
enum class PartialCount { Ok, Chyba };

// The counts of one practice run and the partial evaluation. Every counter is a 32-bit count
// that wraps instead of overflowing. Nothing here outlives the main window except the history
// records that DilciHodnoceni writes.
class PracticeSession
{
public:
    // settings and run are the flow's and are read at every step, so changes made in the
    // settings dialog apply at once; they and the view must outlive the session. The view is not
    // called until the first operation, so the main window may construct the session before it
    // is fully built.
    // With pending, an evaluation is stored through it and never fails here.
    PracticeSession(const PracticeSettings &settings, const PracticeRun &run, const QString &historyPath,
                    PracticeView &view, PendingRecords *pending = nullptr);

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
    // end of a re-test (forced true); onScreen is the operation of the exercise on screen, which
    // a damaged re-test file can bring outside the four. Throws InOutError when the history
    // cannot be written; the partial counts and the period then stay as they were and the
    // countdown stays stopped. A failure to add the evaluation to historie.csv is reported
    // once the evaluation is over.
    void DilciHodnoceni(bool forced, Operation onScreen);

    // The menu command that resets the counts; the evaluation period runs on.
    void MNulovatClick();

private:
    qint32 &partial(PartialCount which);

    const PracticeSettings &m_settings;
    const PracticeRun &m_run;
    QString m_historyPath;
    PracticeView &m_view;
    PendingRecords *m_pending;

    qint32 m_partialCorrect = 0;
    qint32 m_partialWrong = 0;
    qint32 m_totalCorrect = 0;
    qint32 m_totalWrong = 0;
    qint32 m_periodCount = 0;
    std::array<bool, 4> m_periodPractised = {false, false, false, false};
    qint32 m_periodMaxTimeLimit = 0;
};
