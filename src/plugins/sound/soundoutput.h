#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// What actually plays the wave files. It lives in the plugin "numiksound", so that the audio
// libraries (and the connection to the sound server) are loaded only once the program's window
// is on screen, not while the pupil waits for it.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;

    // Starts loading the files, so that a later play() of one of them begins at once.
    virtual void preload(const QStringList &paths) = 0;
    // Starts playing a file without waiting for it; a sound still playing is stopped.
    virtual void play(const QString &path) = 0;
};

// The plugin's interface: it makes the outputs.
class SoundOutputFactory
{
public:
    virtual ~SoundOutputFactory() = default;

    virtual std::unique_ptr<SoundOutput> createSoundOutput() = 0;
};

// The number after the slash changes with the interface, so that an older plugin is refused.
#define NumikSoundOutputFactory_iid "example.korvelanta.numik.SoundOutputFactory/1"
Q_DECLARE_INTERFACE(SoundOutputFactory, NumikSoundOutputFactory_iid)
