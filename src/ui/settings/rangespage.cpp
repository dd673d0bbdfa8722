#include "ui/settings/rangespage.h"

#include "ui/settings/pagekit.h"

namespace {

const char *const OperationParts[] = {"Plus", "Minus", "Krat", "Del"};
const char *const OperationWords[] = {"sčítání", "odčítání", "násobení", "dělení"};
const char *const RowSigns[] = {"+", "--", "X", ":"};
const char *const BoundParts[] = {"OD1", "DO1", "OD2", "DO2", "ODV", "DOV"};
const char *const BoundHints[] = {
    "spodní hranice rozsahu generování čísla 1 pro", "horní hranice rozsahu generování čísla 1 pro",
    "spodní hranice rozsahu generování čísla 2 pro", "horní hranice rozsahu generování čísla 2 pro",
    "spodní hranice rozsahu správného výsledku pro", "horní hranice rozsahu správného výsledku pro",
};

// the six fields in three pairs with a sign between the pairs, each field as wide as the longest
// number needs
constexpr int FieldHeight = 22;
constexpr int Margin = 6;
constexpr int PairGap = 2;
constexpr int SignWidth = 20;
constexpr int FirstRowTop = 6;
constexpr int RowHeight = 44;

} // namespace

RangesPage::RangesPage(QWidget *parent)
    : QWidget(parent)
{
    const int fieldWidth = spinEditWidth();
    int fieldLeft[6] = {};
    int signLeft[2] = {};
    for (int pair = 0, x = Margin; pair < 3; ++pair) {
        fieldLeft[2 * pair] = x;
        fieldLeft[2 * pair + 1] = x + fieldWidth + PairGap;
        x += 2 * fieldWidth + PairGap;
        if (pair < 2)
            signLeft[pair] = x;
        x += SignWidth;
    }
    m_neededWidth = fieldLeft[5] + fieldWidth + Margin;
    for (int row = 0; row < 4; ++row) {
        const int top = FirstRowTop + row * RowHeight;
        const int fieldTop = top + 14;
        for (int b = 0; b < 6; ++b) {
            const QString name = QStringLiteral("RSE") + QLatin1String(OperationParts[row]) + QLatin1String(BoundParts[b]);
            const QString hint = QString::fromUtf8(BoundHints[b]) + u' ' + QString::fromUtf8(OperationWords[row]);
            addLabel(this, b % 2 == 0 ? QStringLiteral("od") : QStringLiteral("do"),
                     {fieldLeft[b] + 2, top, fieldWidth, 14});
            m_fields[std::size_t(row * 6 + b)] =
                addSpinEdit(this, name, RangeFieldTag(DialogOperations[std::size_t(row)], DialogBounds[std::size_t(b)]),
                            {fieldLeft[b], fieldTop, fieldWidth, FieldHeight}, hint);
        }
        const QString signs[] = {QString::fromLatin1(RowSigns[row]), QStringLiteral("=")};
        for (int s = 0; s < 2; ++s) {
            QLabel *sign = addLabel(this, signs[s], {signLeft[s], fieldTop, SignWidth, FieldHeight}, true, 16);
            sign->setAlignment(Qt::AlignCenter);
        }
    }
}

TRxSpinEdit *RangesPage::field(Operation op, RangeBound bound) const
{
    const auto row = std::size_t(static_cast<qint32>(op) - 1);
    const auto column = std::size_t(static_cast<qint32>(bound) - 1);
    return m_fields.at(row * 6 + column);
}

void RangesPage::load(const std::array<OperationRange, 4> &ranges)
{
    for (std::size_t row = 0; row < 4; ++row) {
        for (std::size_t b = 0; b < 6; ++b)
            m_fields[row * 6 + b]->setValue(boundOf(ranges[row], DialogBounds[b]));
    }
}

void RangesPage::store(std::array<OperationRange, 4> &ranges) const
{
    for (std::size_t row = 0; row < 4; ++row) {
        for (std::size_t b = 0; b < 6; ++b)
            boundOf(ranges[row], DialogBounds[b]) = m_fields[row * 6 + b]->value();
    }
}
