#include "ui/app/numikstyle.h"

#include <QIcon>
#include <QMargins>
#include <QMenuBar>
#include <QStyleOptionMenuItem>
#include <QPainter>
#include <QPixmap>
#include <QVariant>
#include <QWidget>

namespace {

// Two small chevrons, drawn rather than looked up, for the overflow button of the menu bar
// (it shows when a hand-edited zoom below 100 % leaves no room for all the menus).
QIcon overflowChevron(Qt::Orientation orientation, const QColor &colour)
{
    constexpr int Side = 16;
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.6));
    if (orientation == Qt::Vertical) {
        painter.translate(Side, 0);
        painter.rotate(90);
    }
    for (const qreal left : {4.0, 8.5})
        painter.drawPolyline(QPolygonF({QPointF(left, 4), QPointF(left + 3.5, 8), QPointF(left, 12)}));
    painter.end();
    return QIcon(pixmap);
}

// The padding of a menu bar's items: the text keeps it inside the item's highlight.
constexpr QMargins MenuBarItemPadding(3, 2, 3, 2);

bool isMenuBar(const QWidget *widget)
{
    return qobject_cast<const QMenuBar *>(widget) != nullptr;
}

} // namespace

NumikStyle::NumikStyle(QStyle *base)
    : QProxyStyle(base)
{
}

QIcon NumikStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    if (standardIcon == SP_ToolBarHorizontalExtensionButton || standardIcon == SP_ToolBarVerticalExtensionButton) {
        const QColor colour = widget ? widget->palette().color(QPalette::ButtonText) : QColor(Qt::black);
        return overflowChevron(standardIcon == SP_ToolBarHorizontalExtensionButton ? Qt::Horizontal : Qt::Vertical, colour);
    }
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

int NumikStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (isMenuBar(widget)
        && (metric == PM_MenuBarItemSpacing || metric == PM_MenuBarHMargin || metric == PM_MenuBarVMargin
            || metric == PM_MenuBarPanelWidth))
        return 0;
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    if (!widget || (metric != PM_IndicatorWidth && metric != PM_IndicatorHeight && metric != PM_CheckBoxLabelSpacing))
        return base;
    bool isZoomed = false;
    const double zoom = widget->property("zoom").toDouble(&isZoomed);
    return isZoomed && zoom > 0 ? qRound(base * zoom) : base;
}

QSize NumikStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                   const QWidget *widget) const
{
    if (type == CT_MenuBarItem && isMenuBar(widget))
        return size.grownBy(MenuBarItemPadding);
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void NumikStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                             const QWidget *widget) const
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (element == CE_MenuBarItem && item && isMenuBar(widget)) {
        QStyleOptionMenuItem padded(*item);
        padded.rect = item->rect.marginsRemoved(MenuBarItemPadding);
        QProxyStyle::drawControl(element, &padded, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
