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
    IniBatch batch = RozsahValuesBatch(LoadRozsahValues(classIniFile, classSettings));
    EmptyDroppedLists(batch, pupilIniFile, classSettings.ranges);
    const QString section = QStringLiteral("Heslo");
    const QString key = QStringLiteral("hodnota");
    // in double quotes as the password dialog writes it; an empty one removes the pupil's too
    batch.setString(section, key, u'"' + IniReadString(classIniFile, section, key, QString()) + u'"');
    // one rewrite: a pupil never practises with half of the class's settings
    IniWriteBatch(pupilIniFile, batch);
}
