#pragma once

#include "core/settings/settingsowner.h"

#include <QDialog>
#include <QHash>

class GradingPage;
class QComboBox;
class QPushButton;
class RangesPage;
class RestrictionsPage;
class TeachingPage;
class TimeLimitPage;
class TPageControl;
class TRxSpinEdit;
class UnknownPage;

// The settings dialog "Možnosti". It loads itself from the teacher's settings when created, keeps
// range pairs in order and the thresholds strictly falling while the teacher edits, and on OK
// proves that every operation still admits an exercise before it hands every value to the
// settings' owner (SettingsOwner::applySettings: the practice, or a class's file), which saves
// and applies them. Hints go to the owner's
// status line.
class TFRozsah : public QDialog
{
    Q_OBJECT

public:
    // random is the generator's source, used to validate the ranges; owner must outlive the dialog.
    TFRozsah(SettingsOwner &owner, RandomSource &random, QWidget *parent = nullptr);

    // Some range or restriction field changed since loading (even if changed back).
    bool rangesTouched() const { return m_rangesTouched; }
    // The time limit field changed since loading.
    bool timeLimitTouched() const { return m_timeLimitTouched; }

    TPageControl *pageControl() const { return PC; }

    // Validates, applies and saves; closes with the OK result only when every step succeeded.
    void BBOKClick();

protected:
    bool event(QEvent *event) override;

private:
    void buildControls();
    void FormCreate();
    RozsahValues currentValues() const;
    void RSEChange(TRxSpinEdit *field);
    void RSEHodnChange(TRxSpinEdit *field);
    void RSECasLimitChange();
    // Shows the restriction page with the focus in a combo box that names no listed item.
    void holdUnlisted(QComboBox *combo);

    SettingsOwner &m_owner;
    RandomSource &m_random;
    bool m_rangesTouched = false;
    bool m_timeLimitTouched = false;
    QHash<int, TRxSpinEdit *> m_byTag;

    TPageControl *PC = nullptr;
    RangesPage *TabSheet1 = nullptr;
    RestrictionsPage *TabSheet6 = nullptr;
    GradingPage *TabSheet2 = nullptr;
    TimeLimitPage *TabSheet3 = nullptr;
    TeachingPage *TabSheet4 = nullptr;
    UnknownPage *TabSheet5 = nullptr;
    QPushButton *BBOK = nullptr;
    QPushButton *BBZrus = nullptr;
};
