#pragma once

#include "core/settings/rozsahvalues.h"

#include <QWidget>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class TRxSpinEdit;

// The page "&omezení rozsahu": per operation a sentence "[x] jedno z čísel [X,Y,Z] musí být
// od [..] do [..]", and below it the choice between that interval and a list, "čísla: [..]".
// The box enables the fields of the chosen kind; the editable combo box holds one of the
// listed items (its choice, 1-based) and keeps the focus until its text names one.
class RestrictionsPage : public QWidget
{
    Q_OBJECT

public:
    explicit RestrictionsPage(QWidget *parent = nullptr);

    TRxSpinEdit *lowest(Operation op) const { return m_lowest.at(index(op)); }
    TRxSpinEdit *highest(Operation op) const { return m_highest.at(index(op)); }

    // loading steps: the boxes and the combo boxes from ORAN, then the fields
    void loadChoices(const std::array<OperationRange, 4> &ranges);
    void loadBounds(const std::array<OperationRange, 4> &ranges);
    // What OK does, as leaving each combo box would: a text that names an item becomes its
    // choice. Returns the first box whose text names none (the focus is to go back there), or
    // nullptr when every box holds a listed item.
    QComboBox *takeTypedChoices();
    // ORAN (the choice when ticked, else 0), OROD, ORDO and ORCISLA (empty unless the list is
    // chosen; a list that does not read is kept only while its row is ticked, which OK refuses)
    void store(std::array<OperationRange, 4> &ranges) const;

    // The first ticked row whose chosen list cannot be saved.
    struct ListProblem
    {
        Operation op;
        QLineEdit *field;
        NumberListReading reading;
    };
    std::optional<ListProblem> firstListProblem() const;

signals:
    // The list, or the choice between it and the interval, changed.
    void listEdited();

    // The focus left a box that names no item by leaving the page: the page is to be shown
    // again with the focus in the box.
    void unlistedBoxHidden(QComboBox *combo);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static std::size_t index(Operation op) { return std::size_t(static_cast<qint32>(op) - 1); }
    void ORPlusANClick(std::size_t row);
    void addListChoice(std::size_t row, int top);
    void ORCisloPlusExit(std::size_t row);
    bool takeChoice(std::size_t row);

    std::array<QCheckBox *, 4> m_checks = {};
    std::array<QComboBox *, 4> m_combos = {};
    std::array<TRxSpinEdit *, 4> m_lowest = {};
    std::array<TRxSpinEdit *, 4> m_highest = {};
    std::array<QRadioButton *, 4> m_interval = {};
    std::array<QRadioButton *, 4> m_list = {};
    std::array<QLineEdit *, 4> m_numbers = {};
    std::array<int, 4> m_choice = {1, 1, 1, 1};
};
