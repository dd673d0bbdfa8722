#include "core/records/ioerror.h"

#include <QFileInfo>

#include <cerrno>

InOutError::InOutError(int code, const QString &path)
    : std::runtime_error(ioErrorText(code).toStdString())
    , m_code(code)
    , m_path(path)
{
}

QString InOutError::ioErrorText(int code)
{
    QString text;
    switch (code) {
    case 2:
        text = QStringLiteral("File not found");
        break;
    case 3:
        text = QStringLiteral("Invalid filename");
        break;
    case 4:
        text = QStringLiteral("Too many open files");
        break;
    case 5:
        text = QStringLiteral("File access denied");
        break;
    case 100:
        text = QStringLiteral("Read beyond end of file");
        break;
    case 101:
        text = QStringLiteral("Disk full");
        break;
    case 106:
        text = QStringLiteral("Invalid numeric input");
        break;
    default:
        text = QStringLiteral("I/O error %1").arg(code);
        break;
    }
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

int ioErrorCodeFromErrno(int error, const QString &path)
{
    switch (error) {
    case ENOENT: {
        if (path.isEmpty())
            return 3;
        // The file alone is missing when its folder is there; otherwise the path itself is bad.
        const QFileInfo folder(QFileInfo(path).absolutePath());
        return folder.isDir() ? 2 : 3;
    }
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EISDIR: // a folder standing where the file should be cannot be opened as one
        return 5;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return 101;
    case EIO:
        // a failing device, not a refusal: its errno (5) would read as "File access denied"
        return 1117;
    default:
        return error;
    }
}
