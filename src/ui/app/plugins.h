#pragma once

#include <QObject>
#include <QString>

// The program's plugins ("numiksound", "numiksheets") carry code a start need not wait for:
// each is loaded the first time it is needed and stays loaded for the rest of the run. They
// are looked for in the program's own plugin folder only, never anywhere else.

// The folder the plugins are looked for in: the one set by SetPluginDirectory, else the
// program's own plugin folder, which lies at a fixed place relative to the executable.
QString PluginDirectory();
// For the tests, which run from the build tree: the plugins are looked for in this folder.
void SetPluginDirectory(const QString &path);

// The one object of the plugin "lib<name>.so" in the plugin folder when it implements the
// interface iid and comes from this version of the program, else null. The file must be a
// regular file (not a link) whose loaded parts all lie within it: a cut copy would otherwise
// crash the program when mapped. A failure prints one line on standard error and costs only the
// function the plugin carries. The object lives as long as the program.
QObject *LoadPluginObject(const QString &name, const char *iid);

template <class Interface>
Interface *LoadPlugin(const QString &name)
{
    return qobject_cast<Interface *>(LoadPluginObject(name, qobject_interface_iid<Interface *>()));
}
