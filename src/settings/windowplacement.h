#pragma once

#include "settings/centerform.h"

#include <QString>
#include <QtGlobal>

class QWidget;


// Writes the placement of a window into a section of the settings file iniFile (a full path):
// "State" 1 (maximised) or 2 (normal) unless the window is minimised, and "Left", "Top" (the
// position of its frame) with "Width", "Height" (the size of its client area: a main window's
// menu bar is outside it, its status bar inside) unless it is maximised. A write failure throws IniWriteError.
void SaveFormPlacement(const QWidget *window, const QString &iniFile, const QString &section);

// SaveFormPlacement into the section "Okno".
void SaveWindowPlacement(const QWidget *window, const QString &iniFile);

// Restores the placement saved by SaveWindowPlacement: with no "State" saved the window is
// centred on the primary screen's available area; otherwise it goes to the saved "Left" and
// "Top" (negative values taken as 0) and becomes maximised when "State" is 1, normal otherwise.
// The saved width and height are not read back.
void RestoreWindowPlacement(QWidget *window, const QString &iniFile);

// The zoom of the main window in percent, "Okno" "velikost". A hand-edited value such as 120
// is used as it is; a value outside MinimumZoomPercent..MaximumZoomPercent (a damaged file,
// which would ask for a window of gigabytes or overflow the geometry) reads as 100.
inline constexpr qint32 MinimumZoomPercent = 50;
inline constexpr qint32 MaximumZoomPercent = 400;
inline constexpr qint32 DefaultZoomPercent = 100;
qint32 ReadWindowZoom(const QString &iniFile);
