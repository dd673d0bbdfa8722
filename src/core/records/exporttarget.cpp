#include "core/records/exporttarget.h"

#include "core/records/csvexport.h"
#include "core/records/csvtext.h"
#include "core/records/datafiles.h"
#include "core/records/retryoninterrupt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The program's own files in its data folder; refused even before they exist, since the program
// creates them later and would then read the export as its record.
bool isOwnName(const QString &name)
{
    return std::find(std::begin(DataFile::All), std::end(DataFile::All), name) != std::end(DataFile::All);
}

// Whether target, a path whose folder is already resolved, is refused in a protected folder.
bool refusedIn(const QString &target, const QStringList &protectedFolders)
{
    const QFileInfo info(target);
    if (!protectedFolders.contains(info.path()))
        return false;
    if (isOwnName(info.fileName()))
        return true;
    struct stat entry;
    if (::lstat(QFile::encodeName(target).constData(), &entry) != 0)
        return errno != ENOENT; // a name that cannot even be looked at is not risked
    if (S_ISDIR(entry.st_mode))
        return false;
    return !S_ISREG(entry.st_mode) || !IsExportCsv(target);
}

} // namespace

bool IsExportCsv(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = retryOnInterrupt([&] { return ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC); });
    if (fd < 0)
        return false;
    QByteArray start(512, '\0');
    struct stat info;
    ssize_t got = -1;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        got = retryOnInterrupt([&] { return ::pread(fd, start.data(), size_t(start.size()), 0); });
    ::close(fd);
    if (got <= 0)
        return false;
    start.truncate(got);
    QStringList olderWrongResults = WrongResultsCsvHeader();
    olderWrongResults.removeLast(); // exports written before the hidden number had its column
    for (const QStringList &header : {HistoryCsvHeader(), WrongResultsCsvHeader(), olderWrongResults})
        if (start.startsWith(CsvByteOrderMark + CsvLine(header)))
            return true;
    return false;
}

bool IsProgramFile(const QString &path, const QString &dataFolder, const QStringList &programFolders)
{
    QStringList protectedFolders;
    const QStringList folders = QStringList(programFolders) << dataFolder;
    for (const QString &folder : folders) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (!canonical.isEmpty())
            protectedFolders.append(canonical);
    }
    const QFileInfo spelled(path);
    const QString folder = QFileInfo(spelled.absolutePath()).canonicalFilePath();
    if (folder.isEmpty() || spelled.fileName().isEmpty())
        return false;
    // the name as it really lies, whatever links the spelled folder runs through
    const QString resolved = QDir(folder).filePath(spelled.fileName());
    if (refusedIn(resolved, protectedFolders))
        return true;
    // and a link standing at the name is judged by where it leads
    const QFileInfo at(resolved);
    if (at.isSymLink()) {
        const QString target = at.canonicalFilePath();
        return !target.isEmpty() && refusedIn(target, protectedFolders);
    }
    return false;
}
