#include "ui/practice/soundplayer.h"

#include "plugins/sound/soundoutput.h"
#include "ui/app/plugins.h"

#include <QFileInfo>

SoundPlayer::SoundPlayer(QObject *parent)
    : QObject(parent)
{
}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::loadPlugin()
{
    if (m_pluginTried)
        return m_output != nullptr;
    m_pluginTried = true;
    if (auto *factory = LoadPlugin<SoundOutputFactory>(QStringLiteral("numiksound")))
        m_output = factory->createSoundOutput();
    return m_output != nullptr;
}

void SoundPlayer::prepare(const QStringList &paths)
{
    if (!loadPlugin())
        return;
    QStringList existing;
    for (const QString &path : paths) {
        if (QFileInfo(path).isFile())
            existing.append(path);
    }
    m_output->preload(existing);
}

bool SoundPlayer::PlaySoundFile(const QString &path)
{
    if (!m_enabled || !QFileInfo(path).isFile())
        return false;
    if (loadPlugin())
        m_output->play(path);
    m_lastStarted = path;
    return true;
}
