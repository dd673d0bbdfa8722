#include "ui/classroom/prehledtridy.h"

#include "core/classroom/classsettings.h"
#include "core/classroom/classsettingsfile.h"
#include "core/records/csvexport.h"
#include "core/records/datafiles.h"
#include "core/records/progressdays.h"
#include "core/settings/inifile.h"
#include "core/settings/practicesettings.h"
#include "ui/classroom/weakspotsview.h"
#include "ui/messages/centerform.h"
#include "ui/messages/messagebox.h"
#include "ui/records/csvexportui.h"
#include "ui/records/vyvoj.h"
#include "ui/settings/heslo.h"
#include "ui/settings/rozsah.h"
#include "ui/settings/windowplacement.h"

#include <QApplication>
#include <QCollator>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTime>
#include <QVBoxLayout>

namespace {

// The value a column sorts by, apart from the text it shows.
constexpr int SortRole = Qt::UserRole;
// The row's index in ClassOverview::pupils, kept on the name's item.
constexpr int PupilRole = Qt::UserRole + 1;

// Sorts numbers as numbers and names in Czech order; an unreadable pupil's empty figures sort
// below every real one.
class OverviewSort : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override
    {
        const QVariant a = left.data(SortRole);
        const QVariant b = right.data(SortRole);
        if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString)
            return m_collator.compare(a.toString(), b.toString()) < 0;
        return a.toDouble() < b.toDouble();
    }

private:
    QCollator m_collator{QLocale(QLocale::Czech, QLocale::CzechRepublic)};
};

QStandardItem *cell(const QString &text, const QVariant &sortKey)
{
    auto *item = new QStandardItem(text);
    item->setData(sortKey, SortRole);
    item->setEditable(false);
    return item;
}

// "28. 11. 2026" for the table; the export keeps the ISO date of historie.csv
QString shownDate(QDate date)
{
    return date.isValid() ? date.toString(QStringLiteral("d. M. yyyy")) : QString();
}

// down, steady, up; an unknown trend below them all
double trendRank(Trend trend)
{
    switch (trend) {
    case Trend::Down:
        return 0;
    case Trend::Steady:
        return 1;
    case Trend::Up:
        return 2;
    case Trend::Unknown:
        break;
    }
    return -1;
}

QString askName(QWidget *parent, const QString &title, const QString &text)
{
    bool ok = false;
    const QString name = QInputDialog::getText(parent, title, QStringLiteral("Jméno žáka:"), QLineEdit::Normal, text, &ok);
    // blanks at the ends are a slip of the finger, never part of a name the pupil recognises
    return ok ? name.trimmed() : QString();
}

bool confirmed(QWidget *parent, const QString &title, const QString &text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

} // namespace

TFPrehledTridy::TFPrehledTridy(const ClassFolder &classFolder, QDate today, QWidget *parent)
    : QDialog(parent), m_class(classFolder), m_today(today)
{
    setWindowTitle(QStringLiteral("Přehled třídy"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    auto *layout = new QVBoxLayout(this);
    tabs = new QTabWidget(this);
    buildTable();
    tabs->addTab(table, QStringLiteral("&Žáci"));
    weakSpots = new WeakSpotsPage(tabs);
    tabs->addTab(weakSpots, QStringLiteral("&Slabá místa třídy"));
    layout->addWidget(tabs, 1);

    auto *buttons = new QHBoxLayout;
    BBPridat = new QPushButton(QStringLiteral("Přid&at žáka…"), this);
    BBPrejmenovat = new QPushButton(QStringLiteral("Př&ejmenovat…"), this);
    BBVyradit = new QPushButton(QStringLiteral("&Vyřadit…"), this);
    BBNastaveni = new QPushButton(QStringLiteral("&Nastavení třídy…"), this);
    BBHeslo = new QPushButton(QStringLiteral("&Heslo třídy…"), this);
    BBExport = new QPushButton(QStringLiteral("E&xport…"), this);
    BBZavrit = new QPushButton(QStringLiteral("&Zavřít"), this);
    for (QPushButton *button : {BBPridat, BBPrejmenovat, BBVyradit, BBNastaveni, BBHeslo, BBExport, BBZavrit}) {
        // Enter in the table opens the chart; it must not also press a button
        button->setAutoDefault(false);
        buttons->addWidget(button);
        if (button == BBVyradit || button == BBExport)
            buttons->addStretch(1);
    }
    layout->addLayout(buttons);

    connect(table, &QTableView::activated, this, Guarded([this](const QModelIndex &index) { openChart(index); }));
    connect(BBPridat, &QPushButton::clicked, this, Guarded([this] { addPupil(); }));
    connect(BBPrejmenovat, &QPushButton::clicked, this, Guarded([this] { renamePupil(); }));
    connect(BBVyradit, &QPushButton::clicked, this, Guarded([this] { retirePupil(); }));
    connect(BBNastaveni, &QPushButton::clicked, this, Guarded([this] { classSettings(); }));
    connect(BBHeslo, &QPushButton::clicked, this, Guarded([this] { classPassword(); }));
    connect(BBExport, &QPushButton::clicked, this, Guarded([this] { exportTable(); }));
    connect(BBZavrit, &QPushButton::clicked, this, &QDialog::accept);

    reload();
    table->setFocus();
    resize(980, 720);
}

void TFPrehledTridy::buildTable()
{
    m_model = new QStandardItemModel(0, int(ClassOverviewHeader().size()), this);
    m_model->setHorizontalHeaderLabels(ClassOverviewHeader());
    m_sorted = new OverviewSort(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(SortRole);
    table = new QTableView(this);
    table->setModel(m_sorted);
    table->sortByColumn(0, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    // a class of 25 in view at once
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
}

void TFPrehledTridy::reload()
{
    const QString current = currentPupil();
    m_overview = ReadClassOverview(m_class, m_today);
    fillTable();
    weakSpots->setSpots(m_overview.weakSpots);
    selectPupil(current);
}

void TFPrehledTridy::fillTable()
{
    m_model->removeRows(0, m_model->rowCount());
    // below every real figure, so that an unreadable row never passes for a pupil who is behind
    const double none = -1.0;
    for (qsizetype i = 0; i < m_overview.pupils.size(); ++i) {
        const PupilSummary &pupil = m_overview.pupils[i];
        const QStringList text = ClassOverviewFields(pupil);
        QList<QStandardItem *> row;
        row.append(cell(pupil.name, pupil.name));
        row.front()->setData(qint64(i), PupilRole);
        if (!pupil.readable) {
            row.append(cell(text[1], none));
            for (int column = 2; column < text.size(); ++column)
                row.append(cell(QString(), none));
            for (QStandardItem *item : row)
                item->setForeground(QColor(0xA0, 0x20, 0x20));
        } else {
            row.append(cell(text[1], pupil.recentEvaluations));
            row.append(cell(pupil.meanPercent ? text[2] + QStringLiteral(" %") : QString(),
                            pupil.meanPercent.value_or(none)));
            row.append(cell(text[3], trendRank(pupil.trend)));
            row.append(cell(text[4], pupil.lastGrade ? double(*pupil.lastGrade) : none));
            row.append(cell(shownDate(pupil.lastPractice),
                            pupil.lastPractice.isValid() ? double(pupil.lastPractice.toJulianDay()) : none));
            row.append(cell(text[6], pupil.retestCount));
            for (int column = 1; column < row.size(); ++column)
                row[column]->setTextAlignment(Qt::AlignCenter);
        }
        m_model->appendRow(row);
    }
}

QString TFPrehledTridy::currentPupil() const
{
    const QModelIndex index = table->currentIndex();
    return index.isValid() ? m_sorted->index(index.row(), 0).data(SortRole).toString() : QString();
}

QList<PupilSummary> TFPrehledTridy::shownPupils() const
{
    QList<PupilSummary> shown;
    for (int row = 0; row < m_sorted->rowCount(); ++row)
        shown.append(m_overview.pupils.at(m_sorted->index(row, 0).data(PupilRole).toLongLong()));
    return shown;
}

void TFPrehledTridy::selectPupil(const QString &name)
{
    for (int row = 0; row < m_sorted->rowCount(); ++row) {
        if (m_sorted->index(row, 0).data(SortRole).toString() == name) {
            table->setCurrentIndex(m_sorted->index(row, 0));
            return;
        }
    }
    if (m_sorted->rowCount() > 0)
        table->setCurrentIndex(m_sorted->index(0, 0));
}

void TFPrehledTridy::openChart(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QString folder = m_class.pupilFolder(m_sorted->index(index.row(), 0).data(SortRole).toString());
    if (QFileInfo(folder).isSymLink() || !QFileInfo(folder).isDir()) {
        ShowMessageBox(QStringLiteral("Záznamy žáka nelze přečíst."), MessageKind::Warning);
        return;
    }
    PracticeSettings settings;
    NactiRozsahZIni(DataFile::In(folder, DataFile::Settings), settings);
    TFVyvoj chart(ReadProgressHistory(DataFile::In(folder, DataFile::HistoryCsv), DataFile::In(folder, DataFile::History)),
                  m_today, settings.gradeThreshold, ReadWindowZoom(DataFile::In(folder, DataFile::Settings)) / 100.0, this);
    chart.setWindowTitle(chart.windowTitle() + QStringLiteral(": ") + currentPupil());
    CenterOverForm(&chart, this);
    chart.exec();
}

void TFPrehledTridy::addPupil()
{
    const QString name = askName(this, QStringLiteral("Přidat žáka"), QString());
    if (name.isEmpty())
        return;
    const QString problem = m_class.addPupil(name);
    if (!problem.isEmpty()) {
        ShowMessageBox(problem, MessageKind::Warning);
        return;
    }
    reload();
    selectPupil(name);
}

void TFPrehledTridy::renamePupil()
{
    const QString from = currentPupil();
    if (from.isEmpty())
        return;
    const QString to = askName(this, QStringLiteral("Přejmenovat žáka"), from);
    if (to.isEmpty() || to == from)
        return;
    const QString problem = m_class.renamePupil(from, to);
    if (!problem.isEmpty()) {
        ShowMessageBox(problem, MessageKind::Warning);
        return;
    }
    reload();
    selectPupil(to);
}

void TFPrehledTridy::retirePupil()
{
    const QString name = currentPupil();
    if (name.isEmpty()
        || !confirmed(this, QStringLiteral("Vyřadit žáka"),
                      QStringLiteral("Vyřadit žáka „%1“ ze třídy? Jeho složka se přesune do složky „vyrazeni“, "
                                     "nic se nesmaže.")
                          .arg(name)))
        return;
    const QString problem = m_class.retirePupil(name);
    if (!problem.isEmpty())
        ShowMessageBox(problem, MessageKind::Warning);
    reload();
}

void TFPrehledTridy::classSettings()
{
    const QString iniFile = m_class.iniFile();
    ClassSettingsFile classFile(iniFile);
    RandomSource random(RandomSource::timeOfDaySeed(QTime::currentTime()));
    {
        TFRozsah dialog(classFile, random, this);
        CenterOverForm(&dialog, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    const QStringList names = m_class.pupilNames();
    if (names.isEmpty()
        || !confirmed(this, QStringLiteral("Nastavení třídy"),
                      QStringLiteral("Použít nastavení cvičení (rozsahy, omezení, hodnocení, časový limit, režimy "
                                     "a heslo) u všech žáků třídy? Umístění a velikost okna si každý žák ponechá.")))
        return;
    QStringList failed;
    {
        // a class on a slow share takes a while: the cursor says so
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        for (const QString &name : names) {
            const QString folder = m_class.pupilFolder(name);
            try {
                if (QFileInfo(folder).isSymLink() || !QFileInfo(folder).isDir())
                    throw IniWriteError(folder);
                ApplyClassSettings(iniFile, DataFile::In(folder, DataFile::Settings));
            } catch (const IniWriteError &) {
                // one pupil's file must not keep the others from their settings
                failed.append(name);
            }
        }
    }
    if (!failed.isEmpty())
        ShowMessageBox(QStringLiteral("Nastavení se nepodařilo použít u těchto žáků: %1.").arg(failed.join(QStringLiteral(", "))),
                       MessageKind::Warning);
}

void TFPrehledTridy::classPassword()
{
    TFHeslo dialog(false, this);
    dialog.setWindowTitle(QStringLiteral("Zadej nové heslo"));
    CenterOverForm(&dialog, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // in double quotes as the main window writes it, so that blanks at its ends survive; an
    // empty text removes it
    IniWriteString(m_class.iniFile(), QStringLiteral("Heslo"), QStringLiteral("hodnota"), u'"' + dialog.password() + u'"');
}

void TFPrehledTridy::exportTable()
{
    const QList<PupilSummary> shown = shownPupils();
    // neither the class's numik.ini nor any pupil's own files may be replaced by the export
    QStringList folders = {m_class.folder()};
    for (const PupilSummary &pupil : shown)
        folders.append(m_class.pupilFolder(pupil.name));
    ExportToChosenFile(this, QStringLiteral("prehled-tridy.csv"), folders,
                       [&](const QString &path) { WriteExportFile(path, ClassOverviewCsv(shown)); });
}
