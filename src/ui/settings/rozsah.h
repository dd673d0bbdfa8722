#pragma once

#include "core/settings/rozsahvalues.h"

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

// The settings dialog "Možnosti". It loads itself from the settings in memory when created,
// keeps range pairs in order and the thresholds strictly falling while the teacher edits, and on
// OK proves that every operation still admits an exercise before it applies every value to the
// settings and writes it to the file. Hints go to the owner's status line.
class TFRozsah : public QDialog
{
    Q_OBJECT

public:
    // settings are applied on OK; random is the generator's source, used to validate the ranges.
    // During a re-test the time limit in memory is the re-tested exercise's: the dialog shows
    // and saves the configured one and leaves the one in memory alone.
    TFRozsah(PracticeSettings &settings, const QString &iniFile, RandomSource &random, bool retestActive,
             QWidget *parent = nullptr);

    // Some range or restriction field changed since loading (even if changed back).
    bool rangesTouched() const { return m_rangesTouched; }
    // The time limit field changed since loading.
    bool timeLimitTouched() const { return m_timeLimitTouched; }
    // The time limit the dialog holds, as OK saves it.
    qint32 timeLimitValue() const;

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

    PracticeSettings &m_settings;
    QString m_iniFile;
    RandomSource &m_random;
    bool m_retestActive;
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
