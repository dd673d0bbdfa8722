#pragma once

#include <QString>
#include <QWidget>

struct CountdownGauge;

// The bar GCasLim under the exercise: a black frame, the progress filled from the left in red
// and the rest in green, with a caption centred on it. The window sets its geometry and font,
// which is how it follows the zoom; the bar makes no caption of its own. Screen readers hear it
// as "zbývající čas" with the seconds left (CasGaugeAccessible).
class CasGauge : public QWidget
{
    Q_OBJECT

public:
    explicit CasGauge(QWidget *parent = nullptr);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int progress() const { return m_progress; }
    QString caption() const { return m_caption; }
    // maximum less progress, never below 0: what the caption counts down while time is left
    int remainingSeconds() const;

    void setMinimum(int minimum);
    // A maximum below the progress takes the progress down with it.
    void setMaximum(int maximum);
    // A progress above the maximum is ignored: the bar keeps the progress it has.
    void setProgress(int progress);
    void setCaption(const QString &caption);

    // Shows what the countdown rules say the bar shows: visibility, range, progress, caption.
    void apply(const CountdownGauge &gauge);

    // The width of the red part inside the frame: (progress - minimum) / (maximum - minimum) of
    // the inner width, nothing when the range is empty, never more than the inner width.
    int fillWidth() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect innerRect() const;
    void tellScreenReaders();

    int m_minimum = 0;
    int m_maximum = 100;
    int m_progress = 0;
    QString m_caption;
};
