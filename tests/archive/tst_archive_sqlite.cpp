#include "ArchiveSamples.h"
#include "archive/Archive.h"
#include "archive/ArchiveDownload.h"
#include "archive/ArchiveError.h"
#include "archive/ArchiveExport.h"
#include "archive/ArchiveSchema.h"
#include "archive/ArchiveSpool.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

// The archive on SQLite, in a real database file: what is stored, read back and exported,
// and what waits in the spool while the file cannot be reached.
class TestArchiveSqlite : public QObject {
    Q_OBJECT

private:
    ArchiveLocation location(const QTemporaryDir& dir) {
        return parseArchiveUrl(QStringLiteral("sqlite:") + dir.filePath("a/archive.sqlite"));
    }

private Q_SLOTS:
    void storeIsIdempotentAndListFilters() {
        QTemporaryDir dir;
        Archive archive(location(dir));
        const DownloadRecord a = sampleDownload("1001", utc(2024, 5, 1), awkwardBytes("a"));
        const DownloadRecord b = sampleDownload("1001", utc(2024, 5, 8), awkwardBytes("b"));
        const DownloadRecord c = sampleDownload("2002", utc(2024, 5, 3), awkwardBytes("c"));
        QCOMPARE(archive.store(a), Archive::Stored::Added);
        QCOMPARE(archive.store(b), Archive::Stored::Added);
        QCOMPARE(archive.store(c), Archive::Stored::Added);
        QCOMPARE(archive.store(a), Archive::Stored::AlreadyThere);
        // Same instrument and time, other bytes: another download.
        DownloadRecord otherBytes = a;
        otherBytes.setFile(a.resultFileName, "other");
        QCOMPARE(archive.store(otherBytes), Archive::Stored::Added);

        const QList<ArchiveEntry> all = archive.list();
        QCOMPARE(all.size(), 4);
        QCOMPARE(all.first().download.downloadedAt, a.downloadedAt);
        QCOMPARE(all.last().download.sha256, b.sha256);
        QCOMPARE(all.last().fileSize, b.fileBytes.size());
        QCOMPARE(all.last().download.measurementLines, 25);
        QVERIFY(all.last().download.clockSet);
        QVERIFY(!all.last().download.memoryErased);

        const auto serial = archive.list({QStringLiteral("1001"), std::nullopt});
        QCOMPARE(serial.size(), 3);
        const auto since = archive.list({QString(), utc(2024, 5, 3)});
        QCOMPARE(since.size(), 2); // the time itself is included
        QCOMPARE(since.first().download.serialNumber, QStringLiteral("2002"));
        QCOMPARE(archive.list({QStringLiteral("1001"), utc(2024, 5, 2)}).size(), 1);
    }

    void exportGivesBackTheBytesAndReplacesNothing() {
        QTemporaryDir dir;
        Archive archive(location(dir));
        const DownloadRecord a = sampleDownload("1001", utc(2024, 5, 1), awkwardBytes("a"));
        DownloadRecord b = sampleDownload("1001", utc(2024, 5, 2), awkwardBytes("b"));
        b.resultFileName = QStringLiteral("../../escaped.txt"); // a row written by anyone
        archive.store(a);
        archive.store(b);
        archive.store(sampleDownload("2002", utc(2024, 5, 3), "not this one"));

        const QString to = dir.filePath("export");
        QDir().mkpath(to);
        const QString taken = to + "/" + a.resultFileName;
        QVERIFY(writeFileBytes(taken, "an earlier file"));

        const QList<ExportedFile> files =
            exportDownloads(archive, {QStringLiteral("1001"), std::nullopt}, to);
        QCOMPARE(files.size(), 2);
        QCOMPARE(fileBytes(taken), QByteArray("an earlier file"));
        QCOMPARE(files[0].path, to + "/VEXA2405061730-1001-2.txt");
        QCOMPARE(fileBytes(files[0].path), a.fileBytes);
        QCOMPARE(files[1].path, to + "/escaped.txt");
        QCOMPARE(fileBytes(files[1].path), b.fileBytes);
        QCOMPARE(QDir(to).entryList(QDir::Files).size(), 3);

        // Again: the same bytes under the same names are already there.
        const QList<ExportedFile> again =
            exportDownloads(archive, {QStringLiteral("1001"), std::nullopt}, to);
        QCOMPARE(again.size(), 2);
        QVERIFY(again[0].alreadyThere && again[1].alreadyThere);
        QCOMPARE(again[0].path, files[0].path);
        QCOMPARE(QDir(to).entryList(QDir::Files).size(), 3);
    }

    void overdueAndLateDownloadsKeepTheLatestInstrument() {
        QTemporaryDir dir;
        Archive archive(location(dir));
        const QDateTime now = utc(2024, 6, 30);
        DownloadRecord recent = sampleDownload("1001", now.addDays(-40), "x");
        recent.softwareVersion = QStringLiteral("5.00");
        archive.store(recent);
        archive.store(sampleDownload("2002", now.addDays(-2), "y"));
        // An older download of 1001 arrives late, from a spool.
        archive.store(sampleDownload("1001", now.addDays(-90), "z"));

        const QList<InstrumentEntry> overdue = archive.overdue(30, now);
        QCOMPARE(overdue.size(), 1);
        QCOMPARE(overdue[0].serialNumber, QStringLiteral("1001"));
        QCOMPARE(overdue[0].lastSeen, now.addDays(-40));
        QCOMPARE(overdue[0].firstSeen, now.addDays(-90));
        QCOMPARE(overdue[0].softwareVersion, QStringLiteral("5.00"));
        QCOMPARE(archive.overdue(1, now).size(), 2);
        QCOMPARE(archive.overdue(100, now).size(), 0);
    }

    void migrationsRunOnceAndANewerSchemaIsRefused() {
        QTemporaryDir dir;
        const ArchiveLocation where = location(dir);
        { Archive first(where); }
        { Archive second(where); }
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
            db.setDatabaseName(where.sqlitePath);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("SELECT COUNT(*), MAX(version) FROM schema_version") && q.next());
            QCOMPARE(q.value(0).toInt(), latestSchemaVersion());
            QCOMPARE(q.value(1).toInt(), latestSchemaVersion());
            QVERIFY(q.exec("INSERT INTO schema_version VALUES (99, 'later')"));
        }
        QSqlDatabase::removeDatabase("check");
        try {
            Archive newer(where);
            QFAIL("a newer schema was accepted");
        } catch (const ArchiveError& e) {
            QVERIFY2(e.message().contains("99"), qPrintable(e.message()));
        }
    }

    void addresses() {
        const ArchiveLocation socket = parseArchiveUrl(
            "postgresql://vexa@/fleet?host=/run/postgresql&sslmode=require&application_name=a%20b");
        QCOMPARE(socket.engine, ArchiveLocation::Engine::Postgres);
        QCOMPARE(socket.user, QStringLiteral("vexa"));
        QCOMPARE(socket.host, QStringLiteral("/run/postgresql"));
        QCOMPARE(socket.database, QStringLiteral("fleet"));
        QCOMPARE(socket.port, -1);
        QCOMPARE(socket.connectOptions,
                 QStringLiteral("sslmode='require';application_name='a b';connect_timeout=10"));
        const ArchiveLocation tcp = parseArchiveUrl("postgres://rp@db.example:6543/archive");
        QCOMPARE(tcp.host, QStringLiteral("db.example"));
        QCOMPARE(tcp.port, 6543);
        QCOMPARE(tcp.display(), QStringLiteral("postgresql://rp@db.example:6543/archive"));
        QCOMPARE(parseArchiveUrl("postgresql://%2Fvar%2Frun/db").host, QStringLiteral("/var/run"));
        QCOMPARE(parseArchiveUrl("sqlite:/srv/a.sqlite").sqlitePath,
                 QStringLiteral("/srv/a.sqlite"));

        qputenv("VEXA_ARCHIVE", " sqlite:/srv/a.sqlite ");
        QCOMPARE(archiveUrlFromEnvironment(), QStringLiteral("sqlite:/srv/a.sqlite"));
        qunsetenv("VEXA_ARCHIVE");
        QVERIFY(archiveUrlFromEnvironment().isEmpty());

        // A password is refused, and the message does not repeat it.
        for (const char* url : {"postgresql://rp:s3cret@db/archive", "postgresql://rp:@db/archive",
                                "postgresql://rp@db/archive?password=s3cret",
                                "rp:s3cret@db/archive", "postgresql://rp@db:s3cret/archive"}) {
            try {
                parseArchiveUrl(QString::fromLatin1(url));
                QFAIL(url);
            } catch (const ArchiveError& e) {
                QVERIFY2(!e.message().contains("s3cret"), qPrintable(e.message()));
            }
        }
        try {
            parseArchiveUrl("postgresql://rp:s3cret@db/archive");
        } catch (const ArchiveError& e) {
            QVERIFY2(e.message().contains("pgpass"), qPrintable(e.message()));
        }
    }

    void unreachableArchiveSpoolsThenFlushStoresOnce() {
        QTemporaryDir dir;
        // A file where the archive's folder should be: no one, root included, can create it.
        QVERIFY(writeFileBytes(dir.filePath("blocked"), "a file"));
        const ArchiveLocation blocked =
            parseArchiveUrl("sqlite:" + dir.filePath("blocked/archive.sqlite"));
        const QString spoolFolder = dir.filePath("spool");
        const DownloadRecord a = sampleDownload("1001", utc(2024, 5, 1), awkwardBytes("a"));

        const ArchiveOutcome pending = archiveDownload(blocked, spoolFolder, a);
        QVERIFY(!pending.committed);
        QVERIFY(!pending.reason.isEmpty());
        QVERIFY(pending.pendingMessage(spoolFolder).contains(spoolFolder));
        QVERIFY(QFileInfo(pending.spoolFile).isFile());
        // Handed over twice while away: one file still.
        QCOMPARE(archiveDownload(blocked, spoolFolder, a).spoolFile, pending.spoolFile);
        ArchiveSpool spool(spoolFolder);
        QCOMPARE(spool.pending().size(), 1);
        // Beside it, a file damaged on the disk, which no flush may store or remove.
        const QString damaged = spoolFolder + "/20240101-000000000-0.vexa-archive.json";
        QVERIFY(writeFileBytes(damaged, "{\"serialNumber\": \"1"));

        QVERIFY(QFile::remove(dir.filePath("blocked")));
        const DownloadRecord b = sampleDownload("1001", utc(2024, 5, 2), awkwardBytes("b"));
        const ArchiveOutcome stored = archiveDownload(blocked, spoolFolder, b);
        QVERIFY2(stored.committed, qPrintable(stored.reason));
        QCOMPARE(stored.flushed, 1);
        QCOMPARE(stored.problems.size(), 1);
        QVERIFY(stored.problems[0].contains(damaged));
        QCOMPARE(spool.pending(), QStringList{damaged});

        Archive archive(blocked);
        const QList<ArchiveEntry> entries = archive.list();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(archive.fileBytes(entries[0].download), a.fileBytes);

        // A flush cut short before its file was removed stores nothing twice.
        spool.put(a);
        const ArchiveSpool::FlushResult again = spool.flush(archive);
        QCOMPARE(again.added, 0);
        QCOMPARE(again.alreadyThere, 1);
        QCOMPARE(archive.list().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestArchiveSqlite)
#include "tst_archive_sqlite.moc"
