#include "archive/ArchiveSchema.h"

#include "archive/ArchiveError.h"
#include "archive/ArchiveRecords.h"
#include "archive/ArchiveSql.h"
#include "common/Messages.h"

#include <QDateTime>
#include <QSqlQuery>
#include <vector>

namespace {

// The same statements for both engines; only the type of the file's bytes differs, named
// {bytes} here. Times are ISO 8601 texts in UTC (see archiveTimeText).
const std::vector<std::vector<const char*>> kMigrations = {
    // 1: instruments and their downloads
    {
        "CREATE TABLE instrument ("
        " serial_number TEXT PRIMARY KEY,"
        " product_reference TEXT NOT NULL,"
        " pm_reference TEXT NOT NULL,"
        " software_version TEXT NOT NULL,"
        " first_seen TEXT NOT NULL,"
        " last_seen TEXT NOT NULL)",
        "CREATE TABLE download ("
        " serial_number TEXT NOT NULL REFERENCES instrument (serial_number),"
        " downloaded_at TEXT NOT NULL,"
        " sha256 TEXT NOT NULL,"
        " host_name TEXT NOT NULL,"
        " user_name TEXT NOT NULL,"
        " program_version TEXT NOT NULL,"
        " port TEXT NOT NULL,"
        " files_announced INTEGER NOT NULL,"
        " file_headers INTEGER NOT NULL,"
        " measurement_lines INTEGER NOT NULL,"
        " outcome TEXT NOT NULL,"
        " clock_set BOOLEAN NOT NULL,"
        " memory_erased BOOLEAN NOT NULL,"
        " result_file_name TEXT NOT NULL,"
        " file_bytes {bytes} NOT NULL,"
        " archived_at TEXT NOT NULL,"
        " PRIMARY KEY (serial_number, downloaded_at, sha256))",
        "CREATE INDEX download_time ON download (downloaded_at)",
    },
};

// Any number, the same on every PC: PostgreSQL writers that find the archive empty wait
// for the one creating the tables.
constexpr qint64 kMigrationLock = 0x56455841; // "VEXA"

QString forEngine(const char* statement, ArchiveLocation::Engine engine) {
    QString sql = QString::fromLatin1(statement);
    sql.replace(QLatin1String("{bytes}"), engine == ArchiveLocation::Engine::Postgres
                                              ? QLatin1String("BYTEA")
                                              : QLatin1String("BLOB"));
    return sql;
}

} // namespace

int latestSchemaVersion() {
    return static_cast<int>(kMigrations.size());
}

void migrateArchive(QSqlDatabase& db, ArchiveLocation::Engine engine, const QString& archiveName) {
    WriteTransaction transaction(db, engine, archiveName);
    if (engine == ArchiveLocation::Engine::Postgres)
        runQuery(db, archiveName, QStringLiteral("SELECT pg_advisory_xact_lock(?)"),
                 {kMigrationLock});
    runQuery(db, archiveName,
             QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version ("
                            " version INTEGER PRIMARY KEY, applied_at TEXT NOT NULL)"));
    int current = 0;
    {
        QSqlQuery query =
            runQuery(db, archiveName, QStringLiteral("SELECT MAX(version) FROM schema_version"));
        if (query.next())
            current = query.value(0).toInt();
    }
    if (current > latestSchemaVersion())
        throw ArchiveError(msg(MsgId::ArchiveSchemaTooNew)
                               .arg(archiveName)
                               .arg(current)
                               .arg(latestSchemaVersion()));
    for (int version = current + 1; version <= latestSchemaVersion(); ++version) {
        for (const char* statement : kMigrations[version - 1])
            runQuery(db, archiveName, forEngine(statement, engine));
        runQuery(db, archiveName,
                 QStringLiteral("INSERT INTO schema_version (version, applied_at) VALUES (?, ?)"),
                 {version, archiveTimeText(QDateTime::currentDateTimeUtc())});
    }
    transaction.commit();
}
