#include "ui/practice/answerfeedback.h"

#include "ui/app/pictures.h"
#include "ui/practice/soundplayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QScopedValueRollback>
#include <QTimer>

namespace {

// by FeedbackKind
const char *const Pictures[] = {"VYSL_OK", "VYSL_CHYBA", "VYSL_CHYBA_CAS"};
const char *const Sounds[] = {"spravne.wav", "spatne.wav", "pomalu.wav"};

} // namespace

AnswerFeedback::AnswerFeedback(const QString &soundDirectory, QObject *parent)
    : QObject(parent)
    , m_soundDirectory(soundDirectory)
    , m_sound(new SoundPlayer(this))
{
}

QString AnswerFeedback::soundFile(const QString &name) const
{
    return QDir(m_soundDirectory).filePath(name);
}

void AnswerFeedback::prepare(bool soundOn, const QLabel *panel)
{
    // The audio libraries and the wave files come in when the pupil starts typing an answer:
    // the start does not wait for them, an idle window does not hold them, and they are
    // loaded before the answer can be judged.
    if (!m_sound->isReady() && soundOn)
        m_sound->prepare({soundFile(QStringLiteral("spravne.wav")), soundFile(QStringLiteral("spatne.wav")),
                          soundFile(QStringLiteral("pomalu.wav")), soundFile(QStringLiteral("dilhod.wav"))});
    // The faces are drawn then too; later keys find them in the cache.
    for (const char *name : Pictures)
        Picture(QString::fromLatin1(name), panel->size(), panel->devicePixelRatioF());
}

void AnswerFeedback::show(FeedbackKind kind, QLabel *panel)
{
    const auto index = std::size_t(kind);
    m_sound->PlaySoundFile(soundFile(QString::fromLatin1(Sounds[index])));
    panel->setPixmap(Picture(QString::fromLatin1(Pictures[index]), panel->size(), panel->devicePixelRatioF()));
    panel->raise();
    panel->show();

    const QScopedValueRollback showing(m_showing, true);
    QCoreApplication::processEvents();
    // The pause keeps the window painted; keys typed meanwhile wait and then find the feedback
    // over, or still showing, and get no verdict while it is.
    if (m_pause.count() > 0) {
        QEventLoop pause;
        QTimer::singleShot(m_pause, &pause, &QEventLoop::quit);
        pause.exec(QEventLoop::ExcludeUserInputEvents);
    }
    QCoreApplication::processEvents();
    panel->hide();
}
