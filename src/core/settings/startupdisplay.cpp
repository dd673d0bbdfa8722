#include "core/settings/startupdisplay.h"

#include <QStringList>

QList<QCommandLineOption> QtApplicationOptions()
{
    const QStringList withValue = {QStringLiteral("platform"),     QStringLiteral("platformpluginpath"),
                                   QStringLiteral("platformtheme"), QStringLiteral("plugin"),
                                   QStringLiteral("qwindowgeometry"), QStringLiteral("geometry"),
                                   QStringLiteral("qwindowtitle"), QStringLiteral("title"),
                                   QStringLiteral("qwindowicon"),  QStringLiteral("icon"),
                                   QStringLiteral("display"),      QStringLiteral("name"),
                                   QStringLiteral("session"),      QStringLiteral("style"),
                                   QStringLiteral("stylesheet"),   QStringLiteral("qmljsdebugger")};
    const QStringList flags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("testability"),
                               QStringLiteral("nograb"),  QStringLiteral("dograb"),      QStringLiteral("sync")};
    QList<QCommandLineOption> options;
    for (const QString &name : withValue) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        options.append(option);
    }
    for (const QString &name : flags) {
        QCommandLineOption option(name, QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        options.append(option);
    }
    return options;
}

bool WindowCanBeShown(const QString &platformOption, bool displayOption, const QProcessEnvironment &environment)
{
    // "wayland;xcb" tries them in turn, "offscreen:fontengine=freetype" carries arguments: the
    // first name decides
    const QString platforms =
        platformOption.isEmpty() ? environment.value(QStringLiteral("QT_QPA_PLATFORM")) : platformOption;
    const QString platform = platforms.section(u';', 0, 0).section(u':', 0, 0).trimmed().toLower();
    const bool x = displayOption || !environment.value(QStringLiteral("DISPLAY")).isEmpty();
    const bool wayland = !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    if (platform.isEmpty())
        return x || wayland;
    if (platform == u"xcb")
        return x;
    if (platform.startsWith(u"wayland"))
        return wayland;
    // nobody sees these; the framebuffer and VNC platforms draw on a screen of their own
    return platform != u"offscreen" && platform != u"minimal";
}
