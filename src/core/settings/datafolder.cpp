#include "core/settings/datafolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

DataFolderChoice refuse(const QString &folder, const QString &reason)
{
    return {QString(), QStringLiteral("Složku pro data „%1“ nelze použít: %2.").arg(folder, reason)};
}

DataFolderChoice useGivenFolder(const QString &given, const std::function<bool(const QString &)> &mayWrite)
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
    // every wrong answer and every close would fail there, one message at a time
    if (!mayWrite(folder))
        return refuse(folder, QStringLiteral("nelze do ní zapisovat"));
    return {folder, QString()};
}

DataFolderChoice useUserFolder(const QString &given)
{
    if (given.isEmpty())
        return {QString(), QStringLiteral("Není známa domovská složka, kam uložit nastavení a záznamy.")};
    const QString folder = QDir::cleanPath(QFileInfo(given).absoluteFilePath());
    // the account's own folder: a link there is the user's own choice and is followed. Made by
    // the program, it is the account's alone: it holds the password in plain text, and many
    // homes are open to every account.
    if (!QFileInfo::exists(folder)
        && (!QDir().mkpath(QFileInfo(folder).path())
            || !QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)))
        return refuse(folder, QStringLiteral("nelze ji vytvořit"));
    if (!QFileInfo(folder).isDir())
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
        return useGivenFolder(*candidates.commandLine, mayWrite);
    // A numik.ini alone does not draw an account to the folder: one left by a single start as
    // root in a root-owned folder would then fail every write of every other account.
    const QString &executable = candidates.executableFolder;
    if (!executable.isEmpty() && mayWrite(executable))
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
