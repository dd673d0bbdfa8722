#pragma once

#include <QString>

#include <stdexcept>

// An I/O failure of a record file. It abandons the user action in progress; the main window
// shows what() as the program's general error message: text() and, on a second line, advice(),
// in UTF-8.
class InOutError : public std::runtime_error
{
public:
    InOutError(int code, const QString &path);

    // The I/O code: 2 file not found, 3 invalid filename, 4 too many open files, 5 access denied,
    // 100 read beyond end of file, 101 disk full, 106 invalid numeric input, others as they come.
    int code() const { return m_code; }
    QString path() const { return m_path; }
    QString text() const { return ioErrorText(m_code); }
    // In Czech, for the teacher who has to mend it: which file, and what to do.
    QString advice() const { return ioErrorAdvice(m_code, m_path); }

    // "File not found." …, "I/O error 7." — the "." appended when the text lacks one.
    static QString ioErrorText(int code);
    static QString ioErrorAdvice(int code, const QString &path);

private:
    int m_code;
    QString m_path;
};

// The I/O code for a failed system call on path, from its errno. ENOENT is "file not found" when
// the file's folder exists and "invalid filename" when the path runs through a missing folder.
// Any errno without a code of its own is passed on as the code.
int ioErrorCodeFromErrno(int error, const QString &path);
