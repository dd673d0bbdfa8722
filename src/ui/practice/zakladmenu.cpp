// The main window's menu bar and the handlers of its "Možnosti" menu; the other menus are wired
// by the files of their windows (zakladmodes, zakladretest, zakladsheets).

#include "core/practice/teachingaccess.h"
#include "ui/messages/messagebox.h"
#include "ui/practice/soundplayer.h"
#include "ui/practice/zaklad.h"
#include "ui/practice/zakladmenubar.h"
#include "ui/records/csvexportui.h"
#include "ui/settings/windowplacement.h"

#include <QAction>
#include <QMenu>

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
    m_sound->setEnabled(m_flow->run().soundOn);
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
