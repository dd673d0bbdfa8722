#pragma once

#include "core/settings/rozsahvalues.h"

#include <QWidget>

#include <array>

class TRxSpinEdit;

// The page "&rozsah počtů": a row per operation, [lowest X][highest X] sign [lowest Y]
// [highest Y] = [lowest Z][highest Z], with "od" and "do" above the fields.
class RangesPage : public QWidget
{
    Q_OBJECT

public:
    explicit RangesPage(QWidget *parent = nullptr);

    TRxSpinEdit *field(Operation op, RangeBound bound) const;
    // addition C1OD..VDO, then subtraction, multiplication and division: the loading order
    std::array<TRxSpinEdit *, 24> fields() const { return m_fields; }

    void load(const std::array<OperationRange, 4> &ranges);
    void store(std::array<OperationRange, 4> &ranges) const;

    // the width the rows take
    int neededWidth() const { return m_neededWidth; }

private:
    int m_neededWidth = 0;
    std::array<TRxSpinEdit *, 24> m_fields = {};
};
