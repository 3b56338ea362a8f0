#pragma once

#include "archive/ArchiveLocation.h"
#include "archive/ArchiveRecords.h"

#include <QString>

// What became of one download given to the archive.
struct ArchiveOutcome {
    // The archive has the download (now, or from before): the memory may be erased.
    bool committed = false;
    // Not committed: why the archive could not take it; the download waits in spoolFile.
    QString reason;
    QString spoolFile;
    // Downloads of earlier runs that waited in the spool and were stored on the way.
    int flushed = 0;
    // Spool files that could not be read (left in place), with the reason.
    QStringList problems;

    // The line to tell the operator when the download waits: "Archive pending: ...".
    QString pendingMessage(const QString& spoolFolder) const;
};

// Stores a download whose result file is safe: first what waits in the spool, then this
// one, each in its own transaction. When the archive cannot be reached or fails, the
// download goes to the spool instead and the outcome says so; nothing is lost either way.
// Throws only when the spool itself cannot be written (EFileError): the caller must then
// keep the instrument's memory.
ArchiveOutcome archiveDownload(const ArchiveLocation& location, const QString& spoolFolder,
                               const DownloadRecord& record);
