// The main window's side of the practice: keys to the practice, the exercise, the feedback, the
// countdown's timer and bar, and the evaluation window.

#include "core/practice/flagscope.h"
#include "ui/app/pictures.h"
#include "ui/generator/amedit.h"
#include "ui/practice/casgauge.h"
#include "ui/practice/dilchodn.h"
#include "ui/practice/soundplayer.h"
#include "ui/practice/zaklad.h"
#include "ui/practice/zakladclient.h"
#include "ui/settings/windowplacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace {

const char *const FeedbackPictures[] = {"VYSL_OK", "VYSL_CHYBA", "VYSL_CHYBA_CAS"};

} // namespace

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
        m_client->fieldOfSlot(qint32(m_flow->recordedSlot()))->setFocus();
        return true;
    }
    m_flow->answer(field->text());
    return true;
}

void TFZaklad::showExercise(const Exercise &exercise)
{
    m_client->showExercise(exercise);
}

QString TFZaklad::typedAnswer() const
{
    return m_client->fieldOfSlot(qint32(m_flow->exerciseOnScreen().hidden))->text();
}

void TFZaklad::clearNumberField(UnknownSlot slot)
{
    m_client->fieldOfSlot(qint32(slot))->clear();
}

void TFZaklad::focusAnswerField()
{
    m_client->fieldOfSlot(qint32(m_flow->exerciseOnScreen().hidden))->setFocus();
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
    if (m_sound->isReady() || !m_flow->run().soundOn)
        return;
    m_sound->prepare({soundFile(QStringLiteral("spravne.wav")), soundFile(QStringLiteral("spatne.wav")),
                      soundFile(QStringLiteral("pomalu.wav")), soundFile(QStringLiteral("dilhod.wav"))});
}

void TFZaklad::prepareFeedbackPictures()
{
    // Drawn when the pupil starts typing, as the sounds are loaded: the verdict then shows at
    // once. Later keys find them in the cache.
    for (const char *name : FeedbackPictures)
        Picture(QString::fromLatin1(name), m_client->IVysledek->size(), devicePixelRatioF());
}

void TFZaklad::ZvyrazniVysledek(FeedbackKind kind, qint32 slot)
{
    static const char *const sounds[] = {"spravne.wav", "spatne.wav", "pomalu.wav"};
    const auto index = std::size_t(kind);

    m_sound->PlaySoundFile(soundFile(QString::fromLatin1(sounds[index])));
    QLabel *panel = slot == qint32(UnknownSlot::First)    ? m_client->ICislo1
                    : slot == qint32(UnknownSlot::Second) ? m_client->ICislo2
                                                          : m_client->IVysledek;
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

bool TFZaklad::isRunning() const
{
    return TCasLimit->isActive();
}

void TFZaklad::stop()
{
    TCasLimit->stop();
}

void TFZaklad::start()
{
    // a running timer keeps its rhythm
    if (!TCasLimit->isActive())
        TCasLimit->start();
}

void TFZaklad::showGauge(const CountdownGauge &gauge)
{
    m_client->GCasLim->apply(gauge);
}

void TFZaklad::showEvaluation(const PartialEvaluation &shown)
{
    TFDilciHodn evaluation(shown, soundFile(QStringLiteral("dilhod.wav")), m_sound, m_zoomPercent / 100.0, this);
    CenterOverForm(&evaluation, this);
    evaluation.exec();
}
