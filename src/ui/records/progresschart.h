#pragma once

#include "core/records/progressdays.h"

#include <QDialog>
#include <QWidget>

#include <array>

// The chart itself: one point per day with evaluations, its mean percentage right on a 0–100 %
// axis over the bands of the grades, the number of evaluations written by each point and told
// in full by a tool tip. Drawn with QPainter, so the program needs no charting library.
class ProgressChart : public QWidget
{
    Q_OBJECT

public:
    ProgressChart(QList<ProgressDay> days, QDate today, const std::array<qint32, 4> &gradeThresholds,
                  QWidget *parent = nullptr);

    QSize sizeHint() const override { return {640, 360}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    QRect plotArea() const;
    QPointF pointOf(const ProgressDay &day) const;
    double xOfDay(QDate day) const;
    double yOfPercent(double percent) const;

    QList<ProgressDay> m_days;
    QDate m_first;
    QDate m_today;
    std::array<qint32, 4> m_thresholds;
};

// The window "Vývoj hodnocení": the chart, or a line saying that there is nothing to show yet.
class TFVyvoj : public QDialog
{
    Q_OBJECT

public:
    TFVyvoj(const QList<ProgressDay> &days, QDate today, const std::array<qint32, 4> &gradeThresholds,
            QWidget *parent = nullptr);
};
