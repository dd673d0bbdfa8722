#pragma once

#include <QString>

// The directory of the running executable, without a trailing separator. The settings file,
// the record files and the sound folder all live there; windows take it as a constructor
// argument, so tests hand them a temporary folder instead.
QString ProgramDirectory();
