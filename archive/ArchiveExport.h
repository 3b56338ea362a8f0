#pragma once

#include "archive/Archive.h"

#include <QList>
#include <QString>

// One result file given back by an export.
struct ExportedFile {
    ArchiveEntry entry;
    QString path;      // where the bytes are
    bool alreadyThere; // a file of that name held the same bytes: nothing was written
};

// Writes the result files of the downloads the filter takes into `folder` (created if
// needed), byte for byte, under their names. A file is never replaced: when the name is
// taken by other bytes, the file goes to the next free name ("-2", "-3"... before the
// extension); when it holds the same bytes already, it is left as it is. A name from the
// archive is made safe for a file name first, so no row can write outside the folder.
// Throws EFileError when a file cannot be written, ArchiveError when the archive fails.
QList<ExportedFile> exportDownloads(Archive& archive, const ArchiveFilter& filter,
                                    const QString& folder);
