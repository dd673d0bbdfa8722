#pragma once

#include "ui/messages/centerform.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QtGlobal>

class IniBatch;
class QWidget;

// Writes the placement of a window into a section of the settings file iniFile (a full path):
// "State" 1 (maximised) or 2 (normal) unless the window is minimised, and "Left", "Top" (the
// position of its frame) with "Width", "Height" (the size of its client area: a main window's
// menu bar is outside it, its status bar inside) unless it is maximised. A write failure throws IniWriteError.
void SaveFormPlacement(const QWidget *window, const QString &iniFile, const QString &section);
// The same keys added to a batch that saves more.
void AddFormPlacement(IniBatch &batch, const QWidget *window, const QString &section = QStringLiteral("Okno"));

// SaveFormPlacement into the section "Okno".
void SaveWindowPlacement(const QWidget *window, const QString &iniFile);

// Restores the placement saved by SaveWindowPlacement: with no "State" saved the window is
// centred on the primary screen's available area; otherwise it goes to the saved "Left" and
// "Top" (negative values taken as 0) and becomes maximised when "State" is 1, normal otherwise.
// Either way a normal place that leaves part of the window off the screen is moved in
// (KeepOnScreen); one that fits is kept exactly. The saved width and height are not read back.
void RestoreWindowPlacement(QWidget *window, const QString &iniFile);

// The top-left corner at which a window whose outer frame is frame lies within area, moved as
// little as possible: along each axis it stays where it fits, moves in just far enough where it
// sticks out, and goes to the area's left (top) edge where it is wider (taller) than the area.
QPoint FitIntoArea(const QRect &frame, const QRect &area);

// Moves a normal window by FitIntoArea into the available area of the screen its top-left
// corner is on (the window's own screen when that corner is on none), so that a window grown
// by a zoom or placed from the settings file is not cut off by the screen's edge.
void KeepOnScreen(QWidget *window);

// The zoom of the main window in percent, "Okno" "velikost". A hand-edited value such as 120
// is used as it is; a value outside MinimumZoomPercent..MaximumZoomPercent (a damaged file,
// which would ask for a window of gigabytes or overflow the geometry) reads as 100.
inline constexpr qint32 MinimumZoomPercent = 50;
inline constexpr qint32 MaximumZoomPercent = 400;
inline constexpr qint32 DefaultZoomPercent = 100;
qint32 ReadWindowZoom(const QString &iniFile);
