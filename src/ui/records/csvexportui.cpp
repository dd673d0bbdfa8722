#include "ui/records/csvexportui.h"

#include "core/records/csvexport.h"
#include "core/records/exporttarget.h"
#include "ui/app/plugins.h"
#include "ui/records/exportfiledialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <stdexcept>

namespace {

ExportFileAsker &asker()
{
    static ExportFileAsker current;
    return current;
}

QString askWithDialog(QWidget *parent, const QString &defaultName, const std::function<bool(const QString &)> &refuses)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ExportFileDialog dialog(parent, QDir(folder).filePath(defaultName), refuses);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void SetExportFileAsker(ExportFileAsker newAsker)
{
    asker() = std::move(newAsker);
}

void ExportToChosenFile(QWidget *parent, const QString &defaultName, const QString &dataFolder,
                        const std::function<void(const QString &path)> &write)
{
    ExportToChosenFile(parent, defaultName, QStringList{dataFolder}, write);
}

void ExportToChosenFile(QWidget *parent, const QString &defaultName, const QStringList &dataFolders,
                        const std::function<void(const QString &path)> &write)
{
    const QStringList programFolders = {QCoreApplication::applicationDirPath(), PluginDirectory()};
    const auto refuses = [&](const QString &path) {
        return std::any_of(dataFolders.cbegin(), dataFolders.cend(),
                           [&](const QString &folder) { return IsProgramFile(path, folder, programFolders); });
    };
    const QString path = asker() ? asker()(parent, defaultName) : askWithDialog(parent, defaultName, refuses);
    if (path.isEmpty())
        return;
    // judged again: the dialog may have been answered by a test, or the folder changed meanwhile
    if (refuses(path))
        throw std::runtime_error(ExportRefusedText.toStdString());
    write(path);
}

void ExportWrongResults(QWidget *parent, const QString &wrongResultsFile)
{
    ExportToChosenFile(parent, QStringLiteral("chybne-vysledky.csv"), QFileInfo(wrongResultsFile).path(),
                       [&](const QString &path) {
                           WriteExportFile(path, WrongResultsExportCsv(ReadWrongResultsToExport(wrongResultsFile)));
                       });
}
