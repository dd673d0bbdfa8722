#include "ui/records/histdh.h"

#include "core/records/datafiles.h"
#include "core/records/daycount.h"
#include "core/records/historyexport.h"
#include "core/records/historylines.h"
#include "core/settings/inifile.h"
#include "core/settings/practicesettings.h"
#include "ui/app/fonts.h"
#include "ui/messages/centerform.h"
#include "ui/messages/messagebox.h"
#include "ui/records/csvexportui.h"
#include "ui/records/vyvoj.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int WindowFontPixels = 13;
constexpr int ButtonPanelHeight = 41;
constexpr int ColumnWidths[] = {120, 58, 48, 48, 58, 60};

QString sectionName()
{
    return QStringLiteral("FHDH");
}

QString vseKey()
{
    return QStringLiteral("ChBVse");
}

} // namespace

TFHDH::TFHDH(const QString &historyFile, const QString &iniFile, QDate today, QWidget *parent)
    : QDialog(parent), m_historyFile(historyFile), m_iniFile(iniFile), m_today(today)
{
    setObjectName(QStringLiteral("FHDH"));
    setWindowTitle(QStringLiteral("Historie dílčích hodnocení"));
    setFont(ArialPixels(WindowFontPixels));
    setFixedSize(BaseSize);

    LVSeznam = new QTreeWidget(this);
    LVSeznam->setObjectName(QStringLiteral("LVSeznam"));
    LVSeznam->setAccessibleName(QStringLiteral("dílčí hodnocení"));
    LVSeznam->setRootIsDecorated(false);
    LVSeznam->setItemsExpandable(false);
    LVSeznam->setUniformRowHeights(true);
    LVSeznam->setSortingEnabled(false);
    LVSeznam->setSelectionMode(QAbstractItemView::SingleSelection);
    LVSeznam->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVSeznam->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LVSeznam->setAllColumnsShowFocus(true);
    LVSeznam->setHeaderLabels({QStringLiteral("datum,čas"), QStringLiteral("známka"), QStringLiteral("OK"),
                               QStringLiteral("chyba"), QStringLiteral("operace"), QStringLiteral("čas.lim.")});
    LVSeznam->header()->setStretchLastSection(false);
    LVSeznam->header()->setSectionsMovable(false);
    for (int column = 0; column < int(std::size(ColumnWidths)); ++column)
        LVSeznam->setColumnWidth(column, ColumnWidths[column]);

    auto *PButton = new QWidget(this);
    PButton->setObjectName(QStringLiteral("PButton"));
    PButton->setFixedHeight(ButtonPanelHeight);
    ChBVse = new QCheckBox(QStringLiteral("vše"), PButton);
    ChBVse->setObjectName(QStringLiteral("ChBVse"));
    ChBVse->setGeometry(8, 12, 50, 17);
    DTPDatum = new QDateEdit(PButton);
    DTPDatum->setObjectName(QStringLiteral("DTPDatum"));
    DTPDatum->setAccessibleName(QStringLiteral("datum"));
    DTPDatum->setCalendarPopup(true);
    DTPDatum->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    DTPDatum->setGeometry(64, 9, 120, 23);
    DTPDatum->installEventFilter(this);
    BBZrus = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Zruš"), PButton);
    BBZrus->setObjectName(QStringLiteral("BBZrus"));
    BBZrus->setAccessibleName(QStringLiteral("Zruš"));
    BBZrus->setAutoDefault(false);
    BBZrus->setGeometry(BaseSize.width() - 83, 8, 75, 25);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(LVSeznam, 1);
    layout->addWidget(PButton);
    setTabOrder(LVSeznam, ChBVse);
    setTabOrder(ChBVse, DTPDatum);
    setTabOrder(DTPDatum, BBZrus);

    connect(ChBVse, &QCheckBox::clicked, this, Guarded([this] { ChBVseClick(); }));
    connect(DTPDatum, &QDateEdit::dateChanged, this, Guarded([this] { DTPDatumChange(); }));
    connect(BBZrus, &QPushButton::clicked, this, &QDialog::reject); // Esc does the same

    // the chart of the last weeks, from the long history beside the records
    auto *BBGraf = new QPushButton(QStringLiteral("&Graf"), PButton);
    BBGraf->setObjectName(QStringLiteral("BBGraf"));
    BBGraf->setAutoDefault(false);
    BBGraf->setGeometry(BaseSize.width() - 166, 8, 75, 25);
    setTabOrder(DTPDatum, BBGraf);
    setTabOrder(BBGraf, BBZrus);
    connect(BBGraf, &QPushButton::clicked, this, Guarded([this] { BBGrafClick(); }));

    BExport = new QPushButton(QStringLiteral("E&xport…"), PButton);
    BExport->setObjectName(QStringLiteral("BExport"));
    BExport->setAutoDefault(false);
    BExport->setEnabled(false);
    BExport->setGeometry(BaseSize.width() - 232, 8, 62, 25);
    setTabOrder(DTPDatum, BExport);
    setTabOrder(BExport, BBGraf);
    connect(BExport, &QPushButton::clicked, this, Guarded([this] { BExportClick(); }));
}

void TFHDH::setExportAllowed(bool allowed)
{
    BExport->setEnabled(allowed);
}

void TFHDH::setChartZoom(qreal zoom)
{
    m_chartZoom = zoom;
}

void TFHDH::BExportClick()
{
    ExportToChosenFile(this, QString(DataFile::HistoryCsv), QFileInfo(m_historyFile).path(), [&](const QString &path) {
        ExportHistory(path, HistoryCsvPathBeside(m_historyFile), m_historyFile);
    });
}

void TFHDH::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        RunGuarded([this] { FormShow(); });
}

bool TFHDH::eventFilter(QObject *watched, QEvent *event)
{
    // F4 or Alt+Down opens the calendar, as the mouse does with the arrow
    if (watched == DTPDatum && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier)) {
            openCalendar();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFHDH::openCalendar()
{
    // the picker opens its calendar only for a press on its arrow
    QStyleOptionComboBox option;
    option.initFrom(DTPDatum);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QPoint arrow =
        DTPDatum->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, DTPDatum).center();
    QMouseEvent press(QEvent::MouseButtonPress, arrow, DTPDatum->mapToGlobal(arrow), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(DTPDatum, &press);
}

void TFHDH::FormShow()
{
    ChBVse->setChecked(IniReadBool(m_iniFile, sectionName(), vseKey(), false));
    {
        const QSignalBlocker quiet(DTPDatum); // the list is filled once, below
        DTPDatum->setDate(m_today);
    }
    ChBVseClick();
    LVSeznam->setFocus();
}

void TFHDH::ChBVseClick()
{
    DTPDatum->setEnabled(!ChBVse->isChecked());
    HistorieDoSeznamu(!ChBVse->isChecked(), DateTimeOfDay(DTPDatum->date()));
}

void TFHDH::DTPDatumChange()
{
    if (!ChBVse->isChecked())
        HistorieDoSeznamu(true, DateTimeOfDay(DTPDatum->date()));
}

void TFHDH::HistorieDoSeznamu(bool dateFilter, double day)
{
    LVSeznam->clear();
    const QLocale locale;
    QList<QTreeWidgetItem *> rows;
    for (const EvaluationRecord &record : ReadHistoryToShow(m_historyFile)) {
        if (dateFilter && !IsOnDay(record.DateTime, day))
            continue;
        rows.append(new QTreeWidgetItem(HistoryRowCells(record, dateFilter, locale)));
    }
    LVSeznam->addTopLevelItems(rows);
}

void TFHDH::BBGrafClick()
{
    PracticeSettings settings;
    NactiRozsahZIni(m_iniFile, settings);
    TFVyvoj chart(ReadProgressHistory(HistoryCsvPathBeside(m_historyFile), m_historyFile), m_today,
                  settings.gradeThreshold, m_chartZoom, this);
    CenterOverForm(&chart, this);
    chart.exec();
}

void TFHDH::done(int result)
{
    RunGuarded([this] { FormClose(); });
    QDialog::done(result);
}

void TFHDH::FormClose()
{
    IniWriteBool(m_iniFile, sectionName(), vseKey(), ChBVse->isChecked());
}
