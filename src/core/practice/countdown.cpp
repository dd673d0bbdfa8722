#include "core/practice/countdown.h"

#include <algorithm>

CountdownRules::CountdownRules(const PracticeRun &run, CountdownTimer &timer)
    : m_run(run)
    , m_timer(timer)
{
}

qint32 CountdownRules::limit() const
{
    return std::max<qint32>(m_run.timeLimitSeconds, 0);
}

void CountdownRules::setCaption(qint32 seconds)
{
    m_gauge.caption = QString::number(seconds) + QLatin1Char('s');
}

void CountdownRules::NulujNastavInfoCasLimit()
{
    m_remainingSeconds = limit();
    m_gauge.progress = 0;
    m_gauge.maximum = limit();
    setCaption(m_remainingSeconds);
    if (m_remainingSeconds < 1) {
        m_gauge.visible = false;
        m_timer.stop();
    } else {
        m_gauge.visible = true;
        m_timer.start();
    }
}

bool CountdownRules::TCasLimitTimer()
{
    // Only an endless run of resumed, run-out countdowns could get here, but the count must
    // still wrap rather than overflow.
    m_remainingSeconds = static_cast<qint32>(static_cast<quint32>(m_remainingSeconds) - 1U);

    // The bar ignores a progress above its maximum and keeps the one it has, so at -1s it stays
    // full. Computed wide: with a huge limit from an edited file the difference leaves 32 bits.
    const qint64 progress = qint64(limit()) - qint64(m_remainingSeconds);
    if (progress <= m_gauge.maximum)
        m_gauge.progress = static_cast<qint32>(progress);
    setCaption(m_remainingSeconds);

    if (m_remainingSeconds >= 0)
        return false;
    m_timer.stop();
    // Below -1 only a countdown that had already run out and was then resumed: nothing to
    // judge a second time.
    if (m_remainingSeconds < -1) {
        m_gauge.caption.clear();
        return false;
    }
    return true;
}

void CountdownRules::PauseCasLimit(bool pause, bool teachingMode)
{
    if (pause) {
        if (m_timer.isRunning()) {
            m_timer.stop();
            m_timerPaused = true;
        }
        return;
    }
    if (m_timerPaused && teachingMode) {
        // The exercise on screen may have been posed with no limit since the pause (a stored
        // exercise of a re-test): there is nothing to resume, and a timer started now would
        // run its zero seconds out at the next tick.
        if (m_gauge.maximum >= 1)
            m_timer.start();
        m_timerPaused = false;
    }
}
