#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class TRxSpinEdit;

// The page "&dílčí hodnocení": the lowest percentage of right answers for grades 1 to 4, and
// the automatic evaluation after a number of exercises, optionally clearing the partial counts.
class GradingPage : public QWidget
{
    Q_OBJECT

public:
    explicit GradingPage(QWidget *parent = nullptr);

    // grade 1..4: RSEHodn1..RSEHodn4 (Tags 100..103)
    TRxSpinEdit *threshold(int grade) const { return m_thresholds.at(std::size_t(grade - 1)); }
    TRxSpinEdit *RSEAutoPo = nullptr;
    QCheckBox *ChBMazPo = nullptr;

private:
    std::array<TRxSpinEdit *, 4> m_thresholds = {};
};
