#include "core/settings/settingsfilelock.h"

#include "core/records/retryoninterrupt.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The lock covers one byte far beyond any settings file (the reader refuses anything past a
// megabyte). Where locks are mandatory (SMB) a range over the text would refuse every other
// copy's plain read of the settings while one saves; this one is touched by no read.
constexpr off_t LockedByte = off_t(1) << 30;

constexpr int RetryMs = 10;

bool busy(int error)
{
    // a lock held elsewhere comes back as any of these, depending on the file system
    return error == EAGAIN || error == EWOULDBLOCK || error == EACCES;
}

// A file system that keeps no locks (ENOLCK, EINVAL, EOPNOTSUPP) still takes the save, as it
// did before there was a lock.
bool noLocksHere(int error)
{
    return error == ENOLCK || error == EINVAL || error == EOPNOTSUPP;
}

} // namespace

SettingsFileLock::SettingsFileLock(const QByteArray &name)
    : m_name(name)
{
    const QDeadlineTimer deadline(TimeoutMs);
    for (;;) {
        const int outcome = tryOnce();
        if (outcome != 0)
            return;
        if (deadline.hasExpired())
            return;
        QThread::msleep(RetryMs);
    }
}

SettingsFileLock::~SettingsFileLock()
{
    closeFile();
}

void SettingsFileLock::closeFile()
{
    if (m_fd >= 0)
        ::close(m_fd); // the lock goes with the open file
    m_fd = -1;
}

int SettingsFileLock::tryOnce()
{
    // Only a regular file is opened: a link would carry the save into another file, and a pipe
    // or a folder is no settings file (lstat looks at the name, not through it).
    struct stat named;
    const bool exists = ::lstat(m_name.constData(), &named) == 0;
    if (exists && !S_ISREG(named.st_mode))
        return -1;
    const int flags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = retryOnInterrupt([&] { return ::open(m_name.constData(), exists ? flags : flags | O_CREAT | O_EXCL, 0666); });
    if (fd < 0)
        return errno == EEXIST || (exists && errno == ENOENT) ? 0 : -1; // another copy came first
    m_fd = fd;
    m_created = !exists;

    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = LockedByte;
    range.l_len = 1;
    // an open file description's lock: closing another descriptor of the same file (a read of
    // the settings meanwhile) does not release it, as it would a process's lock
    if (retryOnInterrupt([&] { return ::fcntl(m_fd, F_OFD_SETLK, &range); }) != 0) {
        const int error = errno;
        if (!noLocksHere(error)) {
            closeFile();
            return busy(error) ? 0 : -1;
        }
    }
    // another copy may have replaced the file (its save renames a new one over it) between our
    // open and our lock: then the lock is on a file nobody reads any more
    if (::fstat(m_fd, &m_info) != 0 || !S_ISREG(m_info.st_mode)) {
        closeFile();
        return -1;
    }
    if (::lstat(m_name.constData(), &named) != 0 || named.st_dev != m_info.st_dev || named.st_ino != m_info.st_ino) {
        closeFile();
        return 0;
    }
    return 1;
}

void SettingsFileLock::removeIfCreated()
{
    struct stat named;
    if (m_fd >= 0 && m_created && ::lstat(m_name.constData(), &named) == 0 && named.st_dev == m_info.st_dev
        && named.st_ino == m_info.st_ino)
        ::unlink(m_name.constData());
}
