#include "settings/windowplacement.h"

#include "settings/centerform.h"
#include "settings/inifile.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>

using namespace Placement;

namespace {

const QString placementSection = QStringLiteral("Okno");

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

} // namespace

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
