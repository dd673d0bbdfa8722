#pragma once

#include <QString>

#include <functional>
#include <optional>

// The folders from which the program may choose where it keeps its settings (numik.ini) and
// records (chyba.nmk, chybavysl.nmk, hdv.ndv).
struct DataFolderCandidates
{
    // "--data DIR" from the command line, as given; a classroom's shared folder
    std::optional<QString> commandLine;
    // the executable's own folder, the self-contained folder install; empty in a system install,
    // whose /usr/bin is nobody's to keep records in (not even root's, whose numik.ini there would
    // then draw every other account to a folder it cannot write to)
    QString executableFolder;
    // $XDG_DATA_HOME/numik (~/.local/share/numik); empty when the account has no home
    QString userFolder;
};

struct DataFolderChoice
{
    QString folder;  // absolute and clean; empty when no folder can be used
    QString problem; // why not, as the user reads it, when folder is empty
};

// Whether the running user may create files in a folder (access(2) with W_OK).
bool MayWriteTo(const QString &folder);

// The data folder, in this order:
//  1. --data DIR when given. It is used only as it stands: the folder itself is created when
//     missing (its parent must exist, so a mistyped path is not quietly built), and a folder
//     that is a symbolic link, is not a folder, or cannot be created is refused with a problem,
//     never replaced by another folder that a classroom would not find its records in. So is
//     a folder the user may not write to.
//  2. The executable's folder when the user may write to it.
//  3. The user's folder, created with its parents at the first start, the folder itself open
//     to its owner only (0700).
DataFolderChoice ChooseDataFolder(const DataFolderCandidates &candidates,
                                  const std::function<bool(const QString &)> &mayWrite = MayWriteTo);

// The folder of the sounds: "zvuk" beside the executable (the build tree, the folder install),
// else "zvuk" in the installed data folder, which lies at dataSubdir from the executable's folder
// (../share/numik in a system install).
QString ChooseSoundFolder(const QString &executableFolder, const QString &dataSubdir);
