#include "ui/settings/heslo.h"

#include "core/settings/passwordtext.h"
#include "ui/messages/messagebox.h"
#include "ui/settings/pagekit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QValidator>


namespace {

// the outer size of 251 × 106 less a usual frame and caption
constexpr QSize ClientSize(245, 77);
constexpr int ButtonStripHeight = 41;

// Hands every edit of the field to the dialog, which cleans it (TFHeslo::cleanEdit).
class PasswordCleaner : public QValidator
{
public:
    PasswordCleaner(TFHeslo *dialog, QObject *parent) : QValidator(parent), m_dialog(dialog) {}
    State validate(QString &input, int &cursor) const override { return m_dialog->cleanEdit(input, cursor); }

private:
    TFHeslo *m_dialog;
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
    EHeslo->setValidator(new PasswordCleaner(this, EHeslo));
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
    connect(BBOK, &QPushButton::clicked, this, Guarded([this] { BBOKClick(); }));
    connect(BBZrus, &QPushButton::clicked, this, &QDialog::reject);
    EHeslo->setFocus();
}

QString TFHeslo::password() const
{
    return EHeslo->text();
}

QValidator::State TFHeslo::cleanEdit(QString &input, int &cursor)
{
    const qsizetype added = input.size() - m_length;
    const PasswordText clean = CleanPasswordText(input, cursor, MaxLength);
    // A key beyond the longest password is refused, as a full field refuses keys. A paste is
    // cut instead, and the dialog says so: refused, it would leave the field as it was, often
    // empty, and OK would then remove the password without a word.
    if (clean.cut && added <= 2)
        return QValidator::Invalid;
    input = clean.text;
    cursor = int(clean.cursor);
    m_length = clean.text.size();
    // the field emptied by the teacher's own keys is a wish to remove the password; emptied by
    // a paste of nothing usable it is not (the check runs again on the text it left, which must
    // not undo the note)
    if (clean.emptied)
        m_emptiedByPaste = true;
    else if (!clean.text.isEmpty())
        m_emptiedByPaste = false;
    if (clean.cut && !m_cutNoticePending) {
        // told once the edit is over, not from within it
        m_cutNoticePending = true;
        QTimer::singleShot(0, this, Guarded([this] {
            m_cutNoticePending = false;
            ShowMessageBox(QStringLiteral("Vložený text je delší, než může být heslo: heslo je jeho prvních %1 znaků.")
                               .arg(MaxLength),
                           MessageKind::Information);
        }));
    }
    return QValidator::Acceptable;
}

void TFHeslo::BBOKClick()
{
    if (m_emptiedByPaste && EHeslo->text().isEmpty()) {
        m_emptiedByPaste = false;
        ShowMessageBox(QStringLiteral("Vložený text neobsahoval žádný znak hesla a pole zůstalo prázdné. "
                                      "Prázdné heslo heslo zruší; chcete-li to, potvrďte znovu."),
                       MessageKind::Warning);
        EHeslo->setFocus();
        return;
    }
    accept();
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
