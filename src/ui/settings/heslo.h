#pragma once

#include "core/settings/inifile.h"

#include <QDialog>
#include <QValidator>

class QLineEdit;
class QPushButton;

// The password dialog "Zadej heslo": one edit field, "OK" and "Zruš". Enter in the field acts as
// "OK", Esc as "Zruš". Masked, every typed character shows as "*"; unmasked (a new password)
// the text shows as typed. Its hints go to the owner's status line. A pasted text loses its line
// breaks and control characters and is cut at MaxLength, which the dialog then says; an empty
// field left by a paste is confirmed only by a second OK.
class TFHeslo : public QDialog
{
    Q_OBJECT

public:
    explicit TFHeslo(bool masked, QWidget *parent = nullptr);

    // The longest password the settings file gives back whole: its reader hands out this many
    // characters of the text inside the quotes, however many bytes they take. A longer one
    // would be stored but never match again.
    static constexpr qsizetype MaxLength = IniMaxValueLength;

    // the typed text exactly, blanks at both ends included
    QString password() const;

    QLineEdit *EHeslo = nullptr;
    QPushButton *BBOK = nullptr;
    QPushButton *BBZrus = nullptr;

    // An edit of the field: line breaks and control characters out, a paste cut at MaxLength.
    QValidator::State cleanEdit(QString &input, int &cursor);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool EHesloKeyPress(QKeyEvent *event);
    void BBOKClick();

    qsizetype m_length = 0; // of the field's text after the last edit
    bool m_emptiedByPaste = false;
    bool m_cutNoticePending = false;
};
