#pragma once

#include <QDate>
#include <QDialog>
#include <QSize>
#include <QString>

class QCheckBox;
class QDateEdit;
class QPushButton;
class QTreeWidget;

// The history viewer "Historie dílčích hodnocení": the partial evaluations of the history file,
// newest first, all of them ("vše", remembered in the settings file) or those of one day.
class TFHDH : public QDialog
{
    Q_OBJECT

public:
    // today is the day the date picker starts at.
    TFHDH(const QString &historyFile, const QString &iniFile, QDate today, QWidget *parent = nullptr);

    // Fills the list from the history file: every record, or with dateFilter those from day
    // (a day count at 00:00) up to and including the next midnight. Throws InOutError.
    void HistorieDoSeznamu(bool dateFilter, double day);

    static constexpr QSize BaseSize{420, 240};

    // "E&xport…" writes the whole history (historie.csv with the evaluations of the history file
    // that it lacks) to a chosen CSV file; only the settings mode allows it. Disabled until allowed.
    void setExportAllowed(bool allowed);

    // The zoom of the chart "Vývoj hodnocení" (1.0 at 100 %), the main window's.
    void setChartZoom(qreal zoom);

    // Closing in any way (the button, Esc, the close box) remembers "vše".
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void ChBVseClick();
    void DTPDatumChange();
    void FormClose();
    void openCalendar();
    void BExportClick();
    void BBGrafClick();

    QString m_historyFile;
    QString m_iniFile;
    QDate m_today;
    qreal m_chartZoom = 1.0;

    QTreeWidget *LVSeznam = nullptr;
    QCheckBox *ChBVse = nullptr;
    QDateEdit *DTPDatum = nullptr;
    QPushButton *BBZrus = nullptr;
    QPushButton *BExport = nullptr;
};
