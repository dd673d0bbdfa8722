#pragma once

#include "core/settings/rozsahvalues.h"

// Whoever keeps the teacher's settings that the dialog "Možnosti" edits: the practice for the
// running program, or a class's own numik.ini for the class.
class SettingsOwner
{
public:
    virtual ~SettingsOwner() = default;

    // What the dialog loads.
    virtual RozsahValues values() const = 0;
    // The dialog's OK: saves the values in one write and applies them. A failed write throws
    // IniWriteError and leaves the settings as they were.
    virtual void applySettings(const SettingsEdit &edit) = 0;
};
