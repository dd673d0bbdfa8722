#pragma once

#include <QString>

// Gives a pupil the class's practice settings: the ranges, restrictions, grading, time limit,
// the modes and what the pupil may open in the teaching mode, the hidden-number rule and the
// password, from the class's numik.ini into the pupil's. The pupil's window placement and zoom,
// operation switches, sound and last mode stay the pupil's own. All of it is one write of the
// pupil's file: a failure throws IniWriteError and leaves the file as it was.
void ApplyClassSettings(const QString &classIniFile, const QString &pupilIniFile);
