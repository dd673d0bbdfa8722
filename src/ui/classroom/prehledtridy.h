#pragma once

#include "core/classroom/classfolder.h"
#include "core/classroom/classoverview.h"

#include <QDate>
#include <QDialog>

class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class WeakSpotsPage;

// The teacher's window "Přehled třídy": one sortable row per pupil with the figures of the
// pupil's practice, the class's weak spots, and the managing of the class (pupils, the class's
// settings, the export). Every figure is read from the pupils' own files when the window opens
// and again after each change.
class TFPrehledTridy : public QDialog
{
    Q_OBJECT

public:
    TFPrehledTridy(const ClassFolder &classFolder, QDate today, QWidget *parent = nullptr);

    const ClassOverview &overview() const { return m_overview; }
    // Reads every pupil's files again and shows them.
    void reload();
    // The pupil of the table's current row; empty when no row is current.
    QString currentPupil() const;
    // The table's summaries in the order it shows them.
    QList<PupilSummary> shownPupils() const;

    QTabWidget *tabs = nullptr;
    QTableView *table = nullptr;
    WeakSpotsPage *weakSpots = nullptr;
    QPushButton *BBPridat = nullptr;
    QPushButton *BBPrejmenovat = nullptr;
    QPushButton *BBVyradit = nullptr;
    QPushButton *BBNastaveni = nullptr;
    QPushButton *BBHeslo = nullptr;
    QPushButton *BBExport = nullptr;
    QPushButton *BBZavrit = nullptr;

private:
    void buildTable();
    void fillTable();
    void openChart(const QModelIndex &index);
    void addPupil();
    void renamePupil();
    void retirePupil();
    void classSettings();
    void classPassword();
    void exportTable();
    // Selects the row of a pupil, if the table has one.
    void selectPupil(const QString &name);

    ClassFolder m_class;
    QDate m_today;
    ClassOverview m_overview;
    QStandardItemModel *m_model = nullptr;
    QSortFilterProxyModel *m_sorted = nullptr;
};
