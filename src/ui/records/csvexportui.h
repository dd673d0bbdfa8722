#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Asks for the file of an export: the Czech save dialog with the filter "CSV (*.csv)", starting
// at defaultName in the documents folder. An empty name means the teacher cancelled.
using ExportFileAsker = std::function<QString(QWidget *parent, const QString &defaultName)>;
// Replaces the dialog (a test answers it); an empty asker brings the dialog back.
void SetExportFileAsker(ExportFileAsker asker);

// Asks for a file and writes the bytes that makeBytes gives into it as a whole. A cancelled
// dialog writes nothing; a failure throws InOutError, shown as the usual error message. The
// program's own files in dataFolder (the settings, the three record files, historie.csv) are
// never replaced by an export: choosing one fails with code 5 and leaves it as it was.
void ExportToChosenFile(QWidget *parent, const QString &defaultName, const QString &dataFolder,
                        const std::function<QByteArray()> &makeBytes);
// The same, keeping the program's own files in every one of dataFolders (a class's folders).
void ExportToChosenFile(QWidget *parent, const QString &defaultName, const QStringList &dataFolders,
                        const std::function<QByteArray()> &makeBytes);

// "&Chybné výsledky" → "e&xport…": the wrong-results file as CSV; the data folder is its folder.
void ExportWrongResults(QWidget *parent, const QString &wrongResultsFile);
