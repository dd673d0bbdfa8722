#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// One open record file. Every failure throws InOutError with the code mapped from errno; the
// destructor closes a file that close() was not reached for (on the way out of an error) and
// stays silent, since that error is already on its way to the user.
class RecordFileHandle
{
public:
    enum class Access {
        ReadOnly,
        ReadWrite, // the file must exist
        ReadWriteCreate, // an existing file is kept, a missing one is created empty (0644)
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

    QString m_path;
    int m_fd = -1;
};
