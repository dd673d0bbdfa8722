#pragma once

#include "core/practice/grading.h"

#include <QDialog>
#include <QSize>
#include <QString>

#include <array>

class QLabel;
class QPushButton;
class QTimer;
class SoundPlayer;
class TAMEdit;

// The partial evaluation window: a short animation of a sheet of exercises being ticked off,
// then the right and wrong counts, the percentage and at last the grade as a large picture.
// It shows the evaluation the practice computed, however early the pupil closes it.
//
// Every position, size and font size is that of the window at 100 % times zoom; the pictures
// are rendered for the scaled size and the screen's pixel density. The controls carry their
// names as object names ("AImage", "AMEOK", "BBZrus", "Timer1", ...).
class TFDilciHodn : public QDialog
{
    Q_OBJECT

public:
    // soundFile is the full path of "dilhod.wav", played through sounds (if any) when the wrong
    // count appears.
    TFDilciHodn(const PartialEvaluation &evaluation, const QString &soundFile, SoundPlayer *sounds, qreal zoom,
                QWidget *parent = nullptr);

    qint32 grade() const { return m_grade; }
    // The frame of the animation on show, 0..7.
    int currentFrame() const { return m_currentFrame; }
    // "ZN1".."ZN5", or "ZN1HV" for a grade 1 without a wrong answer; empty when nothing was
    // evaluated.
    QString gradeImageName() const { return m_gradeImageName; }

    // The window's size at 100 %: its client area.
    static constexpr QSize BaseSize{192, 141};

    // Closing in any way (the button, Esc, Enter, the close box) ends the animation at once.
    void done(int result) override;

public slots:
    // One animation step, every 300 ms while the window is open. Public so that a test can
    // step through the animation without waiting.
    void Timer1Timer();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void FormCreate(const PartialEvaluation &evaluation);
    void renderPictures();
    QRect scaled(int left, int top, int width, int height) const;
    int scaled(int length) const;

    qreal m_zoom;
    QString m_soundFile;
    SoundPlayer *m_sounds;
    qint32 m_grade = 0;
    int m_currentFrame = 0;
    QString m_gradeImageName;
    qreal m_renderedRatio = 0;

    QLabel *AImage = nullptr;
    QLabel *Image1 = nullptr;
    TAMEdit *AMEOK = nullptr;
    QLabel *Image2 = nullptr;
    TAMEdit *AMEChyba = nullptr;
    QLabel *Label1 = nullptr;
    TAMEdit *AMEProc = nullptr;
    QLabel *IZnamka = nullptr;
    QPushButton *BBZrus = nullptr;
    QTimer *Timer1 = nullptr;
};
