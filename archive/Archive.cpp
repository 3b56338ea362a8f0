#include "archive/Archive.h"

#include "archive/ArchiveError.h"
#include "archive/ArchiveSchema.h"
#include "archive/ArchiveSql.h"
#include "common/Messages.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString nextConnectionName() {
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("vexa-archive-%1").arg(counter.fetchAndAddRelaxed(1));
}

const char* kEntryColumns =
    "SELECT d.serial_number, i.product_reference, i.pm_reference, i.software_version,"
    " d.downloaded_at, d.host_name, d.user_name, d.program_version, d.port,"
    " d.files_announced, d.file_headers, d.measurement_lines, d.outcome, d.clock_set,"
    " d.memory_erased, d.result_file_name, d.sha256, LENGTH(d.file_bytes), d.archived_at"
    " FROM download d JOIN instrument i ON i.serial_number = d.serial_number";

ArchiveEntry entryFrom(const QSqlQuery& q) {
    ArchiveEntry entry;
    DownloadRecord& d = entry.download;
    d.serialNumber = q.value(0).toString();
    d.productReference = q.value(1).toString();
    d.pmReference = q.value(2).toString();
    d.softwareVersion = q.value(3).toString();
    d.downloadedAt = archiveTimeFromText(q.value(4).toString());
    d.hostName = q.value(5).toString();
    d.userName = q.value(6).toString();
    d.programVersion = q.value(7).toString();
    d.port = q.value(8).toString();
    d.filesAnnounced = q.value(9).toInt();
    d.fileHeaders = q.value(10).toInt();
    d.measurementLines = q.value(11).toInt();
    d.outcome = q.value(12).toString();
    d.clockSet = q.value(13).toBool();
    d.memoryErased = q.value(14).toBool();
    d.resultFileName = q.value(15).toString();
    d.sha256 = q.value(16).toString();
    entry.fileSize = q.value(17).toLongLong();
    entry.archivedAt = archiveTimeFromText(q.value(18).toString());
    return entry;
}

} // namespace

Archive::Archive(const ArchiveLocation& location)
    : m_location(location), m_connectionName(nextConnectionName()) {
    const bool sqlite = location.engine == ArchiveLocation::Engine::Sqlite;
    const QString driver = sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
    if (!QSqlDatabase::isDriverAvailable(driver))
        throw ArchiveUnreachableError(msg(MsgId::ArchiveDriverMissing)
                                          .arg(driver, sqlite ? QStringLiteral("libqt6sql6-sqlite")
                                                              : QStringLiteral("libqt6sql6-psql")));
    m_db = QSqlDatabase::addDatabase(driver, m_connectionName);
    if (sqlite) {
        // A first archive on a PC may name a folder that does not exist yet.
        QDir().mkpath(QFileInfo(location.sqlitePath).absolutePath());
        m_db.setDatabaseName(location.sqlitePath);
        // Another program of this PC (the watcher, a flush) may be writing: wait for it.
        m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
    } else {
        m_db.setHostName(location.host);
        if (location.port > 0)
            m_db.setPort(location.port);
        m_db.setUserName(location.user);
        m_db.setDatabaseName(location.database);
        m_db.setConnectOptions(location.connectOptions);
    }
    if (!m_db.open())
        throw ArchiveUnreachableError(
            msg(MsgId::ArchiveUnreachable).arg(name(), m_db.lastError().text()));
    // The server's notices ("already exists, skipping") are not the operator's business.
    if (!sqlite)
        runQuery(m_db, name(), QStringLiteral("SET client_min_messages TO warning"));
    migrateArchive(m_db, location.engine, name());
}

Archive::~Archive() {
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

Archive::Stored Archive::store(const DownloadRecord& r) {
    const QString time = archiveTimeText(r.downloadedAt);
    WriteTransaction transaction(m_db, m_location.engine, name());
    // The instrument as its latest download saw it; a download that arrives late from a
    // spool widens first and last seen without bringing back an older software version.
    runQuery(
        m_db, name(),
        QStringLiteral("INSERT INTO instrument (serial_number, product_reference, pm_reference,"
                       " software_version, first_seen, last_seen) VALUES (?, ?, ?, ?, ?, ?)"
                       " ON CONFLICT (serial_number) DO UPDATE SET"
                       " product_reference = CASE WHEN excluded.last_seen >= instrument.last_seen"
                       "  THEN excluded.product_reference ELSE instrument.product_reference END,"
                       " pm_reference = CASE WHEN excluded.last_seen >= instrument.last_seen"
                       "  THEN excluded.pm_reference ELSE instrument.pm_reference END,"
                       " software_version = CASE WHEN excluded.last_seen >= instrument.last_seen"
                       "  THEN excluded.software_version ELSE instrument.software_version END,"
                       " first_seen = CASE WHEN excluded.first_seen < instrument.first_seen"
                       "  THEN excluded.first_seen ELSE instrument.first_seen END,"
                       " last_seen = CASE WHEN excluded.last_seen > instrument.last_seen"
                       "  THEN excluded.last_seen ELSE instrument.last_seen END"),
        {r.serialNumber, r.productReference, r.pmReference, r.softwareVersion, time, time});
    QSqlQuery insert = runQuery(
        m_db, name(),
        QStringLiteral("INSERT INTO download (serial_number, downloaded_at, sha256, host_name,"
                       " user_name, program_version, port, files_announced, file_headers,"
                       " measurement_lines, outcome, clock_set, memory_erased, result_file_name,"
                       " file_bytes, archived_at)"
                       " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
                       " ON CONFLICT (serial_number, downloaded_at, sha256) DO NOTHING"),
        {r.serialNumber, time, sha256Hex(r.fileBytes), r.hostName, r.userName, r.programVersion,
         r.port, r.filesAnnounced, r.fileHeaders, r.measurementLines, r.outcome, r.clockSet,
         r.memoryErased, r.resultFileName, r.fileBytes,
         archiveTimeText(QDateTime::currentDateTimeUtc())});
    const bool added = insert.numRowsAffected() > 0;
    insert.finish();
    transaction.commit();
    return added ? Stored::Added : Stored::AlreadyThere;
}

QList<ArchiveEntry> Archive::list(const ArchiveFilter& filter) {
    QString sql = QString::fromLatin1(kEntryColumns) + QLatin1String(" WHERE 1 = 1");
    QVariantList values;
    if (!filter.serialNumber.isEmpty()) {
        sql += QLatin1String(" AND d.serial_number = ?");
        values << filter.serialNumber;
    }
    if (filter.since) {
        sql += QLatin1String(" AND d.downloaded_at >= ?");
        values << archiveTimeText(*filter.since);
    }
    sql += QLatin1String(" ORDER BY d.downloaded_at, d.serial_number, d.sha256");
    QSqlQuery query = runQuery(m_db, name(), sql, values);
    QList<ArchiveEntry> entries;
    while (query.next())
        entries << entryFrom(query);
    return entries;
}

QByteArray Archive::fileBytes(const DownloadRecord& d) {
    QSqlQuery query =
        runQuery(m_db, name(),
                 QStringLiteral("SELECT file_bytes FROM download"
                                " WHERE serial_number = ? AND downloaded_at = ? AND sha256 = ?"),
                 {d.serialNumber, archiveTimeText(d.downloadedAt), d.sha256});
    const QByteArray bytes = query.next() ? query.value(0).toByteArray() : QByteArray();
    if (sha256Hex(bytes) != d.sha256)
        throw ArchiveError(msg(MsgId::ArchiveFileAltered).arg(d.resultFileName, d.serialNumber));
    return bytes;
}

QList<InstrumentEntry> Archive::overdue(int days, const QDateTime& now) {
    QSqlQuery query = runQuery(
        m_db, name(),
        QStringLiteral("SELECT serial_number, product_reference, pm_reference, software_version,"
                       " first_seen, last_seen FROM instrument WHERE last_seen < ?"
                       " ORDER BY last_seen, serial_number"),
        {archiveTimeText(now.addDays(-days))});
    QList<InstrumentEntry> instruments;
    while (query.next())
        instruments << InstrumentEntry{query.value(0).toString(),
                                       query.value(1).toString(),
                                       query.value(2).toString(),
                                       query.value(3).toString(),
                                       archiveTimeFromText(query.value(4).toString()),
                                       archiveTimeFromText(query.value(5).toString())};
    return instruments;
}
