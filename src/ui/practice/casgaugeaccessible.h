#pragma once

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

class CasGauge;

// The bar GCasLim as a screen reader meets it: a progress bar named "zbývající čas" whose value
// and text are the seconds left.
class CasGaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit CasGaugeAccessible(CasGauge *gauge);

    // Qt's factory for CasGauge; installed by the first bar made
    static QAccessibleInterface *create(const QString &className, QObject *object);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override;
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    const CasGauge *gauge() const;
};
