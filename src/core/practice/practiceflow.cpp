#include "core/practice/practiceflow.h"

#include "core/practice/answercheck.h"
#include "core/practice/flagscope.h"
#include "core/records/historycsv.h"
#include "core/records/ioerror.h"
#include "core/settings/inifile.h"

#include <utility>

namespace {

// The number of an exercise in a slot's place: 1 the first, 2 the second, otherwise the result.
qint32 &numberIn(Exercise &exercise, UnknownSlot slot)
{
    if (slot == UnknownSlot::First)
        return exercise.first;
    if (slot == UnknownSlot::Second)
        return exercise.second;
    return exercise.result;
}

} // namespace

PracticeFlow::PracticeFlow(PracticeSettings &settings, ExerciseGenerator &generator, const PracticeFiles &files,
                           PracticeView &view)
    : m_settings(settings)
    , m_generator(generator)
    , m_files(files)
    , m_view(view)
    , m_session(std::make_unique<PracticeSession>(settings, files.historyFile, static_cast<SessionHost &>(*this)))
    , m_countdown(std::make_unique<CountdownRules>(settings, view))
    , m_pending(std::make_unique<PendingRecords>(files.retestFile, files.wrongResultsFile, files.historyFile))
{
    QObject::connect(m_pending.get(), &PendingRecords::retestRecordRemoved,
                     [this](qint32 position) { retestRecordRemoved(position); });
    // shown once the answer on hand is over, never in the middle of one
    QObject::connect(m_pending.get(), &PendingRecords::stalled, [this](const QString &notice) {
        m_view.runLater([this, notice] { m_view.showMessage(notice, NoticeKind::Information); });
    });
}

PracticeFlow::~PracticeFlow()
{
    // what the queue still writes on its way out is told to nobody: the view may be gone
    QObject::disconnect(m_pending.get(), nullptr, nullptr, nullptr);
}

void PracticeFlow::startPractice()
{
    m_newExercisePending = false;
    m_pending->takeOverPendingFile();
    NactiRozsahZIni(m_files.iniFile, m_settings);
    reloadFromIni();
    NulujNastavInfoCasLimit();
    m_generator.seedFromClock();
    DalsiPriklad();
    NastavRezim(m_settings.mode);
}

void PracticeFlow::reloadFromIni()
{
    // the switches and the sound return to their stored values, the time limit to the setting
    OperationSwitches switches;
    NastavDleIni(m_files.iniFile, m_settings, switches);
    setSwitchesAndSound(switches, m_settings.soundOn);
}

void PracticeFlow::setSwitchesAndSound(const OperationSwitches &switches, bool soundOn)
{
    m_settings.soundOn = soundOn;
    m_view.showSwitchesAndSound(switches, soundOn);
}

void PracticeFlow::DalsiPriklad()
{
    const ExerciseGenerator::Draw draw = m_generator.drawExercise(m_view.operationSwitches(), m_settings);
    m_recordedSlot = draw.hidden;
    if (!draw.exercise) {
        // the exercise on screen stays, with its countdown
        m_view.showMessage(QStringLiteral("Chyba v programu"), NoticeKind::Warning);
        return;
    }
    showExercise(*draw.exercise);
    NulujNastavInfoCasLimit();
}

void PracticeFlow::showExercise(const Exercise &exercise)
{
    m_exercise = exercise;
    m_recordedSlot = exercise.hidden;
    m_view.showExercise(exercise);
    m_freshExercise = true;
    ++m_exerciseSerial;
}

void PracticeFlow::answer(const QString &typed)
{
    qint32 entered = 0;
    if (!ParseAnswerNumber(typed, entered)) {
        m_view.showMessage(QStringLiteral("Toto není přípustné číslo"), NoticeKind::Warning);
        m_view.focusAnswerField();
        return;
    }
    // the pupil's number in the hidden number's place, the equation recomputed from the left
    Exercise judged = m_exercise;
    numberIn(judged, judged.hidden) = entered;
    const auto slot = qint32(judged.hidden);

    // ticks that come during the verdict are held back and, if the exercise is still on screen
    // afterwards (a wrong answer), counted then
    const quint64 serial = m_exerciseSerial;
    m_deferredTicks = 0;
    try {
        FlagScope judging(m_answerInProgress);
        if (ExpectedResult(qint32(judged.operation), judged.first, judged.second) == judged.result)
            rightAnswer(slot);
        else
            wrongAnswer(slot, judged.first, judged.second, judged.result);
    } catch (...) {
        replayDeferredTicks(serial);
        throw;
    }
    replayDeferredTicks(serial);
}

void PracticeFlow::replayDeferredTicks(quint64 exerciseSerial)
{
    const int ticks = std::exchange(m_deferredTicks, 0);
    if (ticks == 0 || exerciseSerial != m_exerciseSerial)
        return; // a new exercise has its own fresh count
    m_view.runLater([this, ticks, exerciseSerial] {
        for (int i = 0; i < ticks && exerciseSerial == m_exerciseSerial && m_view.isRunning(); ++i)
            tick();
    });
}

void PracticeFlow::rightAnswer(qint32 slot)
{
    m_view.ZvyrazniVysledek(FeedbackKind::Correct, slot);
    m_session->ZapisOkChyba(PartialCount::Ok);
    if (m_retestActive)
        retestAnsweredRight();
    else
        DalsiPriklad();
    m_session->countTotalCorrect();
    m_session->AktCelkHodnoceni();
    m_session->DilciHodnoceni(false);
}

void PracticeFlow::wrongAnswer(qint32 slot, qint32 a, qint32 b, qint32 shown)
{
    m_view.ZvyrazniVysledek(FeedbackKind::Wrong, slot);
    m_session->ZapisOkChyba(PartialCount::Chyba);
    // the pupil's wrong entry stands in the hidden number's place
    const WrongResultRecord record{a, b, qint32(m_exercise.operation), shown, false, m_settings.timeLimitSeconds, slot};
    m_view.clearNumberField(m_exercise.hidden);
    recordMiss(record);
}

void PracticeFlow::TCasLimitTimer()
{
    if (m_answerInProgress) {
        ++m_deferredTicks;
        return;
    }
    tick();
}

void PracticeFlow::tick()
{
    const bool ranOut = m_countdown->TCasLimitTimer();
    m_view.showGauge(m_countdown->gauge());
    if (ranOut)
        timeOut();
}

void PracticeFlow::timeOut()
{
    const UnknownSlot slot = m_recordedSlot;
    m_view.ZvyrazniVysledek(FeedbackKind::TooSlow, qint32(slot));
    m_session->ZapisOkChyba(PartialCount::Chyba);

    // partly typed digits stand in the hidden number's place, an empty field as 0
    Exercise shown = m_exercise;
    numberIn(shown, shown.hidden) = NumberOrZero(m_view.typedAnswer());
    const WrongResultRecord record{shown.first, shown.second, qint32(shown.operation), shown.result, true,
                                   m_settings.timeLimitSeconds, qint32(slot)};
    m_view.clearNumberField(slot);
    // after a failed draw the recorded slot may name a shown number, whose field now reads as 0
    if (slot != m_exercise.hidden)
        numberIn(m_exercise, slot) = 0;
    recordMiss(record);
    if (m_retestActive)
        retestTimedOut();
    else
        DalsiPriklad();
}

void PracticeFlow::recordMiss(const WrongResultRecord &record)
{
    // the re-test file takes each missed exercise once, the wrong-results file every miss; a
    // record that cannot be written now waits in memory and costs the pupil nothing
    if (!m_retestActive) {
        if (m_freshExercise)
            m_pending->add(PendingRecords::Target::RetestFile, record);
        m_pending->add(PendingRecords::Target::WrongResultsFile, record);
    }
    m_freshExercise = false;
    m_session->countTotalWrong();
    m_session->AktCelkHodnoceni();
    m_session->DilciHodnoceni(false);
}

void PracticeFlow::NulujNastavInfoCasLimit()
{
    m_countdown->NulujNastavInfoCasLimit();
    // An exercise posed while the pupil is in another program (one switched to during the
    // feedback of an answer) starts frozen, as a running one would have been frozen; the
    // activation starts it.
    if (m_applicationInactive && m_settings.mode != qint32(PracticeMode::Nastaveni) && m_settings.pauseOnDeactivate)
        PauseCasLimit(true);
    m_view.showGauge(m_countdown->gauge());
}

void PracticeFlow::PauseCasLimit(bool pause)
{
    m_countdown->PauseCasLimit(pause, m_settings.mode != qint32(PracticeMode::Nastaveni));
}

void PracticeFlow::ApplicationEvents1Deactivate()
{
    m_applicationInactive = true;
    if (m_settings.mode != qint32(PracticeMode::Nastaveni) && m_settings.pauseOnDeactivate)
        PauseCasLimit(true);
}

void PracticeFlow::ApplicationEvents1Activate()
{
    m_applicationInactive = false;
    if (m_settings.mode != qint32(PracticeMode::Nastaveni) && m_settings.pauseOnDeactivate)
        PauseCasLimit(false);
}

void PracticeFlow::NastavRezim(qint32 mode)
{
    if (mode == qint32(PracticeMode::Nastaveni)) {
        m_settings.mode = mode;
        PauseCasLimit(true);
        m_view.DEMenuRezim(true);
        return;
    }
    m_settings.mode = qint32(PracticeMode::Vyuka);
    PauseCasLimit(false);
    m_view.DEMenuRezim(false);
    // A re-test must keep its stored exercise on screen, since a right answer deletes that
    // record; the flag waits until the re-test is over.
    if (m_newExercisePending && !m_retestActive) {
        m_newExercisePending = false;
        DalsiPriklad();
    }
}

void PracticeFlow::settingsAccepted(bool rangesTouched, bool timeLimitChanged)
{
    if ((rangesTouched && !m_retestActive) || timeLimitChanged)
        m_newExercisePending = true;
}

void PracticeFlow::saveUnwrittenRecords()
{
    m_pending->saveForNextStart();
}

void PracticeFlow::MNulovatClick()
{
    m_session->MNulovatClick();
}

bool PracticeFlow::hasHistory() const
{
    return CountEvaluations(m_files.historyFile) != 0;
}

qint32 PracticeFlow::operationOnScreen() const
{
    return qint32(m_exercise.operation);
}

bool PracticeFlow::isCountdownRunning() const
{
    return m_view.isRunning();
}

void PracticeFlow::stopCountdown()
{
    m_view.stop();
}

void PracticeFlow::startCountdown()
{
    m_view.start();
}

qint32 PracticeFlow::showEvaluation(qint32 correct, qint32 wrong)
{
    return m_view.showEvaluation(correct, wrong);
}

void PracticeFlow::storeEvaluation(const QString &historyPath, const EvaluationRecord &record)
{
    // into the history file and historie.csv, at once or as soon as they can be written
    Q_UNUSED(historyPath);
    m_pending->addEvaluation(record);
}

QDateTime PracticeFlow::localNow() const
{
    return m_view.localNow();
}

void PracticeFlow::showPartialCount(PartialCount which, qint32 value)
{
    m_view.showPartialCount(which, value);
}

void PracticeFlow::showTotals(const QString &grade, const QString &correct, const QString &wrong)
{
    m_view.showTotals(grade, correct, wrong);
}

void PracticeFlow::resetExerciseCounter()
{
    m_generator.resetExerciseCount();
}
