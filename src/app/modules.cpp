#include "app/modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QStringList>

QFunctionPointer ResolveModuleFunction(const QString &module, const char *name)
{
    QStringList folders{QCoreApplication::applicationDirPath()};
#ifdef NUMIK_MODULE_DIR
    folders.append(QStringLiteral(NUMIK_MODULE_DIR));
#endif
    for (const QString &folder : folders) {
        // the library is never unloaded: the objects it creates keep their code in it
        QLibrary library(QDir(folder).filePath(module));
        if (const QFunctionPointer entry = library.resolve(name))
            return entry;
    }
    return nullptr;
}
