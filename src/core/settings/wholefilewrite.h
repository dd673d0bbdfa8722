#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>

#include <sys/stat.h>

// Writes bytes as the whole new content of the regular file at name (encoded for the file
// system), so that a failure leaves the old content whole: through a temporary file beside it,
// renamed over it with the old file's permissions (old, when there is an old file), or, in a
// folder that takes no new file or refuses the rename (a sticky folder, another account's file),
// in place once the space for the new content is reserved. Returns false when the file could
// not be written.
bool WriteWholeFile(const QByteArray &name, const QByteArray &bytes, const struct stat *old);

// Takes one piece of the new content; false once a write has failed (the rest is then dropped).
using PieceWriter = std::function<bool(const QByteArray &piece)>;

// The same for content too large to hold at once: produce hands it to put piece by piece. Only
// through a temporary file, since a write in place could not reserve the space first. Returns
// false when the file could not be written; an exception from produce leaves no temporary file
// and the old file whole, and is passed on.
bool WriteWholeFileInPieces(const QByteArray &name, const std::function<void(const PieceWriter &put)> &produce,
                            const struct stat *old);
// Removes the temporary files that WriteWholeFile left beside the file at path when the program
// was killed during a save: regular files named like its temporary files and last written more
// than a minute before now. Nothing reads them; they would only pile up. Failures are ignored.
void RemoveStaleTemporaryFiles(const QString &path, const QDateTime &now);
