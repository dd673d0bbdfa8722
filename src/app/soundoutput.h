#pragma once

#include <QString>
#include <QStringList>

// What actually plays the wave files. It lives in the loadable module "numiksound" beside the
// executable, so that the audio libraries (and the connection to the sound server) are loaded
// only once the program's window is on screen, not while the pupil waits for it.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;

    // Starts loading the files, so that a later play() of one of them begins at once.
    virtual void preload(const QStringList &paths) = 0;
    // Starts playing a file without waiting for it; a sound still playing is stopped.
    virtual void play(const QString &path) = 0;
};

// The module's one entry point, found by this name: a new output, owned by the caller.
using CreateSoundOutputFunction = SoundOutput *(*)();
inline constexpr char CreateSoundOutputName[] = "numikCreateSoundOutput";
