#include "app/soundplayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

SoundPlayer::SoundPlayer(QObject *parent)
    : QObject(parent)
{
}

bool SoundPlayer::PlaySoundFile(const QString &path)
{
    if (!m_enabled || !QFileInfo(path).isFile())
        return false;
    // the effect is made on first use, so a program that never plays opens no audio device
    if (!m_effect)
        m_effect = new QSoundEffect(this);
    const QUrl source = QUrl::fromLocalFile(path);
    m_effect->stop();
    if (m_effect->source() != source)
        m_effect->setSource(source);
    m_effect->play();
    m_lastStarted = path;
    return true;
}
