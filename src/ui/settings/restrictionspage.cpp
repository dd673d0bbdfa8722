#include "ui/settings/restrictionspage.h"

#include "ui/settings/pagekit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace {

const char *const OperationParts[] = {"Plus", "Minus", "Krat", "Del"};
const char *const RowTitles[] = {"sčítání X+Y=Z", "odečítání X--Y=Z", "násobení XxY=Z", "dělení X:Y=Z"};
const char *const OperationWords[] = {"sčítání", "odčítání", "násobení", "dělení"};

constexpr int FirstRowTop = 2;
constexpr int RowHeight = 66;

} // namespace

RestrictionsPage::RestrictionsPage(QWidget *parent)
    : QWidget(parent)
{
    const int fieldWidth = spinEditWidth();
    for (std::size_t row = 0; row < 4; ++row) {
        const int top = FirstRowTop + int(row) * RowHeight;
        const int controlTop = top + 17;
        const QString part = QString::fromLatin1(OperationParts[row]);
        const QString word = QString::fromUtf8(OperationWords[row]);
        const Operation op = DialogOperations[row];
        addLabel(this, QString::fromUtf8(RowTitles[row]), {8, top, 200, 16}, true);

        auto *check = new QCheckBox(QStringLiteral("jedno z čísel"), this);
        check->setObjectName(QStringLiteral("OR") + part + QStringLiteral("AN"));
        check->setGeometry(8, controlTop + 1, 104, 20);
        check->setAccessibleName(QStringLiteral("omezení rozsahu pro ") + word);
        connect(check, &QCheckBox::toggled, this, [this, row] { ORPlusANClick(row); });
        m_checks[row] = check;

        auto *combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("ORCislo") + part);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(RestrictionItems());
        combo->setGeometry(112, controlTop, 70, 22);
        combo->setProperty("Tag", 1);
        combo->setAccessibleName(QStringLiteral("která čísla omezení týká pro ") + word);
        combo->installEventFilter(this);
        m_combos[row] = combo;

        addLabel(this, QStringLiteral("musí být"), {190, controlTop, 52, 22});
        const int highestLeft = 248 + fieldWidth;
        addLabel(this, QStringLiteral("od"), {246, top + 2, 40, 14});
        addLabel(this, QStringLiteral("do"), {highestLeft + 2, top + 2, 40, 14});
        m_lowest[row] = addSpinEdit(this, QStringLiteral("RSEOR") + part + QStringLiteral("Od"), RestrictionFieldTag(op, false),
                                    {244, controlTop, fieldWidth, 22}, {}, QStringLiteral("spodní hranice omezení pro ") + word);
        m_highest[row] = addSpinEdit(this, QStringLiteral("RSEOR") + part + QStringLiteral("Do"), RestrictionFieldTag(op, true),
                                     {highestLeft, controlTop, fieldWidth, 22}, {}, QStringLiteral("horní hranice omezení pro ") + word);
        addListChoice(row, controlTop + 24);
        ORPlusANClick(row);
    }
}

void RestrictionsPage::addListChoice(std::size_t row, int top)
{
    const QString part = QString::fromLatin1(OperationParts[row]);
    const QString word = QString::fromUtf8(OperationWords[row]);
    m_interval[row] = new QRadioButton(QStringLiteral("od … do"), this);
    m_interval[row]->setObjectName(QStringLiteral("ORInterval") + part);
    m_interval[row]->setGeometry(26, top, 74, 22);
    m_interval[row]->setAccessibleName(QStringLiteral("omezení intervalem pro ") + word);
    m_interval[row]->setChecked(true);
    m_list[row] = new QRadioButton(QStringLiteral("čísla:"), this);
    m_list[row]->setObjectName(QStringLiteral("ORSeznam") + part);
    m_list[row]->setGeometry(112, top, 60, 22);
    m_list[row]->setAccessibleName(QStringLiteral("omezení seznamem čísel pro ") + word);
    // each row chooses on its own
    auto *choice = new QButtonGroup(this);
    choice->addButton(m_interval[row]);
    choice->addButton(m_list[row]);

    m_numbers[row] = new QLineEdit(this);
    m_numbers[row]->setObjectName(QStringLiteral("ORCisla") + part);
    m_numbers[row]->setGeometry(174, top, 206, 22);
    m_numbers[row]->setAccessibleName(QStringLiteral("čísla omezení pro ") + word);
    m_numbers[row]->setStatusTip(QStringLiteral("čísla oddělená čárkou nebo mezerou, rozsahy jako 6-9, nejvýše %1 čísel")
                                     .arg(NumberList::MaxNumbers));

    connect(m_list[row], &QRadioButton::toggled, this, [this, row] {
        ORPlusANClick(row);
        emit listEdited();
    });
    connect(m_numbers[row], &QLineEdit::textChanged, this, &RestrictionsPage::listEdited);
}

void RestrictionsPage::ORPlusANClick(std::size_t row)
{
    // the combo box and the choice of interval or list stay usable either way
    const bool on = m_checks[row]->isChecked();
    const bool list = m_list[row]->isChecked();
    m_lowest[row]->setEnabled(on && !list);
    m_highest[row]->setEnabled(on && !list);
    m_numbers[row]->setEnabled(on && list);
}

bool RestrictionsPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // opening the list or another window taking over is no leaving of the field
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            for (std::size_t row = 0; row < 4; ++row) {
                if (watched == m_combos[row])
                    ORCisloPlusExit(row);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool RestrictionsPage::takeChoice(std::size_t row)
{
    const int number = RestrictionItemNumber(m_combos[row]->currentText());
    if (number == 0)
        return false;
    m_choice[row] = number;
    m_combos[row]->setProperty("Tag", number);
    return true;
}

void RestrictionsPage::ORCisloPlusExit(std::size_t row)
{
    if (takeChoice(row))
        return;
    QComboBox *combo = m_combos[row];
    // the user cannot leave before the text names a listed item; the choice stays. Only a
    // dialog that closed (cancel) lets the box go.
    QTimer::singleShot(0, combo, [this, combo] {
        if (!combo->window()->isVisible() || RestrictionItemNumber(combo->currentText()) != 0)
            return;
        if (!combo->isVisible())
            emit unlistedBoxHidden(combo);
        combo->setFocus(Qt::OtherFocusReason);
    });
}

QComboBox *RestrictionsPage::takeTypedChoices()
{
    QComboBox *unlisted = nullptr;
    for (std::size_t row = 0; row < 4; ++row) {
        if (!takeChoice(row) && !unlisted)
            unlisted = m_combos[row];
    }
    return unlisted;
}

void RestrictionsPage::loadChoices(const std::array<OperationRange, 4> &ranges)
{
    for (std::size_t row = 0; row < 4; ++row)
        m_checks[row]->setChecked(RestrictionChoiceOf(ranges[row].ORAN).ticked);
    for (std::size_t row = 0; row < 4; ++row) {
        const int choice = RestrictionChoiceOf(ranges[row].ORAN).choice;
        m_combos[row]->setCurrentIndex(choice - 1);
        m_choice[row] = choice;
        m_combos[row]->setProperty("Tag", choice);
    }
}

void RestrictionsPage::loadBounds(const std::array<OperationRange, 4> &ranges)
{
    for (std::size_t row = 0; row < 4; ++row) {
        m_lowest[row]->setValue(ranges[row].OROD);
        m_highest[row]->setValue(ranges[row].ORDO);
    }
    for (std::size_t row = 0; row < 4; ++row) {
        m_numbers[row]->setText(ranges[row].ORCISLA.text());
        (ranges[row].ORCISLA.isEmpty() ? m_interval[row] : m_list[row])->setChecked(true);
    }
}

void RestrictionsPage::store(std::array<OperationRange, 4> &ranges) const
{
    for (std::size_t row = 0; row < 4; ++row) {
        ranges[row].ORAN = m_checks[row]->isChecked() ? m_choice[row] : 0;
        ranges[row].OROD = m_lowest[row]->value();
        ranges[row].ORDO = m_highest[row]->value();
        ranges[row].ORCISLA = m_list[row]->isChecked() ? ReadNumberList(m_numbers[row]->text()).list : NumberList();
    }
}

std::optional<RestrictionsPage::ListProblem> RestrictionsPage::firstListProblem() const
{
    for (std::size_t row = 0; row < 4; ++row) {
        if (!m_checks[row]->isChecked() || !m_list[row]->isChecked())
            continue;
        NumberListReading reading = ReadChosenList(m_numbers[row]->text());
        if (reading.problem != NumberListProblem::None)
            return ListProblem{DialogOperations[row], m_numbers[row], std::move(reading)};
    }
    return std::nullopt;
}
