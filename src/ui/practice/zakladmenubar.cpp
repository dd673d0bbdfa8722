#include "ui/practice/zakladmenubar.h"

#include "ui/app/fonts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

// the zooms offered in "zvětšení"; each item's Tag is its percentage
constexpr int ZoomPercents[] = {100, 150, 200, 250, 300};

QAction *item(QMenu *menu, const char *name, const QString &caption, const QString &hint = QString())
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(hint);
    return action;
}

QAction *checkable(QAction *action, bool checked)
{
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

QMenu *submenu(QMenu *parentMenu, QMenuBar *menuBar, const char *name, const QString &caption,
               const QString &hint = QString())
{
    QMenu *menu = parentMenu ? parentMenu->addMenu(caption) : menuBar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setStatusTip(hint);
    return menu;
}

} // namespace

ZakladMenuBar::ZakladMenuBar(QMenuBar *bar)
{
    bar->setObjectName(QStringLiteral("MMenu"));
    // the five menus fit the narrow window at 100 % on one line (NumikStyle makes the bar dense)
    bar->setFont(ArialPixels(12, false));

    MMoznosti = submenu(nullptr, bar, "MMoznosti", QStringLiteral("&Možnosti"), QStringLiteral("nastavení programu"));
    MMRozsah = item(MMoznosti, "MMRozsah", QStringLiteral("&nastavení"), QStringLiteral("nastavení rozsahu počtů a hodnocení"));
    MNulovat = item(MMoznosti, "MNulovat", QStringLiteral("n&ulovat počty"), QStringLiteral("vynuluje celkové a dílčí počty"));
    MMoznosti->addSeparator()->setObjectName(QStringLiteral("MMN2"));
    MMHDH = item(MMoznosti, "MMHDH", QStringLiteral("&historie dílčího hodnocení"),
                 QStringLiteral("zobrazí historii dílčího hodnocení"));
    MMoznosti->addSeparator()->setObjectName(QStringLiteral("MMN1"));
    MMSound = checkable(item(MMoznosti, "MMSound", QStringLiteral("&zvuk"), QStringLiteral("zapne/vypne zvukové efekty")),
                        true);
    MMoznosti->addSeparator()->setObjectName(QStringLiteral("MMN3"));
    MMZvetseni = submenu(MMoznosti, nullptr, "MMZvetseni", QStringLiteral("&zvětšení"), QStringLiteral("zvětšení formuláře"));
    for (int percent : ZoomPercents) {
        const QByteArray name = "MMZ" + QByteArray::number(percent);
        QAction *zoom = checkable(item(MMZvetseni, name.constData(), QStringLiteral("%1%").arg(percent),
                                       QStringLiteral("zvětšení formuláře oproti základní velikosti")),
                                  false);
        zoom->setData(percent); // the item's Tag
        zoomItems.push_back(zoom);
    }

    MChybneVysl = submenu(nullptr, bar, "MChybneVysl", QStringLiteral("&Chybné výsledky"),
                          QStringLiteral("možnosti práce s chybnými výsledky"));
    MChZobra = item(MChybneVysl, "MChZobra", QStringLiteral("&zobrazit"), QStringLiteral("zobrazit chybné výsledky"));
    MChPrezkouset = item(MChybneVysl, "MChPrezkouset", QStringLiteral("&přezkoušet"),
                         QStringLiteral("přezkoušet příklady, kde byla chyba ve výsledku"));
    MChExport = item(MChybneVysl, "MChExport", QStringLiteral("e&xport…"),
                     QStringLiteral("uložit chybné výsledky do souboru CSV pro tabulkový procesor"));

    MRezim = submenu(nullptr, bar, "MRezim", QStringLiteral("&Režim"));
    MRNastaveni = checkable(item(MRezim, "MRNastaveni", QStringLiteral("&nastavení")), true);
    MRVyuka = checkable(item(MRezim, "MRVyuka", QStringLiteral("&výuka")), false);
    MRezim->addSeparator()->setObjectName(QStringLiteral("MRNic1"));
    MRHeslo = item(MRezim, "MRHeslo", QStringLiteral("&heslo"));

    MPapir = submenu(nullptr, bar, "MPapir", QStringLiteral("&Příklady na papír"));
    MP1Sl = item(MPapir, "MP1Sl", QStringLiteral("&1 sloupec (30 příkladů) A4"));
    MP2Sl = item(MPapir, "MP2Sl", QStringLiteral("&2 sloupce (60 příkladů) A4"));
    MP3Sl = item(MPapir, "MP3Sl", QStringLiteral("&3 sloupce (90 příkladů) A4"));

    MInfo = submenu(nullptr, bar, "MInfo", QStringLiteral("&Info"));
    MIAbout = item(MInfo, "MIAbout", QStringLiteral("&About"));
}
