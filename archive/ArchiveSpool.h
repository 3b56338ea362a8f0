#pragma once

#include "archive/ArchiveRecords.h"

#include <QString>
#include <QStringList>

class Archive;

// The downloads waiting for the archive, one file each in a local folder. A file is written
// whole or not at all, and leaves the folder only after the archive has committed it.
class ArchiveSpool {
public:
    explicit ArchiveSpool(QString folder);

    const QString& folder() const { return m_folder; }

    // Keeps the download until a flush; the same download kept twice is one file. Returns
    // the file's path; throws EFileError when it cannot be written.
    QString put(const DownloadRecord& record);

    // The spool files, oldest download first.
    QStringList pending() const;

    struct FlushResult {
        int added = 0;        // stored now
        int alreadyThere = 0; // the archive had them (an earlier flush cut short)
        QStringList problems; // files left in place, with the reason (unreadable ones)
    };
    // Stores every waiting download; an unreadable file stays and is reported, an archive
    // failure stops the flush (ArchiveError) with what is left still waiting.
    FlushResult flush(Archive& archive);

private:
    QString m_folder;
};
