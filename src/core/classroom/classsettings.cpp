#include "core/classroom/classsettings.h"

#include "core/settings/inifile.h"
#include "core/settings/practicesettings.h"
#include "core/settings/rozsahvalues.h"

void ApplyClassSettings(const QString &classIniFile, const QString &pupilIniFile)
{
    PracticeSettings classSettings;
    OperationSwitches switches;
    NactiRozsahZIni(classIniFile, classSettings);
    NastavDleIni(classIniFile, classSettings, switches);
    const RozsahValues values = LoadRozsahValues(classIniFile, classSettings, false);
    PracticeSettings written;
    ApplyRozsahValues(pupilIniFile, values, written, false);
    const QString section = QStringLiteral("Heslo");
    const QString key = QStringLiteral("hodnota");
    // in double quotes as the password dialog writes it; an empty one removes the pupil's too
    IniWriteString(pupilIniFile, section, key, u'"' + IniReadString(classIniFile, section, key, QString()) + u'"');
}
