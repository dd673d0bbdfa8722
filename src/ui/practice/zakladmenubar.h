#pragma once

#include <QString>

#include <vector>

class QAction;
class QMenu;
class QMenuBar;

// The main window's menu bar, its menus and items as members, named as the program names them.
// The objects carry the same names, so that a test finds them.
struct ZakladMenuBar
{
    // Builds the five menus into the bar with their captions and hints; connects nothing.
    explicit ZakladMenuBar(QMenuBar *bar);

    QMenu *MMoznosti = nullptr;
    QAction *MMRozsah = nullptr;
    QAction *MNulovat = nullptr;
    QAction *MMHDH = nullptr;
    QAction *MMSound = nullptr;
    QMenu *MMZvetseni = nullptr;
    std::vector<QAction *> zoomItems; // MMZ100 .. MMZ300, each with its percentage as its Tag

    QMenu *MChybneVysl = nullptr;
    QAction *MChZobra = nullptr;
    QAction *MChPrezkouset = nullptr;
    QAction *MChExport = nullptr; // the settings mode's alone, as MChPrezkouset

    QMenu *MRezim = nullptr;
    QAction *MRNastaveni = nullptr;
    QAction *MRVyuka = nullptr;
    QAction *MRHeslo = nullptr;

    QMenu *MPapir = nullptr;
    QAction *MP1Sl = nullptr;
    QAction *MP2Sl = nullptr;
    QAction *MP3Sl = nullptr;

    QMenu *MInfo = nullptr;
    QAction *MIAbout = nullptr;
};
