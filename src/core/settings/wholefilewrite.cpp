#include "core/settings/wholefilewrite.h"

#include "core/records/retryoninterrupt.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const QByteArray &bytes, qint64 at)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t put = retryOnInterrupt(
            [&] { return ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(at + done)); });
        if (put <= 0)
            return false;
        done += put;
    }
    return true;
}

// Whether what was written is on the disk; a file system that cannot sync says EINVAL.
bool synced(int fd)
{
    return ::fsync(fd) == 0 || errno == EINVAL;
}

enum class Replaced { Done, NoTemporaryFile, Failed };

// Writes the new text to a temporary file beside the settings file and renames it over the old
// one, so that a full disk or a crash never leaves half a file. Unlike QSaveFile, which writes
// into the target of a link standing at the file's name, the rename replaces whatever stands at
// the name and so never writes through a link planted meanwhile. The new file keeps the old
// one's permissions. NoTemporaryFile (nothing changed) when the folder takes no new file.
Replaced replaceThroughTemporaryFile(const QByteArray &name, const std::function<bool(int fd)> &writeContent,
                                     const struct stat *old)
{
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        temporary = name + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = retryOnInterrupt([&] {
            return ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        });
        if (fd < 0 && errno != EEXIST)
            return Replaced::NoTemporaryFile;
    }
    if (fd < 0)
        return Replaced::NoTemporaryFile;
    bool written = false;
    try {
        written = (!old || ::fchmod(fd, old->st_mode & 0777) == 0) && writeContent(fd) && synced(fd);
    } catch (...) { // the content could not be made: nothing is left behind
        ::close(fd);
        ::unlink(temporary.constData());
        throw;
    }
    const bool closed = ::close(fd) == 0 || errno == EINTR;
    if (written && closed && ::rename(temporary.constData(), name.constData()) == 0)
        return Replaced::Done;
    ::unlink(temporary.constData());
    return Replaced::Failed;
}

// A folder that takes no new file may still hold a writable settings file, which then can only be
// written in place. Its space is reserved first: a disk too full for the new text refuses the
// write before a byte of the old one changes, instead of leaving it cut.
bool writeInPlace(const QByteArray &name, const QByteArray &bytes)
{
    const int fd =
        retryOnInterrupt([&] { return ::open(name.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC); });
    if (fd < 0)
        return false;
    struct stat info;
    bool done = false;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        if (posix_fallocate(fd, 0, off_t(bytes.size())) == 0) {
            done = writeAll(fd, bytes, 0) && ::ftruncate(fd, off_t(bytes.size())) == 0 && synced(fd);
        } else if (::ftruncate(fd, info.st_size) != 0) {
            // Where the file system cannot reserve, the C library writes the new blocks itself and
            // may have grown the file with zeros before the disk ran out; the old length is put
            // back. The write is refused either way.
        }
    }
    const bool closed = ::close(fd) == 0 || errno == EINTR;
    return done && closed;
}

} // namespace

bool WriteWholeFile(const QByteArray &name, const QByteArray &bytes, const struct stat *old)
{
    const Replaced replaced = replaceThroughTemporaryFile(name, [&](int fd) { return writeAll(fd, bytes, 0); }, old);
    return replaced == Replaced::Done || (replaced == Replaced::NoTemporaryFile && writeInPlace(name, bytes));
}

bool WriteWholeFileInPieces(const QByteArray &name, const std::function<void(const PieceWriter &put)> &produce,
                            const struct stat *old)
{
    const auto writePieces = [&](int fd) {
        qint64 offset = 0;
        bool failed = false;
        produce([&](const QByteArray &piece) {
            failed = failed || !writeAll(fd, piece, offset);
            offset += piece.size();
            return !failed;
        });
        return !failed;
    };
    return replaceThroughTemporaryFile(name, writePieces, old) == Replaced::Done;
}
