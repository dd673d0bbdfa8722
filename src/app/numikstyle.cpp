#include "app/numikstyle.h"

#include <QIcon>

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
