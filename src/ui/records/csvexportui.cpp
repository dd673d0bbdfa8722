#include "ui/records/csvexportui.h"

#include "core/records/csvexport.h"
#include "core/records/ioerror.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

ExportFileAsker &asker()
{
    static ExportFileAsker current;
    return current;
}

QString askWithDialog(QWidget *parent, const QString &defaultName)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Export"), QDir(folder).filePath(defaultName),
                                        QStringLiteral("CSV (*.csv)"));
}

// The file a name stands for, however it is spelt.
QString sameFileKey(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

void SetExportFileAsker(ExportFileAsker newAsker)
{
    asker() = std::move(newAsker);
}

void ExportToChosenFile(QWidget *parent, const QString &defaultName, const QString &dataFolder,
                        const std::function<QByteArray()> &makeBytes)
{
    ExportToChosenFile(parent, defaultName, QStringList{dataFolder}, makeBytes);
}

void ExportToChosenFile(QWidget *parent, const QString &defaultName, const QStringList &dataFolders,
                        const std::function<QByteArray()> &makeBytes)
{
    QStringList keep;
    for (const QString &dataFolder : dataFolders) {
        const QDir folder(dataFolder);
        for (const char *name : {"numik.ini", "chyba.nmk", "chybavysl.nmk", "hdv.ndv", "historie.csv"})
            keep.append(folder.filePath(QString::fromLatin1(name)));
    }
    const QString path = asker() ? asker()(parent, defaultName) : askWithDialog(parent, defaultName);
    if (path.isEmpty())
        return;
    const QString chosen = sameFileKey(path);
    for (const QString &record : keep)
        if (sameFileKey(record) == chosen)
            throw InOutError(5, path);
    WriteExportFile(path, makeBytes());
}

void ExportWrongResults(QWidget *parent, const QString &wrongResultsFile)
{
    ExportToChosenFile(parent, QStringLiteral("chybne-vysledky.csv"), QFileInfo(wrongResultsFile).path(),
                       [&] { return WrongResultsExportCsv(ReadWrongResultsToExport(wrongResultsFile)); });
}
