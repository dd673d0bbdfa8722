#pragma once

#include <QString>

// A pupil's name is the name of the pupil's folder in the class folder, exactly as the teacher
// typed it: UTF-8, Czech letters and blanks welcome.

// The longest name, in characters (code points).
inline constexpr qsizetype MaxPupilNameLength = 64;

// Why a name cannot name a pupil's folder, as the teacher reads it; empty when it can. Refused:
// an empty name, "." and "..", a name that starts with a dot (a hidden folder), one holding "/"
// or a control character, and one longer than MaxPupilNameLength characters or than the 255
// bytes a folder's name may take.
QString PupilNameProblem(const QString &name);
