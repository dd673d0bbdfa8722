#include "app/soundplayer.h"

#include "app/soundoutput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

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
    // beside the executable when installed; in the build tree for the tests
    QStringList folders{QCoreApplication::applicationDirPath()};
#ifdef NUMIK_SOUND_MODULE_DIR
    folders.append(QStringLiteral(NUMIK_SOUND_MODULE_DIR));
#endif
    for (const QString &folder : folders) {
        QLibrary module(QDir(folder).filePath(QStringLiteral("numiksound")));
        // the module stays loaded for the rest of the run: the output's code lives in it
        if (auto create = reinterpret_cast<CreateSoundOutputFunction>(module.resolve(CreateSoundOutputName))) {
            m_output.reset(create());
            return m_output != nullptr;
        }
    }
    return false;
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
