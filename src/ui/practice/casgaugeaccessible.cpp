#include "ui/practice/casgaugeaccessible.h"

#include "ui/practice/casgauge.h"

#include <algorithm>
#include <limits>

CasGaugeAccessible::CasGaugeAccessible(CasGauge *gauge)
    : QAccessibleWidget(gauge, QAccessible::ProgressBar)
{
}

QAccessibleInterface *CasGaugeAccessible::create(const QString &className, QObject *object)
{
    auto *gauge = qobject_cast<CasGauge *>(object);
    return gauge && className == QLatin1String(CasGauge::staticMetaObject.className()) ? new CasGaugeAccessible(gauge)
                                                                                        : nullptr;
}

const CasGauge *CasGaugeAccessible::gauge() const
{
    return static_cast<const CasGauge *>(object());
}

void *CasGaugeAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString CasGaugeAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Value)
        return QStringLiteral("%1 s").arg(gauge()->remainingSeconds());
    return QAccessibleWidget::text(type);
}

QVariant CasGaugeAccessible::currentValue() const
{
    return gauge()->remainingSeconds();
}

QVariant CasGaugeAccessible::maximumValue() const
{
    const qint64 span = qint64(gauge()->maximum()) - qint64(gauge()->minimum());
    return int(std::clamp<qint64>(span, 0, std::numeric_limits<int>::max()));
}
