#include "core/records/ioerror.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

InOutError::InOutError(int code, const QString &path)
    : std::runtime_error((ioErrorText(code) + u'\n' + ioErrorAdvice(code, path)).toStdString())
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

QString InOutError::ioErrorAdvice(int code, const QString &path)
{
    const QString file = QStringLiteral("„%1“").arg(QDir::toNativeSeparators(path));
    switch (code) {
    case 2:
        return QStringLiteral("Soubor %1 nebyl nalezen: ověřte, že program pracuje se správnou složkou dat.").arg(file);
    case 3:
        return QStringLiteral("Cesta %1 není platná: složka dat chybí nebo byla přesunuta.").arg(file);
    case 4:
        return QStringLiteral("Soubor %1 nelze otevřít, program má otevřeno příliš mnoho souborů: ukončete ho "
                              "a spusťte znovu.")
            .arg(file);
    case 5:
        return QStringLiteral("K souboru %1 nemá tento účet přístup: ověřte práva k souboru a ke složce dat "
                              "(ve sdílené složce pro všechny účty žáků); odkaz, složku nebo jiný zvláštní "
                              "soubor na tom místě odstraňte.")
            .arg(file);
    case 32:
        return QStringLiteral("Soubor %1 drží zamčený jiná kopie programu nebo jiný program: zkuste to za chvíli "
                              "znovu.")
            .arg(file);
    case 100:
        return QStringLiteral("Soubor %1 je kratší, než má být, a je asi poškozený: nahraďte ho zálohou, nebo ho "
                              "smažte.")
            .arg(file);
    case 101:
        return QStringLiteral("Na disku se souborem %1 není místo nebo účet vyčerpal svou kvótu: uvolněte místo.")
            .arg(file);
    case 1117:
        return QStringLiteral("Při práci se souborem %1 selhal disk nebo spojení se serverem: ověřte je a zkuste "
                              "to znovu.")
            .arg(file);
    default:
        return QStringLiteral("Soubor %1 nelze přečíst ani zapsat: ověřte ho a složku dat.").arg(file);
    }
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
