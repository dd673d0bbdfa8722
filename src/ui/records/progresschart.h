#pragma once

#include "core/records/progressdays.h"

#include <QWidget>

#include <array>

// The chart itself: one point per day (week, month) with evaluations, its mean percentage right
// on a 0–100 % axis over the bands of the grades, the number of evaluations written by each point
// where it finds room and told in full by a tool tip. Every length and font grows with the zoom
// (1.0 at 100 %). Drawn with QPainter, so the program needs no charting library.
class ProgressChart : public QWidget
{
    Q_OBJECT

public:
    ProgressChart(const std::array<qint32, 4> &gradeThresholds, qreal zoom, QWidget *parent = nullptr);

    // The chart's size at 100 %.
    static constexpr QSize BaseSize{640, 360};

    void setPoints(QList<ProgressDay> points, const ProgressSpan &span);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    double scaled(double length) const { return length * m_zoom; }
    QRectF plotArea() const;
    QPointF pointOf(const ProgressDay &day) const;
    double xOfDay(QDate day) const;
    double yOfPercent(double percent) const;
    void paintBands(QPainter &painter, const QRectF &area) const;
    void paintAxes(QPainter &painter, const QRectF &area) const;
    void paintCounts(QPainter &painter, const QRectF &area) const;

    QList<ProgressDay> m_points;
    ProgressSpan m_span;
    std::array<qint32, 4> m_thresholds;
    qreal m_zoom;
};
