#pragma once

#include <QString>
#include <QtGlobal>

#include <stdexcept>

// A record file too large to be rewritten (see RecordRewriteLimit): the re-test or delete that
// met it is abandoned and the file stays as it is. what() is the Czech message for the teacher.
class RecordFileTooLarge : public std::runtime_error
{
public:
    RecordFileTooLarge(const QString &path, qint64 size);

    QString path() const { return m_path; }
    QString text() const { return QString::fromUtf8(what()); }

private:
    QString m_path;
};
