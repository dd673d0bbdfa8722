#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class SoundOutput;

// Plays the program's short wave files without waiting for them: a new sound replaces one still
// playing, and a switched-off sound, a missing file or a machine without audio give silence
// without any message. The audio libraries come in with the plugin "numiksound", loaded by
// prepare() (the main window calls it when the pupil starts typing an answer) or else by the
// first sound.
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    explicit SoundPlayer(QObject *parent = nullptr);
    ~SoundPlayer() override;

    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }

    // Loads the sound plugin and the existing ones of the files; later calls only load files.
    void prepare(const QStringList &paths);
    // Whether the plugin is loaded and the files given to prepare() are on their way.
    bool isReady() const { return m_output != nullptr; }

    // PlaySoundFile: starts the file if sound is on and the file exists; returns whether it did.
    bool PlaySoundFile(const QString &path);

    // The file last started, for tests; empty when nothing has played.
    QString lastStarted() const { return m_lastStarted; }

private:
    bool loadPlugin();

    std::unique_ptr<SoundOutput> m_output;
    bool m_pluginTried = false;
    bool m_enabled = true;
    QString m_lastStarted;
};
