#include "core/practice/practicesession.h"

#include "core/practice/grading.h"
#include "core/records/daycount.h"
#include "core/records/recordfiles.h"

PracticeSession::PracticeSession(const PracticeSettings &settings, const QString &historyPath,
                                 SessionHost &host)
    : m_settings(settings)
    , m_historyPath(historyPath)
    , m_host(host)
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
    m_host.showPartialCount(which, count);
}

void PracticeSession::NulujOkChyba(PartialCount which)
{
    partial(which) = 0;
    m_host.showPartialCount(which, 0);
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
    m_host.showTotals(grade, QString::number(m_totalCorrect), QString::number(m_totalWrong));
}

void PracticeSession::DilciHodnoceni(bool forced)
{
    // Every call counts and marks, forced or not, before anything is decided.
    m_periodCount = wrapAdd(m_periodCount, 1);
    if (m_settings.timeLimitSeconds > m_periodMaxTimeLimit)
        m_periodMaxTimeLimit = m_settings.timeLimitSeconds;
    // An operation code outside 1..4 (from a damaged re-test file) marks nothing.
    const qint32 operation = m_host.operationOnScreen();
    if (isKnownOperation(operation))
        m_periodPractised[static_cast<std::size_t>(operation - 1)] = true;

    // Equality, not reaching: once the count has passed the setting (the setting was lowered,
    // or a history write failed) only a forced evaluation ends the period.
    if (!forced && m_periodCount != m_settings.autoEvaluateAfter)
        return;
    if (m_partialCorrect == 0 && m_partialWrong == 0)
        return; // nothing to evaluate; the period runs on

    const bool countdownWasRunning = m_host.isCountdownRunning();
    m_host.stopCountdown();

    // The window is modal, so the counts cannot change while it is open.
    const qint32 correct = m_partialCorrect;
    const qint32 wrong = m_partialWrong;
    const qint32 grade = m_host.showEvaluation(correct, wrong);

    EvaluationRecord record;
    record.DateTime = DateTimeFromLocal(m_host.localNow()); // when the window has been closed
    record.Grade = grade;
    record.CorrectCount = correct;
    record.WrongCount = wrong;
    record.Practised = m_periodPractised;
    record.MaxTimeLimit = m_periodMaxTimeLimit;

    // A failure here leaves the counts and the period as they are and the countdown stopped;
    // the next exercise restarts it.
    m_host.storeEvaluation(m_historyPath, record);

    if (m_settings.clearAfterAutoEvaluation) {
        NulujOkChyba(PartialCount::Ok);
        NulujOkChyba(PartialCount::Chyba);
    }
    m_periodPractised = {false, false, false, false};
    m_periodMaxTimeLimit = 0;
    m_periodCount = 0;

    // RemainingSeconds is not touched, so the pupil loses no time to the evaluation.
    if (countdownWasRunning)
        m_host.startCountdown();
}

void PracticeSession::MNulovatClick()
{
    NulujOkChyba(PartialCount::Ok);
    NulujOkChyba(PartialCount::Chyba);
    m_host.resetExerciseCounter();
    m_totalCorrect = 0;
    m_totalWrong = 0;
    AktCelkHodnoceni();
}

void SessionHost::storeEvaluation(const QString &historyPath, const EvaluationRecord &record)
{
    PrependEvaluation(historyPath, record, HistoryCapacity);
}
