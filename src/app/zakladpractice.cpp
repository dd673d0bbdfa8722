// The practice roads of the main window: posing an exercise, judging an answer, the feedback.

#include "app/casgauge.h"
#include "app/dilchodn.h"
#include "app/messagebox.h"
#include "app/pictures.h"
#include "app/soundplayer.h"
#include "app/zaklad.h"
#include "generator/amedit.h"
#include "practice/answercheck.h"
#include "records/recordfiles.h"
#include "settings/windowplacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

#include <utility>

namespace {

// Sets a flag for the lifetime of a scope, also when an exception leaves it.
class FlagScope
{
public:
    explicit FlagScope(bool &flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &m_flag;
};

} // namespace

void TFZaklad::DalsiPriklad()
{
    const ExerciseGenerator::Draw draw = m_generator.drawExercise(operationSwitches(), m_settings);
    m_hiddenSlot = draw.hidden;
    if (!draw.exercise) {
        // the exercise on screen stays, with its countdown
        ShowMessageBox(QStringLiteral("Chyba v programu"), MessageKind::Warning);
        return;
    }
    showExercise(*draw.exercise);
    NulujNastavInfoCasLimit();
}

void TFZaklad::showExercise(const Exercise &e)
{
    ECislo1->setText(e.hidden == UnknownSlot::First ? QString() : QString::number(e.first));
    ECislo2->setText(e.hidden == UnknownSlot::Second ? QString() : QString::number(e.second));
    EVysledek->setText(e.hidden == UnknownSlot::Result ? QString() : QString::number(e.result));
    m_hiddenSlot = e.hidden;
    NastavFormDleNeznama(e.hidden);
    EOperace->setTag(int(e.operation));
    EOperace->setText(OperationSign(e.operation));
    m_freshExercise = true;
    ++m_exerciseSerial;
}

TAMEdit *TFZaklad::fieldOfSlot(qint32 slot) const
{
    if (slot == qint32(UnknownSlot::First))
        return ECislo1;
    if (slot == qint32(UnknownSlot::Second))
        return ECislo2;
    return EVysledek;
}

void TFZaklad::NastavFormDleNeznama(UnknownSlot slot)
{
    for (TAMEdit *field : {ECislo1, ECislo2, EVysledek})
        field->setReadOnly(true);
    TAMEdit *hidden = fieldOfSlot(qint32(slot));
    hidden->setReadOnly(false);
    hidden->setFocus();
}

bool TFZaklad::EVysledekKeyPress(TAMEdit *field, QKeyEvent *event)
{
    prepareSounds();
    prepareFeedbackPictures();
    if (!TAMEdit::isEnterKey(event))
        return false; // every other key is the field's own
    // A child presses Enter twice: the second one, arriving while the first is being shown,
    // gets no verdict at all.
    if (m_feedbackShowing)
        return true;
    // Enter in a shown number judges nothing and erases nothing; it sends the pupil back to
    // the field of the hidden number.
    if (field->isReadOnly()) {
        fieldOfSlot(qint32(m_hiddenSlot))->setFocus();
        return true;
    }
    judgeAnswer(field);
    return true;
}

void TFZaklad::judgeAnswer(TAMEdit *field)
{
    qint32 entered = 0;
    if (!ParseAnswerNumber(field->text(), entered)) {
        ShowMessageBox(QStringLiteral("Toto není přípustné číslo"), MessageKind::Warning);
        field->setFocus();
        return;
    }
    const qint32 slot = field->tag();
    const qint32 shown = NumberOrZero(EVysledek->text());
    const qint32 a = NumberOrZero(ECislo1->text());
    const qint32 b = NumberOrZero(ECislo2->text());

    // ticks that come during the verdict are held back and, if the exercise is still on screen
    // afterwards (a wrong answer), counted then
    const quint64 serial = m_exerciseSerial;
    m_deferredTicks = 0;
    try {
        FlagScope judging(m_answerInProgress);
        if (ExpectedResult(EOperace->tag(), a, b) == shown)
            rightAnswer(slot);
        else
            wrongAnswer(field, slot, a, b, shown);
    } catch (...) {
        replayDeferredTicks(serial);
        throw;
    }
    replayDeferredTicks(serial);
}

void TFZaklad::replayDeferredTicks(quint64 exerciseSerial)
{
    const int ticks = std::exchange(m_deferredTicks, 0);
    if (ticks == 0 || exerciseSerial != m_exerciseSerial)
        return; // a new exercise has its own fresh count
    QTimer::singleShot(0, this, Guarded([this, ticks, exerciseSerial] {
        for (int i = 0; i < ticks && exerciseSerial == m_exerciseSerial && TCasLimit->isActive(); ++i)
            tick();
    }));
}

void TFZaklad::TCasLimitTimer()
{
    if (m_answerInProgress) {
        ++m_deferredTicks;
        return;
    }
    tick();
}

void TFZaklad::tick()
{
    const bool ranOut = m_countdown->TCasLimitTimer();
    applyGauge();
    if (ranOut)
        timeOut();
}

void TFZaklad::timeOut()
{
    const auto slot = qint32(m_hiddenSlot);
    ZvyrazniVysledek(FeedbackKind::TooSlow, slot);
    m_session->ZapisOkChyba(PartialCount::Chyba);

    // partly typed digits stand in the hidden number's place, an empty field as 0
    WrongResultRecord record;
    record.FirstNumber = NumberOrZero(ECislo1->text());
    record.SecondNumber = NumberOrZero(ECislo2->text());
    record.Operation = EOperace->tag();
    record.Result = NumberOrZero(EVysledek->text());
    record.TimedOut = true;
    record.TimeLimit = m_settings.timeLimitSeconds;
    record.HiddenSlot = slot;
    fieldOfSlot(slot)->clear();
    recordMiss(record);
    if (m_retestActive)
        retestTimedOut();
    else
        DalsiPriklad();
}

void TFZaklad::NulujNastavInfoCasLimit()
{
    m_countdown->NulujNastavInfoCasLimit();
    applyGauge();
}

void TFZaklad::applyGauge()
{
    GCasLim->apply(m_countdown->gauge());
}

void TFZaklad::PauseCasLimit(bool pause)
{
    m_countdown->PauseCasLimit(pause, m_settings.mode != qint32(PracticeMode::Nastaveni));
}

void TFZaklad::ApplicationEvents1Deactivate()
{
    if (m_settings.mode != qint32(PracticeMode::Nastaveni) && m_settings.pauseOnDeactivate)
        PauseCasLimit(true);
}

void TFZaklad::ApplicationEvents1Activate()
{
    if (m_settings.mode != qint32(PracticeMode::Nastaveni) && m_settings.pauseOnDeactivate)
        PauseCasLimit(false);
}

void TFZaklad::rightAnswer(qint32 slot)
{
    ZvyrazniVysledek(FeedbackKind::Correct, slot);
    m_session->ZapisOkChyba(PartialCount::Ok);
    if (m_retestActive)
        retestAnsweredRight();
    else
        DalsiPriklad();
    m_session->countTotalCorrect();
    m_session->AktCelkHodnoceni();
    m_session->DilciHodnoceni(false);
}

void TFZaklad::wrongAnswer(TAMEdit *field, qint32 slot, qint32 a, qint32 b, qint32 shown)
{
    ZvyrazniVysledek(FeedbackKind::Wrong, slot);
    m_session->ZapisOkChyba(PartialCount::Chyba);

    WrongResultRecord record;
    record.FirstNumber = a;
    record.SecondNumber = b;
    record.Operation = EOperace->tag();
    record.Result = shown;
    record.TimedOut = false;
    record.TimeLimit = m_settings.timeLimitSeconds;
    record.HiddenSlot = slot; // the pupil's wrong entry stands in the hidden number's place
    field->clear();

    recordMiss(record);
}

void TFZaklad::recordMiss(const WrongResultRecord &record)
{
    // the re-test file takes each missed exercise once, the wrong-results file every miss;
    // a failure to write abandons the rest of the road
    if (!m_retestActive) {
        if (m_freshExercise)
            AppendWrongResult(m_retestFile, record);
        AppendWrongResult(m_wrongResultsFile, record);
    }
    m_freshExercise = false;
    m_session->countTotalWrong();
    m_session->AktCelkHodnoceni();
    m_session->DilciHodnoceni(false);
}

QString TFZaklad::soundFile(const QString &name) const
{
    return QDir(m_soundDirectory).filePath(name);
}

void TFZaklad::prepareSounds()
{
    // The audio libraries and the wave files come in when the pupil starts typing an answer:
    // the start does not wait for them, an idle window does not hold them, and they are
    // loaded before the answer can be judged.
    if (m_sound->isReady() || !m_settings.soundOn)
        return;
    m_sound->prepare({soundFile(QStringLiteral("spravne.wav")), soundFile(QStringLiteral("spatne.wav")),
                      soundFile(QStringLiteral("pomalu.wav")), soundFile(QStringLiteral("dilhod.wav"))});
}

namespace {

const char *const FeedbackPictures[] = {"VYSL_OK", "VYSL_CHYBA", "VYSL_CHYBA_CAS"};

} // namespace

void TFZaklad::prepareFeedbackPictures()
{
    // Drawn when the pupil starts typing, as the sounds are loaded: the verdict then shows at
    // once. Later keys find them in the cache.
    for (const char *name : FeedbackPictures)
        Picture(QString::fromLatin1(name), IVysledek->size(), devicePixelRatioF());
}

void TFZaklad::ZvyrazniVysledek(FeedbackKind kind, qint32 slot)
{
    static const char *const sounds[] = {"spravne.wav", "spatne.wav", "pomalu.wav"};
    const auto index = std::size_t(kind);

    m_sound->PlaySoundFile(soundFile(QString::fromLatin1(sounds[index])));
    QLabel *panel = slot == qint32(UnknownSlot::First) ? ICislo1 : slot == qint32(UnknownSlot::Second) ? ICislo2 : IVysledek;
    panel->setPixmap(Picture(QString::fromLatin1(FeedbackPictures[index]), panel->size(), devicePixelRatioF()));
    panel->raise();
    panel->show();

    FlagScope showing(m_feedbackShowing);
    QCoreApplication::processEvents();
    // The pause keeps the window painted; keys typed meanwhile wait and then find the feedback
    // over, or still showing, and get no verdict while it is.
    if (m_feedbackPause.count() > 0) {
        QEventLoop pause;
        QTimer::singleShot(m_feedbackPause, &pause, &QEventLoop::quit);
        pause.exec(QEventLoop::ExcludeUserInputEvents);
    }
    QCoreApplication::processEvents();
    panel->hide();
}

bool TFZaklad::isCountdownRunning() const
{
    return TCasLimit->isActive();
}

void TFZaklad::stopCountdown()
{
    TCasLimit->stop();
}

void TFZaklad::startCountdown()
{
    // a running timer keeps its rhythm
    if (!TCasLimit->isActive())
        TCasLimit->start();
}

qint32 TFZaklad::showEvaluation(qint32 correct, qint32 wrong)
{
    TFDilciHodn evaluation(correct, wrong, m_settings.gradeThreshold, soundFile(QStringLiteral("dilhod.wav")), m_sound,
                           m_settings.zoomPercent / 100.0, this);
    CenterOverForm(&evaluation, this);
    evaluation.exec();
    return evaluation.grade();
}

bool TFZaklad::isRunning() const
{
    return TCasLimit->isActive();
}

void TFZaklad::start()
{
    startCountdown();
}

void TFZaklad::stop()
{
    TCasLimit->stop();
}
