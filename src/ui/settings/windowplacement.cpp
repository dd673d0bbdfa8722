#include "ui/settings/windowplacement.h"

#include "core/settings/inifile.h"
#include "ui/messages/centerform.h"

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

// One axis of FitIntoArea; computed wide, since a place edited into the file may lie near the
// ends of int.
int fitAxis(int start, int length, int areaStart, int areaLength)
{
    if (length >= areaLength)
        return areaStart;
    return int(std::clamp<qint64>(start, areaStart, qint64(areaStart) + areaLength - length));
}

} // namespace

void AddFormPlacement(IniBatch &batch, const QWidget *window, const QString &section)
{
    // A minimised window keeps the state saved by an earlier run, a maximised one the position
    // and size; a window minimised from maximised therefore writes nothing at all.
    if (!window->isMinimized())
        batch.setInteger(section, QStringLiteral("State"), window->isMaximized() ? 1 : 2);
    if (!window->isMaximized()) {
        batch.setInteger(section, QStringLiteral("Left"), window->x());
        batch.setInteger(section, QStringLiteral("Top"), window->y());
        const QSize client = clientSize(window);
        batch.setInteger(section, QStringLiteral("Width"), client.width());
        batch.setInteger(section, QStringLiteral("Height"), client.height());
    }
}

void SaveFormPlacement(const QWidget *window, const QString &iniFile, const QString &section)
{
    IniBatch batch;
    AddFormPlacement(batch, window, section);
    IniWriteBatch(iniFile, batch);
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
    settleSize(window);
    if (state == 0) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            centreOver(window, screen->availableGeometry(), outerSize(window, nullptr));
        KeepOnScreen(window); // a window larger than the screen starts at its corner
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
    KeepOnScreen(window);
    if (state == 1)
        window->setWindowState(normal | Qt::WindowMaximized);
}

QPoint FitIntoArea(const QRect &frame, const QRect &area)
{
    return {fitAxis(frame.x(), frame.width(), area.x(), area.width()),
            fitAxis(frame.y(), frame.height(), area.y(), area.height())};
}

void KeepOnScreen(QWidget *window)
{
    if (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QRect frame = window->frameGeometry();
    const QScreen *screen = QGuiApplication::screenAt(frame.topLeft());
    if (screen == nullptr)
        screen = window->screen();
    if (screen == nullptr)
        return;
    const QPoint fitted = FitIntoArea(frame, screen->availableGeometry());
    if (fitted != frame.topLeft())
        window->move(fitted);
}

qint32 ReadWindowZoom(const QString &iniFile)
{
    const qint32 zoom = IniReadInteger(iniFile, placementSection, QStringLiteral("velikost"), DefaultZoomPercent);
    return zoom >= MinimumZoomPercent && zoom <= MaximumZoomPercent ? zoom : DefaultZoomPercent;
}
