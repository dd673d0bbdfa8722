#include "core/settings/datafolder.h"

#include <QDir>
#include <QFileInfo>

namespace {

DataFolderChoice refuse(const QString &folder, const QString &reason)
{
    return {QString(), QStringLiteral("Složku pro data „%1“ nelze použít: %2.").arg(folder, reason)};
}

DataFolderChoice useGivenFolder(const QString &given)
{
    if (given.isEmpty())
        return refuse(given, QStringLiteral("není zadána"));
    // cleaned first: a trailing "/" would make the link checks below look through a link
    const QString folder = QDir::cleanPath(QFileInfo(given).absoluteFilePath());
    QFileInfo info(folder);
    if (info.isSymLink())
        return refuse(folder, QStringLiteral("je to symbolický odkaz"));
    if (!info.exists()) {
        if (!QDir().mkdir(folder))
            return refuse(folder, QStringLiteral("neexistuje a nelze ji vytvořit"));
        info.refresh();
    }
    // checked after the creation too: a link planted in between is refused as well
    if (info.isSymLink() || !info.isDir())
        return refuse(folder, QStringLiteral("není to složka"));
    return {folder, QString()};
}

DataFolderChoice useUserFolder(const QString &given)
{
    if (given.isEmpty())
        return {QString(), QStringLiteral("Není známa domovská složka, kam uložit nastavení a záznamy.")};
    const QString folder = QDir::cleanPath(QFileInfo(given).absoluteFilePath());
    // the account's own folder: a link there is the user's own choice and is followed
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return refuse(folder, QStringLiteral("nelze ji vytvořit"));
    return {folder, QString()};
}

} // namespace

bool MayWriteTo(const QString &folder)
{
    // QFileInfo asks access(2), which knows of root, ACLs and read-only mounts
    return QFileInfo(folder).isWritable();
}

DataFolderChoice ChooseDataFolder(const DataFolderCandidates &candidates,
                                  const std::function<bool(const QString &)> &mayWrite)
{
    if (candidates.commandLine)
        return useGivenFolder(*candidates.commandLine);
    const QString &executable = candidates.executableFolder;
    if (!executable.isEmpty()
        && (QFileInfo::exists(QDir(executable).filePath(QStringLiteral("numik.ini"))) || mayWrite(executable)))
        return {QDir::cleanPath(executable), QString()};
    return useUserFolder(candidates.userFolder);
}

QString ChooseSoundFolder(const QString &executableFolder, const QString &dataSubdir)
{
    const QDir executable(executableFolder);
    const QString beside = executable.filePath(QStringLiteral("zvuk"));
    if (QFileInfo(beside).isDir())
        return QDir::cleanPath(beside);
    return QDir::cleanPath(executable.filePath(dataSubdir + QStringLiteral("/zvuk")));
}
