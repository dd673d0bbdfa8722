#include "ui/settings/rxspinedit.h"

#include "core/settings/int32text.h"

#include <QAccessible>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <limits>

namespace {

// long enough for "-2147483648"
constexpr int MaxTextLength = 11;

} // namespace

TRxSpinEdit::TRxSpinEdit(QWidget *parent)
    : QAbstractSpinBox(parent)
{
    lineEdit()->setMaxLength(MaxTextLength);
    lineEdit()->setText(QStringLiteral("0"));
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        if (QAccessible::isActive()) {
            QAccessibleValueChangeEvent event(this, value());
            QAccessible::updateAccessibility(&event);
        }
        emit changed(this);
    });
}

void TRxSpinEdit::setLimits(SpinLimits limits)
{
    m_limits = limits;
    setValue(value());
}

qint32 TRxSpinEdit::value() const
{
    qint32 v = 0;
    if (!parseSignedDecimalSaturated(lineEdit()->text(), v))
        return m_limits.min;
    return v;
}

void TRxSpinEdit::setValue(qint32 value)
{
    lineEdit()->setText(QString::number(m_limits.clamp(value)));
}

qint32 TRxSpinEdit::minimum() const
{
    return m_limits.limited() ? m_limits.min : std::numeric_limits<qint32>::min();
}

qint32 TRxSpinEdit::maximum() const
{
    return m_limits.limited() ? std::max(m_limits.min, m_limits.max) : std::numeric_limits<qint32>::max();
}

QSize TRxSpinEdit::sizeHint() const
{
    ensurePolished();
    // as the spin boxes of Qt measure their longest text: a blank after it, 2 for the cursor
    const int text = fontMetrics().horizontalAdvance(QStringLiteral("-2147483648 ")) + 2;
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, QSize(text, lineEdit()->sizeHint().height()), this);
}

void TRxSpinEdit::applyLimits()
{
    // a text that is no number is left to the user; a number beyond 32 bits shows the bound it
    // reads as, one beyond the limits the nearest limit
    const QString text = lineEdit()->text();
    qint32 v = 0;
    if (!parseSignedDecimalSaturated(text, v))
        return;
    qint32 exact = 0;
    if (!parseSignedDecimal32(text, exact) || m_limits.clamp(v) != v)
        setValue(v);
}

void TRxSpinEdit::stepBy(int steps)
{
    // a step from the edge of the 32-bit range stays at the edge
    const qint64 next = qint64(value()) + steps;
    const qint32 bounded = qint32(std::clamp<qint64>(next, std::numeric_limits<qint32>::min(),
                                                     std::numeric_limits<qint32>::max()));
    setValue(bounded);
    selectAll();
}

QAbstractSpinBox::StepEnabled TRxSpinEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    const qint32 v = value();
    StepEnabled enabled = StepNone;
    if (!m_limits.limited() || v < m_limits.max)
        enabled |= StepUpEnabled;
    if (!m_limits.limited() || v > m_limits.min)
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State TRxSpinEdit::validate(QString &input, int &) const
{
    // digits and a sign; a sign alone or an empty field is a number still being typed
    int start = 0;
    if (!input.isEmpty() && (input[0] == u'-' || input[0] == u'+'))
        start = 1;
    for (int i = start; i < input.size(); ++i) {
        if (input[i] < u'0' || input[i] > u'9')
            return QValidator::Invalid;
    }
    return start == input.size() ? QValidator::Intermediate : QValidator::Acceptable;
}

void TRxSpinEdit::fixup(QString &) const
{
    // the text stays as typed: it reads as the lower limit until it is a number
}

void TRxSpinEdit::focusOutEvent(QFocusEvent *event)
{
    QAbstractSpinBox::focusOutEvent(event);
    applyLimits();
}
