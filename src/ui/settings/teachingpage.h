#pragma once

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;

// The page "r&ežim výuka": starting always in teaching mode, and what the pupil may open there
// (a TeachingAccess code per window: the 0-based item of its radio group).
class TeachingPage : public QWidget
{
    Q_OBJECT

public:
    explicit TeachingPage(QWidget *parent = nullptr);

    QCheckBox *ChBStart = nullptr;
    QGroupBox *RGHistDilVysl = nullptr;
    QGroupBox *RGChybVysl = nullptr;

    qint32 historyAccess() const;
    qint32 wrongResultsAccess() const;
    // codes other than 0 and 1 show as item 2, which is what they mean
    void setHistoryAccess(qint32 access);
    void setWrongResultsAccess(qint32 access);

private:
    QGroupBox *addRadioGroup(const char *name, const QString &caption, int top, QButtonGroup *&items);

    QButtonGroup *m_history = nullptr;
    QButtonGroup *m_wrongResults = nullptr;
};
