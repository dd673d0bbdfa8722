#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QProcessEnvironment>
#include <QString>

// The options that QApplication takes out of the command line itself (-platform, -display,
// -style, -reverse, …), hidden from the help. A check of the command line made before there is
// a QApplication knows them, so that it refuses only what the program does not understand.
QList<QCommandLineOption> QtApplicationOptions();

// Whether a message can be shown in a window: the platform named by -platform (platformOption,
// empty when not given) or QT_QPA_PLATFORM must be one that draws on a screen, and the X or
// Wayland platform needs its display (DISPLAY or -display, WAYLAND_DISPLAY). Without one Qt
// would end the program with an abort before a word of the message is seen.
bool WindowCanBeShown(const QString &platformOption, bool displayOption, const QProcessEnvironment &environment);
