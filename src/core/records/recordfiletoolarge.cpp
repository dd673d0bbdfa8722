#include "core/records/recordfiletoolarge.h"

#include <QFileInfo>

namespace {

QString message(const QString &path, qint64 size)
{
    const qint64 mebibytes = size / (1024 * 1024);
    return QStringLiteral("Soubor %1 je příliš velký (%2 MiB): program do něj chyby jen připisuje, ale nepřepisuje "
                          "ho, takže přezkoušení ani mazání v něm nejde. Soubor přejmenujte nebo odstraňte.")
        .arg(QFileInfo(path).fileName())
        .arg(mebibytes);
}

} // namespace

RecordFileTooLarge::RecordFileTooLarge(const QString &path, qint64 size)
    : std::runtime_error(message(path, size).toStdString())
    , m_path(path)
{
}
