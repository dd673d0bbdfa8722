#pragma once

#include <QLineEdit>

class QKeyEvent;

// Horizontal alignment of the text of a number field.
enum class TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

// The single-line field in which the program shows and takes numbers: a QLineEdit with the
// alignment of the text that tells of Enter with a signal of its own.
class TAMEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TAMEdit(QWidget *parent = nullptr);

    TAlignment textAlignment() const { return m_alignment; }
    // Setting the alignment the field already has does nothing at all.
    void setTextAlignment(TAlignment alignment);

    // The small identifier riding with the field (the hidden slot of a number field).
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

signals:
    void textAlignmentChanged(TAlignment alignment);
    // Enter was pressed in the field. The field itself does nothing with it: unlike
    // returnPressed, it comes also in a read-only field, and no editingFinished follows.
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    TAlignment m_alignment = TAlignment::taLeftJustify;
    int m_tag = 0;
};
