#pragma once

#include "core/settings/practicesettings.h"
#include "core/settings/settingsowner.h"

#include <QString>

// The class's own numik.ini as the settings dialog edits it. Only the file changes; the pupils
// get its settings afterwards through ApplyClassSettings.
class ClassSettingsFile : public SettingsOwner
{
public:
    explicit ClassSettingsFile(const QString &iniFile);

    RozsahValues values() const override;
    void applySettings(const SettingsEdit &edit) override;

private:
    QString m_iniFile;
    PracticeSettings m_settings;
};
