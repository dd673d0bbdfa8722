#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// Moves a window so that the centre of its outer frame lies over the centre of the outer frame
// of another: left = over.left + over.width / 2 - window.width / 2, likewise for the top, with
// integer division truncating toward zero. The result is not kept within the screen.
// It lives with the message box, so that every window library and plugin links it.
void CenterOverForm(QWidget *window, const QWidget *over);

namespace Placement {
// Fixes a window's size now if showing it has not fixed it yet.
void settleSize(QWidget *window);
// The outer size of a window, frame included; a window not yet shown gets the reference's frame.
QSize outerSize(const QWidget *window, const QWidget *reference);
// Moves a window of that outer size to the centre of an area.
void centreOver(QWidget *window, const QRect &area, const QSize &size);
// A coordinate kept within the range Qt's geometry can hold.
int toCoordinate(qint64 value);
} // namespace Placement
