#include "ui/practice/casgauge.h"

#include "core/practice/countdown.h"
#include "ui/practice/casgaugeaccessible.h"

#include <QAccessible>
#include <QColor>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace {

const QColor FrameColour(0, 0, 0);
const QColor SpentColour(0xe0, 0x00, 0x00);
// a bright green that still sits well beside the red
const QColor LeftColour(0x3c, 0xe6, 0x4b);
// dark enough to read on the red as on the green
const QColor CaptionColour(0x10, 0x10, 0x10);

} // namespace

CasGauge::CasGauge(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    static const bool accessible = [] {
        QAccessible::installFactory(&CasGaugeAccessible::create);
        return true;
    }();
    Q_UNUSED(accessible);
    setAccessibleName(QStringLiteral("zbývající čas"));
}

int CasGauge::remainingSeconds() const
{
    const qint64 left = qint64(m_maximum) - qint64(m_progress);
    return int(std::clamp<qint64>(left, 0, std::numeric_limits<int>::max()));
}

void CasGauge::tellScreenReaders()
{
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, remainingSeconds());
        QAccessible::updateAccessibility(&event);
    }
}

void CasGauge::setMinimum(int minimum)
{
    if (minimum == m_minimum)
        return;
    m_minimum = minimum;
    update();
}

void CasGauge::setMaximum(int maximum)
{
    if (maximum == m_maximum)
        return;
    m_maximum = maximum;
    m_progress = std::min(m_progress, m_maximum);
    update();
    tellScreenReaders();
}

void CasGauge::setProgress(int progress)
{
    if (progress > m_maximum || progress == m_progress)
        return;
    m_progress = progress;
    update();
    tellScreenReaders();
}

void CasGauge::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void CasGauge::apply(const CountdownGauge &gauge)
{
    setMinimum(gauge.minimum);
    setMaximum(gauge.maximum);
    setProgress(gauge.progress);
    setCaption(gauge.caption);
    setVisible(gauge.visible);
}

QRect CasGauge::innerRect() const
{
    return rect().adjusted(1, 1, -1, -1);
}

int CasGauge::fillWidth() const
{
    const qint64 inner = std::max(innerRect().width(), 0);
    // wide arithmetic: the range of a 32-bit minimum and maximum needs 33 bits
    const qint64 span = qint64(m_maximum) - qint64(m_minimum);
    if (span <= 0)
        return 0;
    const qint64 done = std::clamp<qint64>(qint64(m_progress) - qint64(m_minimum), 0, span);
    return static_cast<int>(inner * done / span);
}

QSize CasGauge::sizeHint() const
{
    return {304, 17};
}

void CasGauge::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), FrameColour);
    const QRect inner = innerRect();
    if (inner.isEmpty())
        return;
    const int fill = fillWidth();
    painter.fillRect(QRect(inner.left(), inner.top(), fill, inner.height()), SpentColour);
    painter.fillRect(QRect(inner.left() + fill, inner.top(), inner.width() - fill, inner.height()), LeftColour);
    if (!m_caption.isEmpty()) {
        painter.setPen(CaptionColour);
        painter.setFont(font());
        painter.drawText(inner, Qt::AlignCenter, m_caption);
    }
}
