#include "ui/practice/statuspanel.h"

#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

#include <algorithm>

namespace {

constexpr int FrameWidth = 1;
constexpr int SideMargin = 2;

} // namespace

StatusPanel::StatusPanel(const QString &text, QWidget *parent)
    : ValueLabel(text, parent)
{
}

QRect StatusPanel::textArea() const
{
    return rect().adjusted(FrameWidth + SideMargin, FrameWidth, -(FrameWidth + SideMargin), -FrameWidth);
}

int StatusPanel::baseline() const
{
    const QFontMetrics metrics(font());
    const QRect area = textArea();
    // centred on the font's full height; when the area is lower than that, the descent is kept
    // whole, since a cut "p" or "y" reads worse than a trimmed accent
    const int top = area.top() + (area.height() - metrics.height()) / 2;
    return std::min(top + metrics.ascent(), area.bottom() + 1 - metrics.descent());
}

int StatusPanel::fittedWidth() const
{
    return QFontMetrics(font()).horizontalAdvance(text()) + 2 * (FrameWidth + SideMargin);
}

void StatusPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), true, FrameWidth);
    const QRect area = textArea();
    painter.setClipRect(area);
    painter.setPen(palette().color(QPalette::WindowText));
    const QString shown = QFontMetrics(font()).elidedText(text(), Qt::ElideRight, area.width());
    int left = area.left();
    if (alignment() & Qt::AlignHCenter)
        left += (area.width() - QFontMetrics(font()).horizontalAdvance(shown)) / 2;
    painter.drawText(QPoint(left, baseline()), shown);
}
