// The main window's wrong results and their re-test, the history viewer and the About window.

#include "ui/messages/messagebox.h"
#include "ui/practice/zaklad.h"
#include "ui/practice/zakladmenubar.h"
#include "ui/records/chybvysl.h"
#include "ui/records/histdh.h"
#include "ui/records/mabout.h"
#include "ui/settings/windowplacement.h"

#include <QAction>
#include <QMenu>

namespace {

// The countdown stands still while a window is open, unless the pupil's access lets it run, and
// goes on when the window closes, also when an error cut the action short.
class CountdownPause
{
public:
    CountdownPause(PracticeFlow &flow, bool pause) : m_flow(flow)
    {
        if (pause)
            m_flow.PauseCasLimit(true);
    }
    ~CountdownPause() { m_flow.PauseCasLimit(false); }
    CountdownPause(const CountdownPause &) = delete;
    CountdownPause &operator=(const CountdownPause &) = delete;

private:
    PracticeFlow &m_flow;
};

bool keepsRunning(qint32 access)
{
    return access == qint32(TeachingAccess::PermittedRunning);
}

} // namespace

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
    const bool teaching = m_settings.mode != qint32(PracticeMode::Nastaveni);
    for (QAction *item : m_menu->MChybneVysl->actions())
        item->setEnabled(!teaching || item == m_menu->MChZobra);
}

void TFZaklad::MChZobraClick()
{
    const CountdownPause pause(*m_flow, !keepsRunning(m_settings.wrongResultsAccess));
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
    const CountdownPause pause(*m_flow, !keepsRunning(m_settings.historyAccess));
    if (!m_flow->hasHistory()) {
        ShowMessageBox(QStringLiteral("Nejsou uložena žádná dílčí hodnocení v historii."), MessageKind::Information);
        return;
    }
    TFHDH history(m_files.historyFile, m_files.iniFile, m_localClock().date(), this);
    history.setExportAllowed(m_settings.mode == qint32(PracticeMode::Nastaveni));
    history.setChartZoom(m_settings.zoomPercent / 100.0);
    CenterOverForm(&history, this);
    history.exec();
}

void TFZaklad::MIAboutClick()
{
    const CountdownPause pause(*m_flow, true);
    TFMAbout about(this);
    CenterOverForm(&about, this);
    about.exec();
}
