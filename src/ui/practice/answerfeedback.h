#pragma once

#include "core/practice/practiceview.h"

#include <QObject>
#include <QString>

#include <chrono>

class QLabel;
class SoundPlayer;

// The verdict on an answer as the pupil sees and hears it: the sound and the face over the judged
// number, kept for a moment. The sounds and the faces are made ready when the pupil starts typing,
// so that the verdict comes at once.
class AnswerFeedback : public QObject
{
    Q_OBJECT

public:
    // The sounds are read from soundDirectory.
    AnswerFeedback(const QString &soundDirectory, QObject *parent = nullptr);

    SoundPlayer *sounds() const { return m_sound; }
    QString soundFile(const QString &name) const;

    // How long the verdict stays on screen (500 ms); tests shorten it.
    void setPause(std::chrono::milliseconds pause) { m_pause = pause; }
    // Whether a verdict is on screen now: keys that come meanwhile get none of their own.
    bool isShowing() const { return m_showing; }

    // Loads the sounds (when soundOn) and draws the faces at the size of panel.
    void prepare(bool soundOn, const QLabel *panel);
    // Plays the verdict's sound and shows its face on panel for the pause, keeping the window
    // painted meanwhile.
    void show(FeedbackKind kind, QLabel *panel);

private:
    QString m_soundDirectory;
    SoundPlayer *m_sound = nullptr;
    bool m_showing = false;
    std::chrono::milliseconds m_pause{500};
};
