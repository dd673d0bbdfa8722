#include "app/numikstyle.h"

#include <QIcon>
#include <QVariant>
#include <QWidget>

NumikStyle::NumikStyle(QStyle *base)
    : QProxyStyle(base)
{
}

QIcon NumikStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    if (standardIcon == SP_ToolBarHorizontalExtensionButton || standardIcon == SP_ToolBarVerticalExtensionButton)
        return {};
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

int NumikStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    if (!widget || (metric != PM_IndicatorWidth && metric != PM_IndicatorHeight && metric != PM_CheckBoxLabelSpacing))
        return base;
    bool isZoomed = false;
    const double zoom = widget->property("zoom").toDouble(&isZoomed);
    return isZoomed && zoom > 0 ? qRound(base * zoom) : base;
}
