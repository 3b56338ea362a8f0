#pragma once

#include "archive/ArchiveLocation.h"
#include "archive/ArchiveRecords.h"

#include <QList>
#include <QSqlDatabase>
#include <optional>

// Which downloads a reading of the archive takes: every one, or one instrument's, from a
// time on.
struct ArchiveFilter {
    QString serialNumber;           // empty: every instrument
    std::optional<QDateTime> since; // downloads at or after this time
};

// An open connection to the archive, its schema brought up to date. One object serves one
// thread (Qt's rule for database connections); several objects, in threads or processes,
// may write to one archive at once.
class Archive {
public:
    // Throws ArchiveUnreachableError when the database cannot be opened (no server, a
    // folder that cannot be created, no driver), ArchiveError when it refuses the schema.
    explicit Archive(const ArchiveLocation& location);
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    enum class Stored { Added, AlreadyThere };
    // Keeps the download and its instrument in one transaction; the same download stored
    // again (same serial number, time and SHA-256) leaves the archive as it was.
    Stored store(const DownloadRecord& record);

    // Downloads by time, then serial number, without their bytes.
    QList<ArchiveEntry> list(const ArchiveFilter& filter = {});
    // The result file's bytes of one download, checked against its SHA-256.
    QByteArray fileBytes(const DownloadRecord& download);
    // Instruments last read before `now` less `days` days, the longest unread first.
    QList<InstrumentEntry> overdue(int days,
                                   const QDateTime& now = QDateTime::currentDateTimeUtc());

    const ArchiveLocation& location() const { return m_location; }
    QString name() const { return m_location.display(); }

private:
    ArchiveLocation m_location;
    QString m_connectionName;
    QSqlDatabase m_db;
};
