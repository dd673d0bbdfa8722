#include "core/practice/practicesession.h"

#include "core/practice/grading.h"
#include "core/practice/practiceview.h"
#include "core/records/daycount.h"
#include "core/records/historycsv.h"
#include "core/records/ioerror.h"
#include "core/records/pendingrecords.h"
#include "core/records/recordfiles.h"

PracticeSession::PracticeSession(const PracticeSettings &settings, const PracticeRun &run, const QString &historyPath,
                                 PracticeView &view, PendingRecords *pending)
    : m_settings(settings)
    , m_run(run)
    , m_historyPath(historyPath)
    , m_view(view)
    , m_pending(pending)
{
}

bool PracticeSession::PeriodPractised(Operation op) const
{
    const auto code = static_cast<qint32>(op);
    return isKnownOperation(code) && m_periodPractised[static_cast<std::size_t>(code - 1)];
}

qint32 &PracticeSession::partial(PartialCount which)
{
    return which == PartialCount::Ok ? m_partialCorrect : m_partialWrong;
}

void PracticeSession::ZapisOkChyba(PartialCount which)
{
    qint32 &count = partial(which);
    count = wrapAdd(count, 1);
    m_view.showPartialCount(which, count);
}

void PracticeSession::NulujOkChyba(PartialCount which)
{
    partial(which) = 0;
    m_view.showPartialCount(which, 0);
}

void PracticeSession::countTotalCorrect()
{
    m_totalCorrect = wrapAdd(m_totalCorrect, 1);
}

void PracticeSession::countTotalWrong()
{
    m_totalWrong = wrapAdd(m_totalWrong, 1);
}

void PracticeSession::AktCelkHodnoceni()
{
    // The sum is taken in 64 bits: two large counts must not wrap to a false zero.
    const qint64 total = qint64(m_totalCorrect) + qint64(m_totalWrong);
    const QString grade = total == 0
        ? QStringLiteral(" ")
        : QString::number(DejZnamku(PercentCorrect(m_totalCorrect, m_totalWrong), m_settings.gradeThreshold));
    m_view.showTotals(grade, QString::number(m_totalCorrect), QString::number(m_totalWrong));
}

void PracticeSession::DilciHodnoceni(bool forced, Operation onScreen)
{
    // Every call counts and marks, forced or not, before anything is decided.
    m_periodCount = wrapAdd(m_periodCount, 1);
    if (m_run.timeLimitSeconds > m_periodMaxTimeLimit)
        m_periodMaxTimeLimit = m_run.timeLimitSeconds;
    // An operation code outside 1..4 (from a damaged re-test file) marks nothing.
    const auto operation = static_cast<qint32>(onScreen);
    if (isKnownOperation(operation))
        m_periodPractised[static_cast<std::size_t>(operation - 1)] = true;

    // Equality, not reaching: once the count has passed the setting (the setting was lowered,
    // or a history write failed) only a forced evaluation ends the period.
    if (!forced && m_periodCount != m_settings.autoEvaluateAfter)
        return;
    if (m_partialCorrect == 0 && m_partialWrong == 0)
        return; // nothing to evaluate; the period runs on

    const bool countdownWasRunning = m_view.isRunning();
    m_view.stop();

    // The window is modal, so the counts cannot change while it is open.
    const PartialEvaluation evaluation = EvaluatePartial(m_partialCorrect, m_partialWrong, m_settings.gradeThreshold);
    m_view.showEvaluation(evaluation);

    EvaluationRecord record;
    record.DateTime = DateTimeFromLocal(m_view.localNow()); // when the window has been closed
    record.Grade = evaluation.grade;
    record.CorrectCount = evaluation.correct;
    record.WrongCount = evaluation.wrong;
    record.Practised = m_periodPractised;
    record.MaxTimeLimit = m_periodMaxTimeLimit;

    // A failure here leaves the counts and the period as they are and the countdown stopped;
    // the next exercise restarts it.
    if (m_pending) {
        // into the history file and historie.csv, at once or as soon as they can be written
        m_pending->addEvaluation(record);
    } else {
        PrependEvaluation(m_historyPath, record, HistoryCapacity);
        try {
            AppendHistoryCsv(HistoryCsvPathBeside(m_historyPath), record);
        } catch (const InOutError &error) {
            // The evaluation is in the history file: the practice goes on as after any evaluation,
            // and the failure is reported as soon as the evaluation is over.
            m_view.runLater([error] { throw error; });
        }
    }

    if (m_settings.clearAfterAutoEvaluation) {
        NulujOkChyba(PartialCount::Ok);
        NulujOkChyba(PartialCount::Chyba);
    }
    m_periodPractised = {false, false, false, false};
    m_periodMaxTimeLimit = 0;
    m_periodCount = 0;

    // RemainingSeconds is not touched, so the pupil loses no time to the evaluation.
    if (countdownWasRunning)
        m_view.start();
}

void PracticeSession::MNulovatClick()
{
    NulujOkChyba(PartialCount::Ok);
    NulujOkChyba(PartialCount::Chyba);
    m_totalCorrect = 0;
    m_totalWrong = 0;
    AktCelkHodnoceni();
}
