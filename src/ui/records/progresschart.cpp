#include "ui/records/progresschart.h"

#include "ui/app/fonts.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

// Lengths at 100 %.
constexpr double FontPixels = 13;
constexpr double CountFontPixels = 12;
constexpr double LeftMargin = 48;
constexpr double RightMargin = 70;
constexpr double TopMargin = 24;
constexpr double CaptionHeight = 22;
constexpr double BottomMargin = 30 + CaptionHeight;
constexpr double PointRadius = 3.5;

// Grade 1 at the top, grade 5 at the bottom: green, yellow-green, yellow, orange and red, each
// hue apart from the next, and soft enough that the line stays the thing seen.
const QColor BandColours[] = {QColor(0xbc, 0xe2, 0xc0), QColor(0xe6, 0xf2, 0xb4), QColor(0xfb, 0xf0, 0xbe),
                              QColor(0xfb, 0xda, 0xb8), QColor(0xf6, 0xc6, 0xc2)};
const QColor LineColour(0x20, 0x50, 0xa0);

QString shortDay(QDate day)
{
    return QStringLiteral("%1. %2.").arg(day.day()).arg(day.month());
}

QString pointName(const ProgressDay &point, ProgressStep step)
{
    switch (step) {
    case ProgressStep::Week: return QStringLiteral("týden od %1").arg(ProgressDateText(point.day));
    case ProgressStep::Month: return QStringLiteral("%1/%2").arg(point.day.month()).arg(point.day.year());
    case ProgressStep::Day: break;
    }
    return ProgressDateText(point.day);
}

// "1 hodnocení" serves every count in Czech, as the noun does not change.
QString toolTipText(const ProgressDay &point, ProgressStep step)
{
    return QStringLiteral("%1: %2 %, %3 hodnocení")
        .arg(pointName(point, step), QString::number(qRound(point.meanPercent)))
        .arg(point.evaluations);
}

QString captionText(ProgressStep step)
{
    const QString of = step == ProgressStep::Day    ? QStringLiteral("dne")
                       : step == ProgressStep::Week ? QStringLiteral("týdne")
                                                    : QStringLiteral("měsíce");
    return QStringLiteral("Bod: průměrná úspěšnost %1. Číslo u bodu: počet hodnocení (vše ukáže myš na bodu).").arg(of);
}

} // namespace

ProgressChart::ProgressChart(const std::array<qint32, 4> &gradeThresholds, qreal zoom, QWidget *parent)
    : QWidget(parent), m_thresholds(gradeThresholds), m_zoom(zoom > 0 ? zoom : 1.0)
{
    setObjectName(QStringLiteral("ProgressChart"));
    setAccessibleName(QStringLiteral("graf vývoje hodnocení"));
    setMouseTracking(true);
    setMinimumSize(sizeHint());
}

QSize ProgressChart::sizeHint() const
{
    return QSize(qRound(scaled(BaseSize.width())), qRound(scaled(BaseSize.height())));
}

void ProgressChart::setPoints(QList<ProgressDay> points, const ProgressSpan &span)
{
    m_points = std::move(points);
    m_span = span;
    update();
}

QRectF ProgressChart::plotArea() const
{
    return QRectF(rect()).adjusted(scaled(LeftMargin), scaled(TopMargin), -scaled(RightMargin), -scaled(BottomMargin));
}

double ProgressChart::xOfDay(QDate day) const
{
    const QRectF area = plotArea();
    const double span = std::max<qint64>(1, m_span.first.daysTo(m_span.last));
    const double offset = std::clamp<double>(m_span.first.daysTo(day), 0.0, span);
    return area.left() + area.width() * offset / span;
}

double ProgressChart::yOfPercent(double percent) const
{
    const QRectF area = plotArea();
    return area.bottom() - area.height() * std::clamp(percent, 0.0, 100.0) / 100.0;
}

QPointF ProgressChart::pointOf(const ProgressDay &day) const
{
    return {xOfDay(day.day), yOfPercent(day.meanPercent)};
}

void ProgressChart::paintBands(QPainter &painter, const QRectF &area) const
{
    // grade g from its threshold up to the better grade's; thresholds kept as read from the
    // settings file may be out of order or range, so each is clamped below the one before
    const QFont font = ArialPixels(qRound(scaled(FontPixels)));
    painter.setFont(font);
    const double textHeight = QFontMetricsF(font).height();
    double upper = 100.0;
    for (int grade = 1; grade <= 5; ++grade) {
        const double lower = grade == 5 ? 0.0 : std::clamp(double(m_thresholds[std::size_t(grade - 1)]), 0.0, upper);
        const QRectF band(area.left(), yOfPercent(upper), area.width(), yOfPercent(lower) - yOfPercent(upper));
        painter.fillRect(band, BandColours[grade - 1]);
        if (band.height() >= textHeight) {
            painter.setPen(QColor(0x40, 0x40, 0x40));
            painter.drawText(QRectF(area.right() + scaled(6), band.top(), scaled(RightMargin - 6), band.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("známka %1").arg(grade));
        }
        upper = lower;
    }
}

void ProgressChart::paintAxes(QPainter &painter, const QRectF &area) const
{
    const QFont font = ArialPixels(qRound(scaled(FontPixels)));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    // the percentage axis with a line every 25 %
    for (int percent = 0; percent <= 100; percent += 25) {
        const double y = yOfPercent(percent);
        painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 1, percent == 0 ? Qt::SolidLine : Qt::DotLine));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, y - metrics.height(), area.left() - scaled(6), 2 * metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 %").arg(percent));
    }
    // day labels back from the last day, a whole number of weeks apart, never overlapping
    const qint64 days = m_span.first.daysTo(m_span.last);
    const bool years = days > 366;
    const qint64 step = 7 * std::max<qint64>(1, qint64(std::ceil(double(days) / 7.0 / 8.0)));
    double leftFree = area.right() + scaled(40);
    for (QDate day = m_span.last; day >= m_span.first; day = day.addDays(-step)) {
        const QString text = years ? QStringLiteral("%1/%2").arg(day.month()).arg(day.year()) : shortDay(day);
        const double x = xOfDay(day);
        const double width = metrics.horizontalAdvance(text) + scaled(6);
        if (x + width / 2 > leftFree)
            continue;
        leftFree = x - width / 2;
        painter.setPen(QColor(0x90, 0x90, 0x90));
        painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + scaled(4)));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x - width / 2, area.bottom() + scaled(5), width, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, text);
    }
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawText(QRectF(area.left(), height() - scaled(CaptionHeight), width() - area.left(), scaled(CaptionHeight)),
                     Qt::AlignLeft | Qt::AlignVCenter, captionText(m_span.step));
}

void ProgressChart::paintCounts(QPainter &painter, const QRectF &area) const
{
    // each count goes where the line is not (below a dip, above anything else), else to the other
    // side; one that would touch a point or a count already written, or leave the plot, is left
    // to the tool tip, so that neighbouring counts never run together into one number
    const QFont font = ArialPixels(qRound(scaled(CountFontPixels)));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double radius = scaled(PointRadius);
    QList<QRectF> taken; // the points themselves, and then the counts written
    for (const ProgressDay &day : m_points)
        taken.append(QRectF(pointOf(day) - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)));
    for (qsizetype i = 0; i < m_points.size(); ++i) {
        const QPointF point = pointOf(m_points[i]);
        const double before = i > 0 ? pointOf(m_points[i - 1]).y() : point.y();
        const double after = i + 1 < m_points.size() ? pointOf(m_points[i + 1]).y() : point.y();
        const bool dip = point.y() > before && point.y() > after;
        const QString text = QString::number(m_points[i].evaluations);
        const double width = metrics.horizontalAdvance(text) + scaled(4);
        const double left = std::clamp(point.x() - width / 2, area.left() + 1, area.right() - 1 - width);
        for (const bool below : {dip, !dip}) {
            const double top = below ? point.y() + radius : point.y() - radius - metrics.height();
            const QRectF box(left, top, width, metrics.height());
            if (box.top() < scaled(2) || box.bottom() > area.bottom()
                || std::any_of(taken.cbegin(), taken.cend(), [&](const QRectF &other) { return other.intersects(box); }))
                continue;
            taken.append(box);
            painter.setPen(QColor(0x20, 0x20, 0x20));
            painter.drawText(box, Qt::AlignCenter, text);
            break;
        }
    }
}

void ProgressChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    const QRectF area = plotArea();
    paintBands(painter, area);
    paintAxes(painter, area);

    // the points' means joined in day order
    QPainterPath line;
    for (const ProgressDay &day : m_points) {
        if (line.elementCount() == 0)
            line.moveTo(pointOf(day));
        else
            line.lineTo(pointOf(day));
    }
    painter.setPen(QPen(LineColour, scaled(2)));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(line);
    painter.setPen(QPen(LineColour, scaled(1.5)));
    painter.setBrush(Qt::white);
    for (const ProgressDay &day : m_points)
        painter.drawEllipse(pointOf(day), scaled(PointRadius), scaled(PointRadius));
    paintCounts(painter, area);
}

bool ProgressChart::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const ProgressDay *nearest = nullptr;
    double best = scaled(8.0); // how far from the point still counts as on it
    for (const ProgressDay &day : m_points) {
        const double distance = QLineF(pointOf(day), help->pos()).length();
        if (distance <= best) {
            best = distance;
            nearest = &day;
        }
    }
    if (nearest)
        QToolTip::showText(help->globalPos(), toolTipText(*nearest, m_span.step), this);
    else
        QToolTip::hideText();
    return true;
}
