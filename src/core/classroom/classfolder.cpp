#include "core/classroom/classfolder.h"

#include "core/classroom/pupilname.h"
#include "core/records/csvexport.h"
#include "core/records/datafiles.h"
#include "core/records/ioerror.h"
#include "core/records/recordfilehandle.h"
#include "core/records/retryoninterrupt.h"
#include "core/settings/inifile.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Renames from to to unless to exists; 0 or the errno. A server that knows no RENAME_NOREPLACE
// gets a check before a plain rename instead.
int renameNoReplace(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (retryOnInterrupt([&] { return ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(),
                                                  RENAME_NOREPLACE); }) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    struct stat info;
    if (::lstat(target.constData(), &info) == 0)
        return EEXIST;
    return ::rename(source.constData(), target.constData()) == 0 ? 0 : errno;
}

// A folder of the class's own that may be created: not a link and, if there, a folder.
bool usableFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return false;
    if (!info.exists())
        return QDir().mkdir(path) || QFileInfo(path).isDir();
    return info.isDir();
}

// The class's numik.ini into a new pupil's folder; no class file leaves the pupil the defaults.
void copySettings(const QString &from, const QString &to)
{
    RecordFileHandle file(from, RecordFileHandle::Access::ReadOnly, RecordFileHandle::IfMissing::Absent);
    if (!file.exists())
        return;
    const qint64 size = file.size();
    if (size > MaxSettingsFileSize)
        throw InOutError(5, from);
    QByteArray bytes(size, Qt::Uninitialized);
    file.readAt(0, bytes.data(), size);
    file.close();
    WriteExportFile(to, bytes);
}

QString refusePupil(const QString &folder, const QString &reason)
{
    return QStringLiteral("Složku žáka „%1“ nelze použít: %2.").arg(folder, reason);
}

} // namespace

ClassFolder::ClassFolder(const QString &folder) : m_folder(folder) {}

QString ClassFolder::iniFile() const
{
    return DataFile::In(m_folder, DataFile::Settings);
}

QString ClassFolder::pupilsFolder() const
{
    return m_folder + QStringLiteral("/zaci");
}

QString ClassFolder::retiredFolder() const
{
    return m_folder + QStringLiteral("/vyrazeni");
}

QString ClassFolder::pupilFolder(const QString &name) const
{
    return pupilsFolder() + u'/' + name;
}

QStringList ClassFolder::pupilNames() const
{
    if (QFileInfo(pupilsFolder()).isSymLink())
        return {};
    QStringList names;
    const QFileInfoList entries =
        QDir(pupilsFolder()).entryInfoList(QDir::Dirs | QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries)
        if ((entry.isDir() || entry.isSymLink()) && PupilNameProblem(entry.fileName()).isEmpty())
            names.append(entry.fileName());
    SortInCzech(names);
    return names;
}

DataFolderChoice ClassFolder::openPupil(const QString &name) const
{
    if (const QString problem = PupilNameProblem(name); !problem.isEmpty())
        return {QString(), problem};
    const QString folder = pupilFolder(name);
    const QFileInfo info(folder);
    if (QFileInfo(pupilsFolder()).isSymLink() || info.isSymLink())
        return {QString(), refusePupil(folder, QStringLiteral("je to symbolický odkaz"))};
    if (!info.exists()) {
        if (const QString problem = createPupil(name); !problem.isEmpty())
            return {QString(), problem};
    } else if (!info.isDir()) {
        return {QString(), refusePupil(folder, QStringLiteral("není to složka"))};
    }
    return {folder, QString()};
}

QString ClassFolder::createPupil(const QString &name) const
{
    const QString folder = pupilFolder(name);
    if (!usableFolder(pupilsFolder()) || !QDir().mkdir(folder))
        return refusePupil(folder, QStringLiteral("nelze ji vytvořit"));
    try {
        copySettings(iniFile(), DataFile::In(folder, DataFile::Settings));
    } catch (const InOutError &error) {
        // without the class's settings the pupil would practise with the defaults unnoticed
        QDir().rmdir(folder);
        return refusePupil(folder, QStringLiteral("nastavení třídy nelze zkopírovat (%1)").arg(error.text()));
    }
    return QString();
}

QString ClassFolder::addPupil(const QString &name) const
{
    if (const QString problem = PupilNameProblem(name); !problem.isEmpty())
        return problem;
    if (QFileInfo::exists(pupilFolder(name)) || QFileInfo(pupilFolder(name)).isSymLink())
        return QStringLiteral("Žák „%1“ už ve třídě je.").arg(name);
    return createPupil(name);
}

QString ClassFolder::renamePupil(const QString &from, const QString &to) const
{
    if (const QString problem = PupilNameProblem(to); !problem.isEmpty())
        return problem;
    if (PupilNameProblem(from).isEmpty() && from == to)
        return QString();
    const int error = PupilNameProblem(from).isEmpty() ? renameNoReplace(pupilFolder(from), pupilFolder(to)) : ENOENT;
    if (error == EEXIST || error == ENOTEMPTY)
        return QStringLiteral("Žák „%1“ už ve třídě je.").arg(to);
    if (error != 0)
        return QStringLiteral("Žáka „%1“ nelze přejmenovat: %2").arg(from, InOutError::ioErrorText(ioErrorCodeFromErrno(error, pupilFolder(from))));
    return QString();
}

QString ClassFolder::retirePupil(const QString &name) const
{
    if (!PupilNameProblem(name).isEmpty() || !usableFolder(retiredFolder()))
        return QStringLiteral("Žáka „%1“ nelze vyřadit: složku „%2“ nelze použít.").arg(name, retiredFolder());
    int error = EEXIST;
    // a name taken by one who left before gets the next free number
    for (int n = 1; n <= 1000 && error == EEXIST; ++n) {
        const QString target = n == 1 ? name : QStringLiteral("%1 (%2)").arg(name).arg(n);
        error = renameNoReplace(pupilFolder(name), retiredFolder() + u'/' + target);
        if (error == ENOTEMPTY)
            error = EEXIST;
    }
    if (error != 0)
        return QStringLiteral("Žáka „%1“ nelze vyřadit: %2").arg(name, InOutError::ioErrorText(ioErrorCodeFromErrno(error, pupilFolder(name))));
    return QString();
}

void SortInCzech(QStringList &names)
{
    QCollator collator(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), collator);
}
