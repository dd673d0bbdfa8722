#pragma once

#include "core/settings/rozsahvalues.h"

#include <QAbstractSpinBox>

// A number field with up and down buttons that holds a whole number as text, as the settings
// dialog's fields behave:
// - digits and a sign can be typed; the arrow keys and the buttons change the value by 1;
// - limits apply unless both are 0: a value the program sets, or one the user leaves behind
//   when the focus moves away, is replaced by the nearest limit (typing is not hindered);
// - value() parses the text; a whole number beyond 32 bits reads as the nearer 32-bit bound,
//   and leaving the field shows that bound or the nearest limit; a text that is no whole
//   number (an empty one too) reads as the lower limit;
// - changed() is emitted on every change of the text, typed or set.
// Screen readers hear the number through the value interface, which reads these properties.
class TRxSpinEdit : public QAbstractSpinBox
{
    Q_OBJECT
    Q_PROPERTY(qint32 value READ value WRITE setValue)
    Q_PROPERTY(qint32 minimum READ minimum)
    Q_PROPERTY(qint32 maximum READ maximum)

public:
    explicit TRxSpinEdit(QWidget *parent = nullptr);

    void setLimits(SpinLimits limits);
    SpinLimits limits() const { return m_limits; }

    qint32 value() const;
    void setValue(qint32 value);
    // the limits, or the 32-bit range when there are none
    qint32 minimum() const;
    qint32 maximum() const;
    // What leaving the field does: a value beyond the limits or beyond 32 bits becomes the
    // nearest limit or 32-bit bound.
    void applyLimits();

    // The key by which the settings dialog finds the field's partner.
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    // room for the longest number, "-2147483648", in the field's font
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void changed(TRxSpinEdit *field);

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    SpinLimits m_limits;
    int m_tag = 0;
};
