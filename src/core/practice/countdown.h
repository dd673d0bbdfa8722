#pragma once

#include "core/settings/practicesettings.h"

#include <QString>

// The one-second timer TCasLimit as the countdown sees it. The main window implements it with a
// QTimer of 1000 ms; a test fakes it.
//
// start() of a running timer must change nothing, so that its rhythm goes on; start() of a
// stopped one begins a fresh 1000 ms interval; stop() discards the interval in progress. Note
// that QTimer::start() restarts a running timer, so the window writes
//     if (!timer.isActive()) timer.start();
class CountdownTimer
{
public:
    virtual ~CountdownTimer() = default;

    virtual bool isRunning() const = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
};

// What the bar GCasLim shows; the window applies it to the bar (CasGauge::apply) after every
// operation. progress is the one the bar keeps: like the bar, the rules ignore a progress above
// the maximum, so at -1s the bar stays full.
struct CountdownGauge
{
    bool visible = false;
    qint32 minimum = 0;
    qint32 maximum = 0;
    qint32 progress = 0;
    QString caption;

    friend bool operator==(const CountdownGauge &, const CountdownGauge &) = default;
};

// The time limit of an exercise: the seconds left, the pause state and the bar. The limit is the
// run's limit in force, read at every call (the settings dialog and the re-test change it); a
// negative limit, which only an edited settings file can bring, counts as no limit.
class CountdownRules
{
public:
    // run and timer must outlive the rules. The timer is not touched until the first
    // operation, so the window may build the rules before its timer.
    CountdownRules(const PracticeRun &run, CountdownTimer &timer);

    qint32 RemainingSeconds() const { return m_remainingSeconds; }
    bool TimerPaused() const { return m_timerPaused; }
    const CountdownGauge &gauge() const { return m_gauge; }

    // Restarts the countdown for the exercise now on screen: the full limit, an empty bar and
    // the timer started (or, with no limit, the bar hidden and the timer stopped). The pause
    // state is left alone: posing an exercise counts again even while a pause is noted.
    void NulujNastavInfoCasLimit();

    // One tick of the timer. Returns true when the time has run out with this tick; the window
    // then handles the time-out (feedback, counts, record, next exercise). The timer is already
    // stopped then.
    bool TCasLimitTimer();

    // pause true stops a running timer and notes the pause; a stopped timer is left as it is.
    // pause false starts the timer again only when a pause is noted and the program is in the
    // teaching mode, and then clears the note; otherwise it does nothing. A countdown posed
    // with no limit is never resumed. The seconds left are kept either way.
    void PauseCasLimit(bool pause, bool teachingMode);

private:
    qint32 limit() const;
    void setCaption(qint32 seconds);

    const PracticeRun &m_run;
    CountdownTimer &m_timer;
    qint32 m_remainingSeconds = 0; // -1 once the time has run out
    bool m_timerPaused = false;
    CountdownGauge m_gauge;
};
