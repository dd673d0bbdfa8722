#include "settings/programdirectory.h"

#include <QCoreApplication>

QString ProgramDirectory()
{
    // applicationDirPath() is the executable's folder with no trailing separator
    return QCoreApplication::applicationDirPath();
}
