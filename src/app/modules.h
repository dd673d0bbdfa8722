#pragma once

#include <QFunctionPointer>
#include <QString>

// The program's loadable modules ("numiksound", "numiksheets") lie beside the executable, and
// in the build tree for the tests. They carry code a start need not wait for: each is loaded
// the first time it is needed and stays loaded for the rest of the run.
//
// The entry point of that name in the module, or null when the module or the entry is missing.
QFunctionPointer ResolveModuleFunction(const QString &module, const char *name);
