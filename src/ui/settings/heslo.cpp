#include "ui/settings/heslo.h"

#include "ui/settings/pagekit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QValidator>

namespace {

// the outer size of 251 × 106 less a usual frame and caption
constexpr QSize ClientSize(245, 77);
constexpr int ButtonStripHeight = 41;

// Refuses any edit that would make the text longer than a password may be. Unlike a maximum
// length, which cuts a pasted text, it never splits a character of two UTF-16 units in half.
class PasswordLength : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return input.size() <= TFHeslo::MaxLength ? Acceptable : Invalid;
    }
};

} // namespace

TFHeslo::TFHeslo(bool masked, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FHeslo"));
    setWindowTitle(QStringLiteral("Zadej heslo"));
    setFont(ArialPixels(13));
    setFixedSize(ClientSize);

    EHeslo = new QLineEdit(this);
    EHeslo->setObjectName(QStringLiteral("EHeslo"));
    EHeslo->setGeometry(8, 8, ClientSize.width() - 16, 22);
    EHeslo->setStatusTip(QStringLiteral("zadej heslo"));
    EHeslo->setAccessibleName(QStringLiteral("heslo"));
    EHeslo->setValidator(new PasswordLength(EHeslo));
    if (masked) {
        EHeslo->setEchoMode(QLineEdit::Password);
        EHeslo->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    }
    EHeslo->installEventFilter(this);

    const int stripTop = ClientSize.height() - ButtonStripHeight;
    BBOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    BBOK->setObjectName(QStringLiteral("BBOK"));
    BBOK->setGeometry(ClientSize.width() - 172, stripTop + 8, 80, 25);
    BBOK->setAutoDefault(false);
    BBZrus = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Zruš"), this);
    BBZrus->setObjectName(QStringLiteral("BBZrus"));
    BBZrus->setGeometry(ClientSize.width() - 88, stripTop + 8, 80, 25);
    BBZrus->setAutoDefault(false);
    connect(BBOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BBZrus, &QPushButton::clicked, this, &QDialog::reject);
    EHeslo->setFocus();
}

QString TFHeslo::password() const
{
    return EHeslo->text();
}

bool TFHeslo::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == EHeslo && event->type() == QEvent::KeyPress && EHesloKeyPress(static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool TFHeslo::EHesloKeyPress(QKeyEvent *event)
{
    // Enter types nothing and confirms
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    BBOK->click();
    return true;
}

bool TFHeslo::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip && parentWidget()) {
        QApplication::sendEvent(parentWidget()->window(), event);
        return true;
    }
    return QDialog::event(event);
}
