#pragma once

#include <QFlags>
#include <QLineEdit>

#include <functional>

class QKeyEvent;

// Horizontal alignment of the text of a number field.
enum class TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

// The keys a number field may turn into focus movement: Enter to the next control in tab
// order, Esc to the previous one.
enum class TKeySet { ksReturn = 0x1, ksEscape = 0x2 };
Q_DECLARE_FLAGS(TKeySets, TKeySet)
Q_DECLARE_OPERATORS_FOR_FLAGS(TKeySets)

// The single-line field in which the program shows and takes numbers: a QLineEdit with the
// alignment of the text, the optional Enter/Esc focus movement and a key-press hook.
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

    TKeySets keys() const { return m_keys; }
    void setKeys(TKeySets keys) { m_keys = keys; }

    // The small identifier riding with the field (the hidden slot of a number field).
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    void setKeyPressHandler(KeyPressHandler handler) { m_keyPressHandler = std::move(handler); }

    // Enter is both the main Return key and the keypad's Enter.
    static bool isEnterKey(const QKeyEvent *event);
    static bool isEscapeKey(const QKeyEvent *event);

signals:
    void textAlignmentChanged(TAlignment alignment);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    TAlignment m_alignment = TAlignment::taLeftJustify;
    TKeySets m_keys;
    int m_tag = 0;
    KeyPressHandler m_keyPressHandler;
};
