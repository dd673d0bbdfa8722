#include "ui/messages/centerform.h"

#include <QWidget>

#include <algorithm>

namespace Placement {

// Coordinates are kept within the range Qt's geometry can hold, so that neither our arithmetic
// nor Qt's overflows for a position edited into the settings file; real positions are far
// inside it.
int toCoordinate(qint64 value)
{
    return int(std::clamp<qint64>(value, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

// A window gets its size fixed when it is first shown; centring it before that has to fix it
// now, just as showing would.
void settleSize(QWidget *window)
{
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
}

// A window not yet shown has no frame; it will get the same decoration as the window it is
// centred over.
QSize outerSize(const QWidget *window, const QWidget *reference)
{
    if (window->isVisible() || reference == nullptr || !reference->isVisible())
        return window->frameGeometry().size();
    return window->size() + (reference->frameGeometry().size() - reference->size());
}

void centreOver(QWidget *window, const QRect &area, const QSize &size)
{
    const qint64 left = qint64(area.left()) + area.width() / 2 - size.width() / 2;
    const qint64 top = qint64(area.top()) + area.height() / 2 - size.height() / 2;
    window->move(toCoordinate(left), toCoordinate(top));
}

} // namespace Placement

void CenterOverForm(QWidget *window, const QWidget *over)
{
    Placement::settleSize(window);
    Placement::centreOver(window, over->frameGeometry(), Placement::outerSize(window, over));
}
