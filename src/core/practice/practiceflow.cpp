#include "core/practice/practiceflow.h"

#include "core/practice/answercheck.h"
#include "core/settings/inifile.h"

#include <QScopedValueRollback>

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

PracticeFlow::PracticeFlow(ExerciseGenerator &generator, const PracticeFiles &files, PracticeView &view)
    : m_generator(generator)
    , m_files(files)
    , m_view(view)
    , m_pending(std::make_unique<PendingRecords>(files.retestFile, files.wrongResultsFile, files.historyFile))
    , m_session(std::make_unique<PracticeSession>(m_settings, m_run, files.historyFile, view, m_pending.get()))
    , m_countdown(std::make_unique<CountdownRules>(m_run, view))
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
    const PracticeMode mode = StartupMode(m_files.iniFile);
    OperationSwitches switches;
    NastavDleIni(m_files.iniFile, m_settings, switches);
    m_run.soundOn = StoredSound(m_files.iniFile);
    m_run.timeLimitSeconds = m_settings.timeLimitSeconds;
    m_view.showSwitchesAndSound(switches, m_run.soundOn);
    NulujNastavInfoCasLimit();
    m_generator.seedFromClock();
    DalsiPriklad();
    NastavRezim(mode);
}

void PracticeFlow::setSound(bool on)
{
    m_run.soundOn = on;
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
    const UnknownSlot slot = judged.hidden;

    // ticks that come during the verdict are held back and, if the exercise is still on screen
    // afterwards (a wrong answer), counted then
    const quint64 serial = m_exerciseSerial;
    m_deferredTicks = 0;
    try {
        const QScopedValueRollback judging(m_answerInProgress, true);
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

void PracticeFlow::rightAnswer(UnknownSlot slot)
{
    m_view.ZvyrazniVysledek(FeedbackKind::Correct, slot);
    m_session->ZapisOkChyba(PartialCount::Ok);
    if (m_retestActive)
        retestAnsweredRight();
    else
        DalsiPriklad();
    m_session->countTotalCorrect();
    m_session->AktCelkHodnoceni();
    evaluate(false);
}

void PracticeFlow::evaluate(bool forced)
{
    m_session->DilciHodnoceni(forced, m_exercise.operation);
}

void PracticeFlow::wrongAnswer(UnknownSlot slot, qint32 a, qint32 b, qint32 shown)
{
    m_view.ZvyrazniVysledek(FeedbackKind::Wrong, slot);
    m_session->ZapisOkChyba(PartialCount::Chyba);
    // the pupil's wrong entry stands in the hidden number's place
    const WrongResultRecord record{a, b, qint32(m_exercise.operation), shown, false, m_run.timeLimitSeconds, qint32(slot)};
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
    m_view.ZvyrazniVysledek(FeedbackKind::TooSlow, slot);
    m_session->ZapisOkChyba(PartialCount::Chyba);

    // partly typed digits stand in the hidden number's place, an empty field as 0
    Exercise shown = m_exercise;
    numberIn(shown, shown.hidden) = NumberOrZero(m_view.typedAnswer());
    const WrongResultRecord record{shown.first, shown.second, qint32(shown.operation), shown.result, true,
                                   m_run.timeLimitSeconds, qint32(slot)};
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
    evaluate(false);
}

void PracticeFlow::NulujNastavInfoCasLimit()
{
    m_countdown->NulujNastavInfoCasLimit();
    // An exercise posed while the pupil is in another program (one switched to during the
    // feedback of an answer) starts frozen, as a running one would have been frozen; the
    // activation starts it.
    if (m_applicationInactive && m_run.mode == PracticeMode::Vyuka && m_settings.pauseOnDeactivate)
        PauseCasLimit(true);
    m_view.showGauge(m_countdown->gauge());
}

void PracticeFlow::PauseCasLimit(bool pause)
{
    m_countdown->PauseCasLimit(pause, m_run.mode == PracticeMode::Vyuka);
}

void PracticeFlow::ApplicationEvents1Deactivate()
{
    m_applicationInactive = true;
    if (m_run.mode == PracticeMode::Vyuka && m_settings.pauseOnDeactivate)
        PauseCasLimit(true);
}

void PracticeFlow::ApplicationEvents1Activate()
{
    m_applicationInactive = false;
    if (m_run.mode == PracticeMode::Vyuka && m_settings.pauseOnDeactivate)
        PauseCasLimit(false);
}

void PracticeFlow::NastavRezim(PracticeMode mode)
{
    if (mode == PracticeMode::Nastaveni) {
        m_run.mode = mode;
        PauseCasLimit(true);
        m_view.DEMenuRezim(AccessInMode(m_run.mode, m_settings));
        return;
    }
    m_run.mode = PracticeMode::Vyuka;
    PauseCasLimit(false);
    m_view.DEMenuRezim(AccessInMode(m_run.mode, m_settings));
    // A re-test must keep its stored exercise on screen, since a right answer deletes that
    // record; the flag waits until the re-test is over.
    if (m_newExercisePending && !m_retestActive) {
        m_newExercisePending = false;
        DalsiPriklad();
    }
}

void PracticeFlow::applySettings(const SettingsEdit &edit)
{
    // the limit counts as changed when the teacher touched its field and left another value
    // than the one configured, not the one a re-tested exercise brought
    const bool limitChanged =
        edit.timeLimitTouched && edit.values.timeLimitSeconds != m_settings.timeLimitSeconds;
    ApplyRozsahValues(m_files.iniFile, edit.values, m_settings);
    if (!m_retestActive)
        m_run.timeLimitSeconds = m_settings.timeLimitSeconds;
    if ((edit.rangesTouched && !m_retestActive) || limitChanged)
        m_newExercisePending = true;
}

void PracticeFlow::saveUnwrittenRecords()
{
    m_pending->saveForNextStart();
}

RozsahValues PracticeFlow::values() const
{
    return LoadRozsahValues(m_files.iniFile, m_settings);
}

void PracticeFlow::MNulovatClick()
{
    m_session->MNulovatClick();
    m_generator.resetExerciseCount();
}

bool PracticeFlow::hasHistory() const
{
    return CountEvaluations(m_files.historyFile) != 0;
}
