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
// trying again, up to lockTimeout(); after that the operation fails with LockTimeoutCode and
// nothing is written. Only regular files are record files: anything else, a symbolic link
// included (it is never followed), fails with code 5.
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
    };
    enum class IfMissing {
        Fail, // a missing file is an error like any other
        Absent, // a missing file leaves the handle closed and exists() false
    };

    RecordFileHandle(const QString &path, Access access, IfMissing ifMissing = IfMissing::Fail);
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
    void close();

private:
    [[noreturn]] void fail(int error) const;
    // Opens the path; false when it is missing and may be.
    bool open(int flags, IfMissing ifMissing);
    static int openOrCreate(const QByteArray &name, int flags);
    void lock(bool exclusive);
    // Whether the path still names the file that is open (another copy may have removed it).
    bool stillAtPath() const;
    void closeQuietly();

    QString m_path;
    int m_fd = -1;
};
