#include "archive/ArchiveDownload.h"

#include "archive/Archive.h"
#include "archive/ArchiveError.h"
#include "archive/ArchiveSpool.h"
#include "common/Messages.h"

QString ArchiveOutcome::pendingMessage(const QString& spoolFolder) const {
    return msg(MsgId::ArchivePending).arg(spoolFolder, reason);
}

ArchiveOutcome archiveDownload(const ArchiveLocation& location, const QString& spoolFolder,
                               const DownloadRecord& record) {
    ArchiveOutcome outcome;
    ArchiveSpool spool(spoolFolder);
    try {
        Archive archive(location);
        const ArchiveSpool::FlushResult flushed = spool.flush(archive);
        outcome.flushed = flushed.added + flushed.alreadyThere;
        outcome.problems = flushed.problems;
        archive.store(record);
        outcome.committed = true;
    } catch (const ArchiveError& error) {
        outcome.reason = error.message();
        outcome.spoolFile = spool.put(record);
    }
    return outcome;
}
