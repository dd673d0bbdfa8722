#pragma once

#include <QLineEdit>

#include <functional>

class QKeyEvent;

// Horizontal alignment of the text of a number field.
enum class TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

// The single-line field in which the program shows and takes numbers: a QLineEdit with the
// alignment of the text and a key-press hook.
class TAMEdit : public QLineEdit
{
    Q_OBJECT

public:
    // Called for every key press that the field does not swallow itself, before the field's
    // own editing. Returning true consumes the key: the field does nothing more with it.
    using KeyPressHandler = std::function<bool(TAMEdit *sender, QKeyEvent *event)>;

    explicit TAMEdit(QWidget *parent = nullptr);

    TAlignment textAlignment() const { return m_alignment; }
    // Setting the alignment the field already has does nothing at all.
    void setTextAlignment(TAlignment alignment);

    // The small identifier riding with the field (the hidden slot of a number field).
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    void setKeyPressHandler(KeyPressHandler handler) { m_keyPressHandler = std::move(handler); }

    // Enter is both the main Return key and the keypad's Enter.
    static bool isEnterKey(const QKeyEvent *event);

signals:
    void textAlignmentChanged(TAlignment alignment);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    TAlignment m_alignment = TAlignment::taLeftJustify;
    int m_tag = 0;
    KeyPressHandler m_keyPressHandler;
};
