#include "app/soundplayer.h"

#include "app/modules.h"
#include "app/soundoutput.h"

#include <QFileInfo>

SoundPlayer::SoundPlayer(QObject *parent)
    : QObject(parent)
{
}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::loadModule()
{
    if (m_moduleTried)
        return m_output != nullptr;
    m_moduleTried = true;
    if (auto create = reinterpret_cast<CreateSoundOutputFunction>(
            ResolveModuleFunction(QStringLiteral("numiksound"), CreateSoundOutputName)))
        m_output.reset(create());
    return m_output != nullptr;
}

void SoundPlayer::prepare(const QStringList &paths)
{
    if (!loadModule())
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
    if (loadModule())
        m_output->play(path);
    m_lastStarted = path;
    return true;
}
