#include "ui/widgets/amedit.h"

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

// Enter is both the main Return key and the keypad's Enter.
bool isEnterKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
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

void TAMEdit::keyPressEvent(QKeyEvent *event)
{
    if (isEnterKey(event)) {
        event->accept();
        emit enterPressed();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
