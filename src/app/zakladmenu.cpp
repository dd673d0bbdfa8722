// The main window's menu bar and the handlers of its "Možnosti" menu; the other menus are wired
// by the files of their windows (zakladmodes, zakladretest, zakladsheets).

#include "app/fonts.h"
#include "app/messagebox.h"
#include "app/soundplayer.h"
#include "app/zaklad.h"
#include "settings/windowplacement.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

// the zooms offered in "zvětšení"; each item's Tag is its percentage
constexpr int ZoomPercents[] = {100, 150, 200, 250, 300};

} // namespace

void TFZaklad::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MMenu"));
    // the five menus fit the narrow window at 100 % on one line (NumikStyle makes the bar dense)
    bar->setFont(ArialPixels(12, false));
    const auto item = [](QMenu *menu, const char *name, const QString &caption, const QString &hint) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setStatusTip(hint);
        return action;
    };
    const auto submenu = [](QMenu *parentMenu, QMenuBar *menuBar, const char *name, const QString &caption,
                            const QString &hint) {
        QMenu *menu = parentMenu ? parentMenu->addMenu(caption) : menuBar->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setStatusTip(hint);
        return menu;
    };

    MMoznosti = submenu(nullptr, bar, "MMoznosti", QStringLiteral("&Možnosti"), QStringLiteral("nastavení programu"));
    MMRozsah = item(MMoznosti, "MMRozsah", QStringLiteral("&nastavení"), QStringLiteral("nastavení rozsahu počtů a hodnocení"));
    MNulovat = item(MMoznosti, "MNulovat", QStringLiteral("n&ulovat počty"), QStringLiteral("vynuluje celkové a dílčí počty"));
    MMoznosti->addSeparator()->setObjectName(QStringLiteral("MMN2"));
    MMHDH = item(MMoznosti, "MMHDH", QStringLiteral("&historie dílčího hodnocení"),
                 QStringLiteral("zobrazí historii dílčího hodnocení"));
    MMoznosti->addSeparator()->setObjectName(QStringLiteral("MMN1"));
    MMSound = item(MMoznosti, "MMSound", QStringLiteral("&zvuk"), QStringLiteral("zapne/vypne zvukové efekty"));
    MMSound->setCheckable(true);
    MMSound->setChecked(true);
    MMoznosti->addSeparator()->setObjectName(QStringLiteral("MMN3"));
    MMZvetseni = submenu(MMoznosti, nullptr, "MMZvetseni", QStringLiteral("&zvětšení"), QStringLiteral("zvětšení formuláře"));
    for (int percent : ZoomPercents) {
        const QByteArray name = "MMZ" + QByteArray::number(percent);
        QAction *zoom = item(MMZvetseni, name.constData(), QStringLiteral("%1%").arg(percent),
                             QStringLiteral("zvětšení formuláře oproti základní velikosti"));
        zoom->setData(percent); // the item's Tag
        zoom->setCheckable(true);
        m_zoomItems.push_back(zoom);
        connect(zoom, &QAction::triggered, this, Guarded([this, zoom] { MMZ150Click(zoom); }));
    }
    connect(MMoznosti, &QMenu::aboutToShow, this, Guarded([this] { MMoznostiClick(); }));
    connect(MMZvetseni, &QMenu::aboutToShow, this, Guarded([this] { MMZvetseniClick(); }));
    connect(MNulovat, &QAction::triggered, this, Guarded([this] { MNulovatClick(); }));
    connect(MMSound, &QAction::triggered, this, Guarded([this] { MMSoundClick(); }));

    QMenu *wrong = submenu(nullptr, bar, "MChybneVysl", QStringLiteral("&Chybné výsledky"),
                           QStringLiteral("možnosti práce s chybnými výsledky"));
    item(wrong, "MChZobra", QStringLiteral("&zobrazit"), QStringLiteral("zobrazit chybné výsledky"));
    item(wrong, "MChPrezkouset", QStringLiteral("&přezkoušet"), QStringLiteral("přezkoušet příklady, kde byla chyba ve výsledku"));

    QMenu *mode = submenu(nullptr, bar, "MRezim", QStringLiteral("&Režim"), QString());
    QAction *settingsMode = item(mode, "MRNastaveni", QStringLiteral("&nastavení"), QString());
    settingsMode->setCheckable(true);
    settingsMode->setChecked(true);
    QAction *teachingMode = item(mode, "MRVyuka", QStringLiteral("&výuka"), QString());
    teachingMode->setCheckable(true);
    mode->addSeparator()->setObjectName(QStringLiteral("MRNic1"));
    item(mode, "MRHeslo", QStringLiteral("&heslo"), QString());

    QMenu *paper = submenu(nullptr, bar, "MPapir", QStringLiteral("&Příklady na papír"), QString());
    item(paper, "MP1Sl", QStringLiteral("&1 sloupec (30 příkladů) A4"), QString());
    item(paper, "MP2Sl", QStringLiteral("&2 sloupce (60 příkladů) A4"), QString());
    item(paper, "MP3Sl", QStringLiteral("&3 sloupce (90 příkladů) A4"), QString());

    QMenu *info = submenu(nullptr, bar, "MInfo", QStringLiteral("&Info"), QString());
    item(info, "MIAbout", QStringLiteral("&About"), QString());

    connectSheetItems();
    wireRecordMenus();
    wireModes();
}

void TFZaklad::MMoznostiClick()
{
    MMSound->setChecked(m_settings.soundOn);
    const bool teaching = m_settings.mode != int(PracticeMode::Nastaveni);
    for (QAction *action : MMoznosti->actions())
        action->setEnabled(!teaching || action == MMHDH);
}

void TFZaklad::MMSoundClick()
{
    m_settings.soundOn = !m_settings.soundOn;
    m_sound->setEnabled(m_settings.soundOn);
}

void TFZaklad::MMZvetseniClick()
{
    for (QAction *zoom : m_zoomItems)
        zoom->setChecked(zoom->data().toInt() == m_settings.zoomPercent);
}

void TFZaklad::MMZ150Click(QAction *item)
{
    const int percent = item->data().toInt();
    MMZvetseniClick(); // a click toggles the check mark; it shows the zoom in force instead
    if (percent == m_settings.zoomPercent)
        return;
    m_settings.zoomPercent = percent;
    applyZoom();
    // the window grows from its top-left corner; what would pass the screen's edge moves in
    KeepOnScreen(this);
    MMZvetseniClick();
}

void TFZaklad::MNulovatClick()
{
    m_session->MNulovatClick();
}
