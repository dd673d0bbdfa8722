#include "ui/generator/amedit.h"

#include "ui/messages/messagebox.h"

#include <QKeyEvent>

namespace {

Qt::Alignment toQtAlignment(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case TAlignment::taCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case TAlignment::taLeftJustify:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

TAMEdit::TAMEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setAlignment(toQtAlignment(m_alignment));
}

void TAMEdit::setTextAlignment(TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    setAlignment(toQtAlignment(alignment));
    emit textAlignmentChanged(alignment);
}

bool TAMEdit::isEnterKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

void TAMEdit::keyPressEvent(QKeyEvent *event)
{
    if (m_keyPressHandler) {
        // The hook runs inside Qt's event delivery, where no exception may pass. One that
        // escapes it abandons the key, as it abandons the rest of the handler, and is shown as
        // the general error message.
        bool consumed = true;
        RunGuarded([&] { consumed = m_keyPressHandler(this, event); });
        if (consumed) {
            event->accept();
            return;
        }
    }

    QLineEdit::keyPressEvent(event);
}
