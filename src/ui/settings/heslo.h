#pragma once

#include "core/settings/inifile.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// The password dialog "Zadej heslo": one edit field, "OK" and "Zruš". Enter in the field acts as
// "OK", Esc as "Zruš". Masked, every typed character shows as "*"; unmasked (a new password)
// the text shows as typed. Its hints go to the owner's status line.
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

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool EHesloKeyPress(QKeyEvent *event);
};
