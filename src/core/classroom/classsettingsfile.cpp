#include "core/classroom/classsettingsfile.h"

ClassSettingsFile::ClassSettingsFile(const QString &iniFile)
    : m_iniFile(iniFile)
{
    OperationSwitches switches;
    NactiRozsahZIni(m_iniFile, m_settings);
    NastavDleIni(m_iniFile, m_settings, switches);
}

RozsahValues ClassSettingsFile::values() const
{
    return LoadRozsahValues(m_iniFile, m_settings);
}

void ClassSettingsFile::applySettings(const SettingsEdit &edit)
{
    ApplyRozsahValues(m_iniFile, edit.values, m_settings);
}
