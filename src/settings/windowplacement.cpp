#include "settings/windowplacement.h"

#include "settings/inifile.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

const QString placementSection = QStringLiteral("Okno");

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

// The outer size of a window, frame included. A window not yet shown has no frame; it will
// get the same decoration as the window it is centred over.
QSize outerSize(const QWidget *window, const QWidget *reference)
{
    if (window->isVisible() || reference == nullptr || !reference->isVisible())
        return window->frameGeometry().size();
    return window->size() + (reference->frameGeometry().size() - reference->size());
}

// The client area of a window: a main window's menu bar lies outside it, as a menu does on the
// desktops the settings file comes from.
QSize clientSize(const QWidget *window)
{
    QSize size = window->size();
    if (const auto *main = qobject_cast<const QMainWindow *>(window)) {
        if (const QWidget *menu = main->menuWidget(); menu && menu->isVisibleTo(window))
            size.rheight() -= menu->height();
    }
    return size;
}

void centreOver(QWidget *window, const QRect &area, const QSize &size)
{
    const qint64 left = qint64(area.left()) + area.width() / 2 - size.width() / 2;
    const qint64 top = qint64(area.top()) + area.height() / 2 - size.height() / 2;
    window->move(toCoordinate(left), toCoordinate(top));
}

} // namespace

void CenterOverForm(QWidget *window, const QWidget *over)
{
    settleSize(window);
    centreOver(window, over->frameGeometry(), outerSize(window, over));
}

void SaveFormPlacement(const QWidget *window, const QString &iniFile, const QString &section)
{
    // A minimised window keeps the state saved by an earlier run, a maximised one the position
    // and size; a window minimised from maximised therefore writes nothing at all.
    if (!window->isMinimized())
        IniWriteInteger(iniFile, section, QStringLiteral("State"), window->isMaximized() ? 1 : 2);
    if (!window->isMaximized()) {
        IniWriteInteger(iniFile, section, QStringLiteral("Left"), window->x());
        IniWriteInteger(iniFile, section, QStringLiteral("Top"), window->y());
        const QSize client = clientSize(window);
        IniWriteInteger(iniFile, section, QStringLiteral("Width"), client.width());
        IniWriteInteger(iniFile, section, QStringLiteral("Height"), client.height());
    }
}

void SaveWindowPlacement(const QWidget *window, const QString &iniFile)
{
    SaveFormPlacement(window, iniFile, placementSection);
}

void RestoreWindowPlacement(QWidget *window, const QString &iniFile)
{
    // A value that does not parse reads as the default, so "State" is either 0 here, and
    // nothing was saved, or it is what a second read would give.
    const qint32 state = IniReadInteger(iniFile, placementSection, QStringLiteral("State"), 0);
    if (state == 0) {
        settleSize(window);
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            centreOver(window, screen->availableGeometry(), outerSize(window, nullptr));
        return;
    }

    const qint32 left = IniReadInteger(iniFile, placementSection, QStringLiteral("Left"), 1);
    const qint32 top = IniReadInteger(iniFile, placementSection, QStringLiteral("Top"), 1);

    // The window is made normal before it moves: a move while maximised would be lost when it
    // is restored, and the saved position is where the normal window belongs.
    const Qt::WindowStates normal =
        window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    window->setWindowState(normal);
    window->move(toCoordinate(std::max(left, 0)), toCoordinate(std::max(top, 0)));
    if (state == 1)
        window->setWindowState(normal | Qt::WindowMaximized);
}

qint32 ReadWindowZoom(const QString &iniFile)
{
    const qint32 zoom = IniReadInteger(iniFile, placementSection, QStringLiteral("velikost"), DefaultZoomPercent);
    return zoom >= MinimumZoomPercent && zoom <= MaximumZoomPercent ? zoom : DefaultZoomPercent;
}
