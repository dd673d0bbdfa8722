#pragma once

#include <QObject>
#include <QString>

class QSoundEffect;

// Plays the program's short wave files without waiting for them: a new sound replaces one still
// playing, and a switched-off sound, a missing file or a machine without audio give silence
// without any message.
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    explicit SoundPlayer(QObject *parent = nullptr);

    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }

    // PlaySoundFile: starts the file if sound is on and the file exists; returns whether it did.
    bool PlaySoundFile(const QString &path);

    // The file last started, for tests; empty when nothing has played.
    QString lastStarted() const { return m_lastStarted; }

private:
    QSoundEffect *m_effect = nullptr;
    bool m_enabled = true;
    QString m_lastStarted;
};
