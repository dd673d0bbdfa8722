#include "records/recordfilehandle.h"

#include "records/ioerror.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

template <typename Call>
auto retryOnInterrupt(Call call)
{
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}

} // namespace

RecordFileHandle::RecordFileHandle(const QString &path, Access access, IfMissing ifMissing)
    : m_path(path)
{
    // A NUL would silently cut the name short and open some other file.
    if (path.isEmpty() || path.contains(QChar(0)))
        throw InOutError(3, path);

    int flags = O_CLOEXEC;
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
    }
    const QByteArray name = QFile::encodeName(path);
    const int fd = retryOnInterrupt([&] { return ::open(name.constData(), flags, 0644); });
    if (fd < 0) {
        const int error = errno;
        // Nothing can exist below a missing folder or below a file either.
        if (ifMissing == IfMissing::Absent && (error == ENOENT || error == ENOTDIR))
            return;
        fail(error);
    }
    m_fd = fd;

    // A folder opens read-only without complaint, but it is no record file.
    struct stat info;
    if (retryOnInterrupt([&] { return ::fstat(m_fd, &info); }) != 0)
        fail(errno);
    if (S_ISDIR(info.st_mode))
        fail(EISDIR);
}

RecordFileHandle::~RecordFileHandle()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void RecordFileHandle::fail(int error) const
{
    throw InOutError(ioErrorCodeFromErrno(error, m_path), m_path);
}

qint64 RecordFileHandle::size() const
{
    struct stat info;
    if (retryOnInterrupt([&] { return ::fstat(m_fd, &info); }) != 0)
        fail(errno);
    return info.st_size;
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
    // a second close could hit a descriptor opened meanwhile for something else.
    if (::close(fd) != 0 && errno != EINTR)
        fail(errno);
}
