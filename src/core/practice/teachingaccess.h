#pragma once

#include "core/settings/practicesettings.h"

// What the pupil may open in a mode. The settings mode opens everything; the teaching mode locks
// the settings, the operation switches, printing, the Info menu, the re-test, the password and
// the history's export, and opens the history and the wrong results only as far as the teacher
// permits. The window enables its menus by it and decides nothing itself.
struct MenuAccess
{
    bool optionsMenu = true;      // "Možnosti", open in the teaching mode for the history alone
    bool optionsItems = true;     // its items other than the history
    bool wrongResultsMenu = true; // "Chybné výsledky"
    bool retest = true;           // its items other than the viewer
    bool info = true;
    bool switches = true;
    bool sheets = true;
    bool password = true;
    bool historyExport = true;

    friend bool operator==(const MenuAccess &, const MenuAccess &) = default;
};

MenuAccess AccessInMode(PracticeMode mode, const PracticeSettings &settings);

// Whether a window the pupil opens with this access stops the countdown while it is open: only
// "permitted, running" lets it run.
bool PausesCountdown(TeachingAccess access);
