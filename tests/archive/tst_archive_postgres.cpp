#include "ArchiveSamples.h"
#include "archive/Archive.h"
#include "archive/ArchiveDownload.h"
#include "archive/ArchiveExport.h"
#include "archive/ArchiveSpool.h"
#include "support/PostgresServer.h"
#include "support/TestFiles.h"

#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <memory>

// The archive on a real PostgreSQL server the test starts: bytes in and out, several docking
// PCs writing at once, and a server that is not there.
class TestArchivePostgres : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PostgresServer> m_server;

    ArchiveLocation database(const QString& name) {
        const QString url = m_server->url(name);
        if (!m_server->failure().isEmpty())
            qFatal("%s", qPrintable(m_server->failure()));
        return parseArchiveUrl(url);
    }

private Q_SLOTS:
    void initTestCase() {
        // Fails, not skips: `make test` and CI must run these against a server.
        m_server = std::make_unique<PostgresServer>();
        QVERIFY2(m_server->failure().isEmpty(), qPrintable(m_server->failure()));
    }

    void cleanupTestCase() { m_server.reset(); }

    void storeListAndExportByteForByte() {
        Archive archive(database("roundtrip"));
        const DownloadRecord a = sampleDownload("1001", utc(2024, 5, 1), awkwardBytes("a"));
        QCOMPARE(archive.store(a), Archive::Stored::Added);
        QCOMPARE(archive.store(a), Archive::Stored::AlreadyThere);
        archive.store(sampleDownload("2002", utc(2024, 5, 9), "y"));

        const QList<ArchiveEntry> entries = archive.list({QStringLiteral("1001"), std::nullopt});
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].download.downloadedAt, a.downloadedAt);
        QCOMPARE(entries[0].fileSize, a.fileBytes.size());
        QVERIFY(entries[0].download.clockSet);
        QCOMPARE(archive.list({QString(), utc(2024, 5, 2)}).size(), 1);
        QCOMPARE(archive.overdue(5, utc(2024, 5, 10)).size(), 1);

        QTemporaryDir to;
        const QList<ExportedFile> files =
            exportDownloads(archive, {QStringLiteral("1001"), std::nullopt}, to.path());
        QCOMPARE(files.size(), 1);
        QCOMPARE(fileBytes(files[0].path), a.fileBytes);
    }

    void concurrentWritersLoseAndDuplicateNothing() {
        // Three docking PCs meet an archive that has no tables yet, then store 30 downloads
        // between them, each of them 20, every download by two of them.
        const ArchiveLocation where = database("fleet");
        QList<DownloadRecord> downloads;
        for (int i = 0; i < 30; ++i)
            downloads << sampleDownload(QString::number(1000 + i % 7),
                                        utc(2024, 5, 1 + i % 28, i % 24),
                                        awkwardBytes(QByteArray::number(i)));
        std::atomic<int> added{0};
        QStringList failures;
        QMutex failuresLock;
        QList<QThread*> writers;
        for (int w = 0; w < 3; ++w) {
            writers << QThread::create([&, w] {
                try {
                    Archive archive(where);
                    for (int k = 0; k < 20; ++k)
                        if (archive.store(downloads[(w * 10 + k) % 30]) == Archive::Stored::Added)
                            ++added;
                } catch (const std::exception& e) {
                    QMutexLocker lock(&failuresLock);
                    failures << QString::fromUtf8(e.what());
                }
            });
            writers.last()->start();
        }
        for (QThread* writer : writers) {
            QVERIFY(writer->wait(120000));
            delete writer;
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
        QCOMPARE(added.load(), 30);

        Archive archive(where);
        const QList<ArchiveEntry> entries = archive.list();
        QCOMPARE(entries.size(), 30);
        QSet<QString> hashes;
        for (const ArchiveEntry& e : entries)
            hashes << e.download.sha256;
        QCOMPARE(hashes.size(), 30);
        QCOMPARE(archive.fileBytes(entries[17].download).size(), entries[17].fileSize);
    }

    void unreachableServerThenFlush() {
        QTemporaryDir nowhere; // a socket folder with no server in it
        const ArchiveLocation absent =
            parseArchiveUrl("postgresql://vexa@/archive?host=" + nowhere.path());
        QTemporaryDir spoolDir;
        const DownloadRecord a = sampleDownload("1001", utc(2024, 5, 1), awkwardBytes("a"));
        const ArchiveOutcome pending = archiveDownload(absent, spoolDir.path(), a);
        QVERIFY(!pending.committed);
        QVERIFY2(pending.reason.contains(nowhere.path()), qPrintable(pending.reason));

        Archive archive(database("later"));
        ArchiveSpool spool(spoolDir.path());
        const ArchiveSpool::FlushResult flushed = spool.flush(archive);
        QCOMPARE(flushed.added, 1);
        QVERIFY(spool.pending().isEmpty());
        QCOMPARE(spool.flush(archive).added, 0);
        const QList<ArchiveEntry> entries = archive.list();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(archive.fileBytes(entries[0].download), a.fileBytes);
    }
};

QTEST_GUILESS_MAIN(TestArchivePostgres)
#include "tst_archive_postgres.moc"
