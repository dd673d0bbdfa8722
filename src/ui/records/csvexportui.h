#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Asks for the file of an export: the save dialog (ExportFileDialog), starting at defaultName in
// the documents folder. An empty name means the teacher cancelled.
using ExportFileAsker = std::function<QString(QWidget *parent, const QString &defaultName)>;
// Replaces the dialog (a test answers it); an empty asker brings the dialog back.
void SetExportFileAsker(ExportFileAsker asker);

// Asks for a file and has write put the export there as a whole. A cancelled dialog writes
// nothing; a failure throws InOutError, shown as the usual error message. A file of the program
// (IsProgramFile: its settings and records, anything else already in the data folder but an
// export, the executable, a plugin) is refused with the reason, in the dialog before the question
// whether to replace it, and again before writing; the file stays as it was.
void ExportToChosenFile(QWidget *parent, const QString &defaultName, const QString &dataFolder,
                        const std::function<void(const QString &path)> &write);
// The same, keeping the program's files in every one of dataFolders (a class's folders).
void ExportToChosenFile(QWidget *parent, const QString &defaultName, const QStringList &dataFolders,
                        const std::function<void(const QString &path)> &write);

// "&Chybné výsledky" → "e&xport…": the wrong-results file as CSV; the data folder is its folder.
void ExportWrongResults(QWidget *parent, const QString &wrongResultsFile);
