#include "core/practice/teachingaccess.h"

MenuAccess AccessInMode(PracticeMode mode, const PracticeSettings &settings)
{
    if (mode == PracticeMode::Nastaveni)
        return {};
    MenuAccess access{false, false, false, false, false, false, false, false, false};
    // any code but "not permitted" permits, as the teacher's file may hold one
    access.optionsMenu = settings.historyAccess != TeachingAccess::NotPermitted;
    access.wrongResultsMenu = settings.wrongResultsAccess != TeachingAccess::NotPermitted;
    return access;
}

bool PausesCountdown(TeachingAccess access)
{
    return access != TeachingAccess::PermittedRunning;
}
