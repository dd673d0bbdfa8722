#pragma once

#include <QString>
#include <QStringList>

// Where an export may write. An export replaces a whole file, so it must never land on a file of
// the program: its settings and records, the executable or a plugin.

// Said when a chosen file belongs to the program.
inline const QString ExportRefusedText = QStringLiteral("Do tohoto souboru nelze exportovat: patří programu Numik.");

// Whether path is a file an export must not write. The path is judged where it really leads:
// its folder resolved through every link, and the file itself resolved when it is a link. In the
// data folder and in each of programFolders (the executable's folder, the plugin folder) every
// existing entry is refused unless it is a CSV file that an export wrote, and so are the names of
// the program's own files even while they are missing; a new name beside them is allowed. A
// folder, or a path whose folder does not exist, is not refused here (the write fails on its own).
bool IsProgramFile(const QString &path, const QString &dataFolder, const QStringList &programFolders);

// Whether the regular file at path begins as an export's CSV: the byte-order mark and the header
// line of one of the exports (the wrong results' header with or without its last column).
bool IsExportCsv(const QString &path);

