// The main window's menu commands: "Možnosti", the two modes with the teacher's password and
// the settings dialog, the wrong results with their re-test, the history, About and the printed
// sheets. None keeps state of its own: each opens its window over the main window and hands what
// it chose to the practice.

#include "core/practice/teachingaccess.h"
#include "core/settings/inifile.h"
#include "plugins/sheets/sheetpreview.h"
#include "ui/app/plugins.h"
#include "ui/messages/messagebox.h"
#include "ui/practice/answerfeedback.h"
#include "ui/practice/soundplayer.h"
#include "ui/practice/zaklad.h"
#include "ui/practice/zakladclient.h"
#include "ui/practice/zakladmenubar.h"
#include "ui/records/chybvysl.h"
#include "ui/records/csvexportui.h"
#include "ui/records/histdh.h"
#include "ui/records/mabout.h"
#include "ui/settings/heslo.h"
#include "ui/settings/rozsah.h"
#include "ui/settings/windowplacement.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QScopeGuard>

#include <memory>

namespace {

const QString PasswordSection = QStringLiteral("Heslo");
const QString PasswordKey = QStringLiteral("hodnota");

// The countdown stands still while a window is open, unless the pupil's access lets it run, and
// goes on when the window closes, also when an error cut the action short.
auto CountdownPause(PracticeFlow &flow, bool pause)
{
    if (pause)
        flow.PauseCasLimit(true);
    return qScopeGuard([flowPtr = &flow] { flowPtr->PauseCasLimit(false); });
}

} // namespace

void TFZaklad::wireMenus()
{
    for (QAction *zoom : m_menu->zoomItems)
        connect(zoom, &QAction::triggered, this, Guarded([this, zoom] { MMZ150Click(zoom); }));
    connect(m_menu->MMoznosti, &QMenu::aboutToShow, this, Guarded([this] { MMoznostiClick(); }));
    connect(m_menu->MMZvetseni, &QMenu::aboutToShow, this, Guarded([this] { MMZvetseniClick(); }));
    connect(m_menu->MNulovat, &QAction::triggered, this, Guarded([this] { m_flow->MNulovatClick(); }));
    connect(m_menu->MMSound, &QAction::triggered, this, Guarded([this] { MMSoundClick(); }));
    connect(m_menu->MChExport, &QAction::triggered, this, Guarded([this] {
        ExportWrongResults(this, m_files.wrongResultsFile);
    }));
    connectSheetItems();
    wireRecordMenus();
    wireModes();
}

void TFZaklad::MMoznostiClick()
{
    m_menu->MMSound->setChecked(m_flow->run().soundOn);
    const bool all = AccessInMode(m_flow->run().mode, m_flow->settings()).optionsItems;
    for (QAction *action : m_menu->MMoznosti->actions())
        action->setEnabled(all || action == m_menu->MMHDH);
}

void TFZaklad::MMSoundClick()
{
    m_flow->setSound(!m_flow->run().soundOn);
    m_feedback->sounds()->setEnabled(m_flow->run().soundOn);
}

void TFZaklad::MMZvetseniClick()
{
    for (QAction *zoom : m_menu->zoomItems)
        zoom->setChecked(zoom->data().toInt() == m_zoomPercent);
}

void TFZaklad::MMZ150Click(QAction *item)
{
    const int percent = item->data().toInt();
    MMZvetseniClick(); // a click toggles the check mark; it shows the zoom in force instead
    if (percent == m_zoomPercent)
        return;
    m_zoomPercent = percent;
    applyZoom();
    // the window grows from its top-left corner; what would pass the screen's edge moves in
    KeepOnScreen(this);
    MMZvetseniClick();
}

void TFZaklad::wireModes()
{
    connect(m_menu->MRezim, &QMenu::aboutToShow, this, Guarded([this] { MRezimClick(); }));
    connect(m_menu->MRNastaveni, &QAction::triggered, this, Guarded([this] { MRNastaveniClick(); }));
    connect(m_menu->MRVyuka, &QAction::triggered, this, Guarded([this] { MRVyukaClick(); }));
    connect(m_menu->MRHeslo, &QAction::triggered, this, Guarded([this] { MRHesloClick(); }));
    connect(m_menu->MMRozsah, &QAction::triggered, this, Guarded([this] { MMRozsahClick(); }));
}

void TFZaklad::DEMenuRezim(const MenuAccess &access)
{
    m_menu->MMoznosti->menuAction()->setEnabled(access.optionsMenu);
    m_menu->MChybneVysl->menuAction()->setEnabled(access.wrongResultsMenu);
    m_menu->MInfo->menuAction()->setEnabled(access.info);
    m_client->enableOperationSwitches(access.switches);
    m_menu->MPapir->menuAction()->setEnabled(access.sheets);
}

void TFZaklad::MRezimClick()
{
    const bool settings = m_flow->run().mode == PracticeMode::Nastaveni;
    m_menu->MRNastaveni->setChecked(settings);
    m_menu->MRVyuka->setChecked(!settings);
    m_menu->MRHeslo->setEnabled(AccessInMode(m_flow->run().mode, m_flow->settings()).password);
}

void TFZaklad::MRVyukaClick()
{
    if (m_flow->run().mode != PracticeMode::Vyuka)
        m_flow->NastavRezim(PracticeMode::Vyuka);
    MRezimClick(); // the click toggled the check mark; it shows the mode in force instead
}

void TFZaklad::MRNastaveniClick()
{
    if (m_flow->run().mode != PracticeMode::Nastaveni && JeHesloOK())
        m_flow->NastavRezim(PracticeMode::Nastaveni);
    MRezimClick();
}

QString TFZaklad::DejHesloZIni() const
{
    return IniReadString(m_files.iniFile, PasswordSection, PasswordKey, QString());
}

bool TFZaklad::JeHesloOK()
{
    const QString stored = DejHesloZIni();
    if (stored.isEmpty())
        return true;
    TFHeslo dialog(true, this);
    CenterOverForm(&dialog, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // exactly as stored: letter case and blanks at both ends count
    return dialog.password() == stored;
}

void TFZaklad::MRHesloClick()
{
    if (!DejHesloZIni().isEmpty() && !JeHesloOK())
        return;
    TFHeslo dialog(false, this);
    dialog.setWindowTitle(QStringLiteral("Zadej nové heslo"));
    CenterOverForm(&dialog, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // in double quotes, so that blanks at its ends survive; an empty text removes the password
    IniWriteString(m_files.iniFile, PasswordSection, PasswordKey, u'"' + dialog.password() + u'"');
}

void TFZaklad::MMRozsahClick()
{
    m_flow->PauseCasLimit(true);
    const auto resume = qScopeGuard([this] { m_flow->PauseCasLimit(false); });
    TFRozsah dialog(*m_flow, m_generator.random(), this);
    CenterOverForm(&dialog, this);
    dialog.exec(); // OK hands the values to the flow
}

void TFZaklad::wireRecordMenus()
{
    connect(m_menu->MChybneVysl, &QMenu::aboutToShow, this, Guarded([this] { MChybneVyslClick(); }));
    connect(m_menu->MChZobra, &QAction::triggered, this, Guarded([this] { MChZobraClick(); }));
    connect(m_menu->MChPrezkouset, &QAction::triggered, this, Guarded([this] { m_flow->startRetest(); }));
    connect(m_menu->MMHDH, &QAction::triggered, this, Guarded([this] { MMHDHClick(); }));
    connect(m_menu->MIAbout, &QAction::triggered, this, Guarded([this] { MIAboutClick(); }));
}

void TFZaklad::MChybneVyslClick()
{
    // a re-test is started in the settings mode only; the pupil may at most look
    const bool retest = AccessInMode(m_flow->run().mode, m_flow->settings()).retest;
    for (QAction *item : m_menu->MChybneVysl->actions())
        item->setEnabled(retest || item == m_menu->MChZobra);
}

void TFZaklad::MChZobraClick()
{
    const auto pause = CountdownPause(*m_flow, PausesCountdown(m_flow->settings().wrongResultsAccess));
    TFChyba viewer(m_files.wrongResultsFile, this);
    if (viewer.recordCount() == 0) {
        ShowMessageBox(QStringLiteral("Nejsou žádné chybné výsledky."), MessageKind::Information);
        return;
    }
    CenterOverForm(&viewer, this);
    viewer.exec();
}

void TFZaklad::MMHDHClick()
{
    const auto pause = CountdownPause(*m_flow, PausesCountdown(m_flow->settings().historyAccess));
    if (!m_flow->hasHistory()) {
        ShowMessageBox(QStringLiteral("Nejsou uložena žádná dílčí hodnocení v historii."), MessageKind::Information);
        return;
    }
    TFHDH history(m_files.historyFile, m_files.iniFile, m_localClock().date(), this);
    history.setExportAllowed(AccessInMode(m_flow->run().mode, m_flow->settings()).historyExport);
    history.setChartZoom(m_zoomPercent / 100.0);
    CenterOverForm(&history, this);
    history.exec();
}

void TFZaklad::MIAboutClick()
{
    const auto pause = CountdownPause(*m_flow, true);
    TFMAbout about(this);
    CenterOverForm(&about, this);
    about.exec();
}

std::optional<Exercise> TFZaklad::DalsiPrikladProTisk()
{
    return m_generator.drawExercise(operationSwitches(), m_flow->settings()).exercise;
}

void TFZaklad::connectSheetItems()
{
    const auto connectItem = [this](QAction *item, int columns) {
        connect(item, &QAction::triggered, this, Guarded([this, columns] { previewSheet(columns); }));
    };
    // The countdown goes on behind the preview: a timed exercise may run out while it is open.
    connectItem(m_menu->MP1Sl, 1);
    connectItem(m_menu->MP2Sl, 2);
    connectItem(m_menu->MP3Sl, 3);
}

void TFZaklad::previewSheet(int columns)
{
    // the previews come with the printing support in a plugin of their own, loaded now
    auto *factory = LoadPlugin<SheetPreviewFactory>(QStringLiteral("numiksheets"));
    if (!factory) {
        ShowMessageBox(QStringLiteral("Tisk se nezdařil."), MessageKind::Warning);
        return;
    }
    const std::unique_ptr<SheetPreview> sheet =
        factory->createSheetPreview(columns, [this] { return DalsiPrikladProTisk(); }, m_files.iniFile, this);
    CenterOverForm(sheet->dialog(), this);
    sheet->dialog()->exec();
    // what the last pass could not draw is told now, if its box has not come yet
    sheet->showFailures();
}
