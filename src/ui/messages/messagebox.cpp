#include "ui/messages/messagebox.h"

#include "ui/messages/centerform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include <exception>

namespace {

const QString applicationTitle = QStringLiteral("Numik-Korvelanta");

// QMessageBox settles its size only while it is being shown, so the centring happens there,
// after Qt's own placement.
class CenteredMessageBox : public QMessageBox
{
public:
    CenteredMessageBox(QMessageBox::Icon icon, const QString &title, const QString &text, QWidget *over)
        : QMessageBox(icon, title, text, QMessageBox::Ok, over)
        , m_over(over)
    {
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        if (m_over)
            CenterOverForm(this, m_over);
    }

private:
    QPointer<QWidget> m_over;
};

void showBox(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QApplication::beep();

    // A child widget never is the active window in Qt, but its top-level window is what the
    // box belongs over in any case.
    QWidget *over = QApplication::activeWindow();
    if (over)
        over = over->window();

    // The box is owned by the window it sits over; should that window go away while the box is
    // open, the box goes with it and the pointer tells.
    QPointer<CenteredMessageBox> box = new CenteredMessageBox(icon, title, text, over);
    // Texts may carry file names and other outside text: never read them as markup.
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(QMessageBox::Ok);
    box->setEscapeButton(QMessageBox::Ok);
    box->exec();
    delete box.data();
}

} // namespace

void ShowMessageBox(const QString &text, MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        showBox(QMessageBox::Warning, QStringLiteral("Warning"), text);
        return;
    case MessageKind::Error:
        showBox(QMessageBox::Critical, QStringLiteral("Error"), text);
        return;
    case MessageKind::Information:
        showBox(QMessageBox::Information, QStringLiteral("Information"), text);
        return;
    case MessageKind::Confirmation:
        showBox(QMessageBox::Question, QStringLiteral("Confirm"), text);
        return;
    }
    // A kind outside the four shows as information.
    showBox(QMessageBox::Information, QStringLiteral("Information"), text);
}

void ShowErrorMessage(const QString &text)
{
    showBox(QMessageBox::Critical, applicationTitle, text.endsWith(u'.') ? text : text + u'.');
}

bool RunGuarded(const std::function<void()> &action)
{
    QString message;
    try {
        action();
        return true;
    } catch (const std::exception &error) {
        message = QString::fromUtf8(error.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    try {
        ShowErrorMessage(message);
    } catch (...) {
        // Not even the message could be shown (out of memory); the action stays abandoned.
    }
    return false;
}
