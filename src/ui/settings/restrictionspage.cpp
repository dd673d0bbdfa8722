#include "ui/settings/restrictionspage.h"

#include "ui/settings/pagekit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QTimer>

namespace {

const char *const OperationParts[] = {"Plus", "Minus", "Krat", "Del"};
const char *const RowTitles[] = {"sčítání X+Y=Z", "odečítání X--Y=Z", "násobení XxY=Z", "dělení X:Y=Z"};
const char *const OperationWords[] = {"sčítání", "odčítání", "násobení", "dělení"};

constexpr int FirstRowTop = 2;
constexpr int RowHeight = 46;

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
        ORPlusANClick(row);
    }
}

void RestrictionsPage::ORPlusANClick(std::size_t row)
{
    // the combo box stays usable either way
    const bool on = m_checks[row]->isChecked();
    m_lowest[row]->setEnabled(on);
    m_highest[row]->setEnabled(on);
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
}

void RestrictionsPage::store(std::array<OperationRange, 4> &ranges) const
{
    for (std::size_t row = 0; row < 4; ++row) {
        ranges[row].ORAN = m_checks[row]->isChecked() ? m_choice[row] : 0;
        ranges[row].OROD = m_lowest[row]->value();
        ranges[row].ORDO = m_highest[row]->value();
    }
}
