#include "ui/records/progresschart.h"

#include "ui/app/fonts.h"

#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int FontPixels = 13;
constexpr int SmallFontPixels = 11;
constexpr int LeftMargin = 48;
constexpr int RightMargin = 64;
constexpr int TopMargin = 22;
constexpr int CaptionHeight = 22;
constexpr int BottomMargin = 30 + CaptionHeight;
constexpr double PointRadius = 3.5;

// Grade 1 at the top, grade 5 at the bottom; soft enough that the line stays the thing seen.
const QColor BandColours[] = {QColor(0xd8, 0xf0, 0xd8), QColor(0xe8, 0xf4, 0xd4), QColor(0xfa, 0xf4, 0xd0),
                              QColor(0xfb, 0xe6, 0xcc), QColor(0xf8, 0xd8, 0xd4)};

QString dayLabel(QDate day)
{
    return QStringLiteral("%1. %2.").arg(day.day()).arg(day.month());
}

// "1 hodnocení" serves every count in Czech, as the noun does not change.
QString toolTipText(const ProgressDay &day)
{
    return QStringLiteral("%1 %2: %3 %, %4 hodnocení")
        .arg(dayLabel(day.day), QString::number(day.day.year()), QString::number(qRound(day.meanPercent)))
        .arg(day.evaluations);
}

} // namespace

ProgressChart::ProgressChart(QList<ProgressDay> days, QDate today, const std::array<qint32, 4> &gradeThresholds,
                             QWidget *parent)
    : QWidget(parent), m_days(std::move(days)), m_first(FirstProgressDay(today)), m_today(today),
      m_thresholds(gradeThresholds)
{
    setObjectName(QStringLiteral("ProgressChart"));
    setAccessibleName(QStringLiteral("graf vývoje hodnocení"));
    setMouseTracking(true);
    setMinimumSize(sizeHint());
}

QRect ProgressChart::plotArea() const
{
    return rect().adjusted(LeftMargin, TopMargin, -RightMargin, -BottomMargin);
}

double ProgressChart::xOfDay(QDate day) const
{
    const QRect area = plotArea();
    const double span = double(ProgressWeeks) * 7 - 1;
    return area.left() + area.width() * double(m_first.daysTo(day)) / span;
}

double ProgressChart::yOfPercent(double percent) const
{
    const QRect area = plotArea();
    return area.bottom() - area.height() * std::clamp(percent, 0.0, 100.0) / 100.0;
}

QPointF ProgressChart::pointOf(const ProgressDay &day) const
{
    return {xOfDay(day.day), yOfPercent(day.meanPercent)};
}

void ProgressChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    const QRect area = plotArea();
    const QFont font = ArialPixels(FontPixels);
    const QFont small = ArialPixels(SmallFontPixels);
    painter.setFont(font);

    // the bands: grade g from its threshold up to the better grade's; thresholds kept as read
    // from the settings file may be out of order or range, so each is clamped below the one before
    double upper = 100.0;
    for (int grade = 1; grade <= 5; ++grade) {
        const double lower = grade == 5 ? 0.0 : std::clamp(double(m_thresholds[std::size_t(grade - 1)]), 0.0, upper);
        const QRectF band(area.left(), yOfPercent(upper), area.width(), yOfPercent(lower) - yOfPercent(upper));
        painter.fillRect(band, BandColours[grade - 1]);
        if (band.height() >= SmallFontPixels) {
            painter.setPen(QColor(0x50, 0x50, 0x50));
            painter.drawText(QRectF(area.right() + 6, band.top(), RightMargin - 6, band.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("známka %1").arg(grade));
        }
        upper = lower;
    }

    // the percentage axis with a line every 25 %
    for (int percent = 0; percent <= 100; percent += 25) {
        const double y = yOfPercent(percent);
        painter.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 1, percent == 0 ? Qt::SolidLine : Qt::DotLine));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, y - FontPixels, LeftMargin - 6, 2 * FontPixels), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1 %").arg(percent));
    }

    // a day label every week, the last one on today
    for (int week = 0; week < ProgressWeeks; ++week) {
        const QDate day = m_today.addDays(-7 * week);
        const double x = xOfDay(day);
        painter.setPen(QColor(0xb0, 0xb0, 0xb0));
        painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + 4));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x - 30, area.bottom() + 5, 60, FontPixels + 4), Qt::AlignHCenter | Qt::AlignTop,
                         dayLabel(day));
    }
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);

    // the days' means joined in day order, each with its number of evaluations above it
    QPainterPath line;
    for (const ProgressDay &day : m_days) {
        if (line.elementCount() == 0)
            line.moveTo(pointOf(day));
        else
            line.lineTo(pointOf(day));
    }
    painter.setPen(QPen(QColor(0x20, 0x50, 0xa0), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(line);
    painter.setFont(small);
    for (qsizetype i = 0; i < m_days.size(); ++i) {
        const QPointF point = pointOf(m_days[i]);
        painter.setPen(QPen(QColor(0x20, 0x50, 0xa0), 1.5));
        painter.setBrush(Qt::white);
        painter.drawEllipse(point, PointRadius, PointRadius);
        // the count goes where the line is not: below a dip, above anything else, and inside
        // the widget at the top and the bottom of the scale
        const double before = i > 0 ? pointOf(m_days[i - 1]).y() : point.y();
        const double after = i + 1 < m_days.size() ? pointOf(m_days[i + 1]).y() : point.y();
        const double labelHeight = SmallFontPixels + 2;
        const bool dip = point.y() > before && point.y() > after;
        const double aboveTop = point.y() - PointRadius - labelHeight;
        const double belowTop = point.y() + PointRadius;
        const bool below = (dip && belowTop + labelHeight <= area.bottom()) || aboveTop < 0;
        painter.setPen(QColor(0x20, 0x20, 0x20));
        painter.drawText(QRectF(point.x() - 15, below ? belowTop : aboveTop, 30, labelHeight), Qt::AlignCenter,
                         QString::number(m_days[i].evaluations));
    }

    painter.setFont(font);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawText(QRectF(area.left(), area.bottom() + BottomMargin - CaptionHeight, area.width(), CaptionHeight),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Bod: průměrná úspěšnost dne. Číslo u bodu: počet hodnocení toho dne."));
}

bool ProgressChart::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const ProgressDay *nearest = nullptr;
    double best = 8.0; // pixels from the point that still count as on it
    for (const ProgressDay &day : m_days) {
        const double distance = QLineF(pointOf(day), help->pos()).length();
        if (distance <= best) {
            best = distance;
            nearest = &day;
        }
    }
    if (nearest)
        QToolTip::showText(help->globalPos(), toolTipText(*nearest), this);
    else
        QToolTip::hideText();
    return true;
}

TFVyvoj::TFVyvoj(const QList<ProgressDay> &days, QDate today, const std::array<qint32, 4> &gradeThresholds,
                 QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FVyvoj"));
    setWindowTitle(QStringLiteral("Vývoj hodnocení"));
    setFont(ArialPixels(FontPixels));
    auto *layout = new QVBoxLayout(this);
    if (days.isEmpty()) {
        auto *empty = new QLabel(QStringLiteral("Zatím nejsou žádná hodnocení."), this);
        empty->setObjectName(QStringLiteral("LPrazdno"));
        empty->setAlignment(Qt::AlignCenter);
        empty->setMinimumSize(300, 80);
        layout->addWidget(empty);
    } else {
        layout->addWidget(new ProgressChart(days, today, gradeThresholds, this));
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
