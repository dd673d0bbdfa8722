#include "core/records/recordfilehandle.h"

#include "core/records/ioerror.h"
#include "core/records/retryoninterrupt.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

std::atomic<qint64> lockTimeoutMs{5000};

// The pause between two tries for a lock another copy holds grows from the first to the last.
constexpr qint64 FirstLockRetryMs = 10;
constexpr qint64 LastLockRetryMs = 500;

// How a refused non-blocking lock says that someone else holds it: EWOULDBLOCK (EAGAIN) locally
// and on NFS, EACCES on an SMB share.
bool heldElsewhere(int error)
{
    return error == EWOULDBLOCK || error == EAGAIN || error == EACCES;
}

} // namespace

std::chrono::milliseconds RecordFileHandle::lockTimeout()
{
    return std::chrono::milliseconds(lockTimeoutMs.load());
}

void RecordFileHandle::setLockTimeout(std::chrono::milliseconds timeout)
{
    lockTimeoutMs.store(timeout.count());
}

RecordFileHandle::RecordFileHandle(const QString &path, Access access, IfMissing ifMissing, LockWait wait)
    : m_path(path)
{
    // A NUL would silently cut the name short and open some other file.
    if (path.isEmpty() || path.contains(QChar(0)))
        throw InOutError(3, path);

    // O_NONBLOCK keeps open() from waiting for a writer when a named pipe stands at the path.
    // O_NOFOLLOW: in a folder that pupils share, a link planted where a record file belongs would
    // make the next record land in whatever file it points to (another pupil's, created if need be).
    int flags = O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW;
    switch (access) {
    case Access::ReadOnly:
        flags |= O_RDONLY;
        break;
    case Access::ReadWrite:
        flags |= O_RDWR;
        break;
    case Access::ReadWriteCreate:
        flags |= O_RDWR | O_CREAT;
        break;
    case Access::AppendCreate:
        flags |= O_RDWR | O_CREAT | O_APPEND;
        break;
    }
    // Another copy may remove the file between our open and our lock (the wrong-results file is
    // deleted when a re-test starts); the lock is then on a file nobody sees, so open again.
    // A constructor that throws runs no destructor: the descriptor is closed here.
    try {
        for (;;) {
            if (!open(flags, ifMissing))
                return;
            lock(access != Access::ReadOnly, wait);
            if (stillAtPath())
                return;
            closeQuietly();
        }
    } catch (...) {
        closeQuietly();
        throw;
    }
}

int RecordFileHandle::openOrCreate(const QByteArray &name, int flags)
{
    // An existing file is opened without O_CREAT: in a sticky folder (1777) the kernel refuses
    // O_CREAT on another account's file (fs.protected_regular) even where that file may be
    // written. A new file asks for 0666, so that the umask and the folder's default ACL decide
    // who else may write it, as for any other program's file in a folder a group shares.
    for (int attempt = 0;; ++attempt) {
        const int fd = retryOnInterrupt([&] { return ::open(name.constData(), flags & ~O_CREAT); });
        if (fd >= 0 || errno != ENOENT || !(flags & O_CREAT))
            return fd;
        const int created = retryOnInterrupt([&] { return ::open(name.constData(), flags | O_EXCL, 0666); });
        // EEXIST: another copy created it meanwhile (or a link stands there, which the next
        // open refuses); a name that keeps appearing and vanishing is given up on
        if (created >= 0 || errno != EEXIST || attempt == 8)
            return created;
    }
}

bool RecordFileHandle::open(int flags, IfMissing ifMissing)
{
    const QByteArray name = QFile::encodeName(m_path);
    const int fd = openOrCreate(name, flags);
    if (fd < 0) {
        const int error = errno;
        // Nothing can exist below a missing folder or below a file either.
        if (ifMissing == IfMissing::Absent && (error == ENOENT || error == ENOTDIR))
            return false;
        // O_NOFOLLOW refuses a link with ELOOP: no record file stands there, only a way into another
        fail(error == ELOOP ? EACCES : error);
    }
    m_fd = fd;

    // A folder opens read-only without complaint, a device or a pipe reads without end: none of
    // them is a record file.
    struct stat info;
    if (retryOnInterrupt([&] { return ::fstat(m_fd, &info); }) != 0)
        fail(errno);
    if (!S_ISREG(info.st_mode))
        fail(EISDIR);
    // A second name makes the file someone else's too: a record written here would land in it.
    if (info.st_nlink > 1)
        fail(EACCES);
    const int status = ::fcntl(m_fd, F_GETFL);
    if (status < 0 || ::fcntl(m_fd, F_SETFL, status & ~O_NONBLOCK) != 0)
        fail(errno);
    return true;
}

void RecordFileHandle::lock(bool exclusive, LockWait wait)
{
    const int operation = (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    const QDeadlineTimer deadline(wait == LockWait::TryOnce ? std::chrono::milliseconds(0) : lockTimeout());
    qint64 pause = FirstLockRetryMs;
    for (;;) {
        if (retryOnInterrupt([&] { return ::flock(m_fd, operation); }) == 0)
            break;
        const int error = errno;
        if (!heldElsewhere(error))
            fail(error);
        if (deadline.hasExpired())
            throw InOutError(LockTimeoutCode, m_path);
        QThread::msleep(quint64(std::min(pause, std::max<qint64>(deadline.remainingTime(), 1))));
        pause = std::min(pause * 2, LastLockRetryMs);
    }
    // A network client may keep pages of the file from before the lock, with another computer's
    // latest record missing from them. Clean pages are dropped here, so what this copy reads or
    // writes around the end comes from the server (a hint: an error here changes nothing).
    if (exclusive)
        ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_DONTNEED);
}

bool RecordFileHandle::stillAtPath() const
{
    struct stat open;
    struct stat named;
    if (retryOnInterrupt([&] { return ::fstat(m_fd, &open); }) != 0)
        fail(errno);
    // lstat: a link put in the file's place meanwhile is not the file, and the next open refuses it
    if (::lstat(QFile::encodeName(m_path).constData(), &named) != 0)
        return false;
    return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

RecordFileHandle::~RecordFileHandle()
{
    closeQuietly();
}

void RecordFileHandle::closeQuietly()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void RecordFileHandle::fail(int error) const
{
    throw InOutError(ioErrorCodeFromErrno(error, m_path), m_path);
}

qint64 RecordFileHandle::size() const
{
    // fstat may be answered from a network client's attribute cache, up to a second old; a seek to
    // the end makes the client ask the server.
    const off_t end = ::lseek(m_fd, 0, SEEK_END);
    if (end < 0)
        fail(errno);
    return end;
}

void RecordFileHandle::readAt(qint64 offset, char *buffer, qint64 length) const
{
    qint64 done = 0;
    while (done < length) {
        const ssize_t got = retryOnInterrupt(
            [&] { return ::pread(m_fd, buffer + done, size_t(length - done), off_t(offset + done)); });
        if (got < 0)
            fail(errno);
        if (got == 0)
            throw InOutError(100, m_path);
        done += got;
    }
}

void RecordFileHandle::writeAt(qint64 offset, const char *data, qint64 length) const
{
    qint64 done = 0;
    while (done < length) {
        const ssize_t put = retryOnInterrupt(
            [&] { return ::pwrite(m_fd, data + done, size_t(length - done), off_t(offset + done)); });
        if (put < 0)
            fail(errno);
        if (put == 0) // the device takes nothing more
            fail(ENOSPC);
        done += put;
    }
}

void RecordFileHandle::append(const QByteArray &data) const
{
    const qint64 before = size();
    // The lock is still held, so whatever part got written is this copy's and nobody has read it:
    // it is cut off again. A network client may only learn of a failed write when it flushes, so
    // the data is flushed here, while the cut is still possible.
    const auto cutBackAndFail = [&](int error) {
        [[maybe_unused]] const int cut = ::ftruncate(m_fd, off_t(before));
        fail(error);
    };
    qint64 done = 0;
    while (done < data.size()) {
        const ssize_t put =
            retryOnInterrupt([&] { return ::write(m_fd, data.constData() + done, size_t(data.size() - done)); });
        if (put <= 0)
            cutBackAndFail(put < 0 ? errno : ENOSPC); // a device that takes nothing more is full
        done += put;
    }
    if (onNetworkShare() && retryOnInterrupt([&] { return ::fdatasync(m_fd); }) != 0)
        cutBackAndFail(errno);
}

bool RecordFileHandle::onNetworkShare() const
{
    // NFS, and SMB's two magic numbers (the old and the new client)
    constexpr decltype(statfs::f_type) Nfs = 0x6969, Cifs = 0xFF534D42, Smb2 = 0xFE534D42;
    struct statfs info;
    if (::fstatfs(m_fd, &info) != 0)
        return true; // unknown: flushing costs time, not records
    return info.f_type == Nfs || info.f_type == Cifs || info.f_type == Smb2;
}

void RecordFileHandle::truncate(qint64 length) const
{
    if (retryOnInterrupt([&] { return ::ftruncate(m_fd, off_t(length)); }) != 0)
        fail(errno);
}

void RecordFileHandle::close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    // Linux releases the descriptor even when close() is interrupted, so it is never repeated:
    // a second close could hit a descriptor opened meanwhile for something else. The lock goes
    // with the descriptor.
    if (::close(fd) != 0 && errno != EINTR)
        fail(errno);
}
