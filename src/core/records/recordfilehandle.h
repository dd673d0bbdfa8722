#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <chrono>

// One open record file, locked for as long as it is open. Every failure throws InOutError with
// the code mapped from errno; the destructor closes a file that close() was not reached for (on
// the way out of an error) and stays silent, since that error is already on its way to the user.
//
// Two copies of the program may share one folder (a child starts it twice, a classroom runs it
// from one shared folder), so each operation holds a lock on its file for all of its work: an
// exclusive one to change it, a shared one to read it. A copy that finds the file locked waits,
// trying again after a pause that doubles from 10 ms up to 500 ms (on a share every try is a
// round trip to the server), up to lockTimeout(); after that the operation fails with
// LockTimeoutCode and nothing is written. A lock held elsewhere comes back as EWOULDBLOCK, and
// from an SMB server as EACCES: both mean "held", never "denied".
//
// Only regular files with one name are record files: anything else, a symbolic link (never
// followed) or a file with a second hard link (which could be someone's private file), fails
// with code 5.
//
// The size is asked with a seek to the end, which network clients answer from the server rather
// than from their attribute cache, and appends go through O_APPEND, so two computers appending
// one after the other never write at the same old end.
class RecordFileHandle
{
public:
    // What Windows reports for a file that another program holds: "I/O error 32."
    static constexpr int LockTimeoutCode = 32;
    static std::chrono::milliseconds lockTimeout();
    static void setLockTimeout(std::chrono::milliseconds timeout);

    enum class Access {
        ReadOnly,
        ReadWrite, // the file must exist
        ReadWriteCreate, // an existing file is kept, a missing one is created empty (0666 less the umask)
        AppendCreate, // as ReadWriteCreate, and every write goes to the end (append())
    };
    enum class LockWait {
        UpToTimeout, // tries again with a growing pause until lockTimeout()
        TryOnce, // a lock held elsewhere fails at once with LockTimeoutCode
    };
    enum class IfMissing {
        Fail, // a missing file is an error like any other
        Absent, // a missing file leaves the handle closed and exists() false
    };

    RecordFileHandle(const QString &path, Access access, IfMissing ifMissing = IfMissing::Fail,
                     LockWait wait = LockWait::UpToTimeout);
    ~RecordFileHandle();
    RecordFileHandle(const RecordFileHandle &) = delete;
    RecordFileHandle &operator=(const RecordFileHandle &) = delete;

    bool exists() const { return m_fd >= 0; }
    qint64 size() const;
    // Reads exactly length bytes at offset; a file that ends sooner is code 100.
    void readAt(qint64 offset, char *buffer, qint64 length) const;
    void writeAt(qint64 offset, const char *data, qint64 length) const;
    void writeAt(qint64 offset, const QByteArray &data) const { writeAt(offset, data.constData(), data.size()); }
    void truncate(qint64 length) const;
    // Adds data at the file's true end (AppendCreate only). A write that fails part way, on a full
    // disk say, is cut back off, so the file is as it was and no half record or half row stays.
    void append(const QByteArray &data) const;
    // Closes the file; a network client reports here a write the server did not take.
    void close();

private:
    [[noreturn]] void fail(int error) const;
    // Opens the path; false when it is missing and may be.
    bool open(int flags, IfMissing ifMissing);
    static int openOrCreate(const QByteArray &name, int flags);
    void lock(bool exclusive, LockWait wait);
    // Whether the path still names the file that is open (another copy may have removed it).
    bool stillAtPath() const;
    bool onNetworkShare() const;
    void closeQuietly();

    QString m_path;
    int m_fd = -1;
};
