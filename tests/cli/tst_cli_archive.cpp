// vexa-cli with an archive: what a transfer leaves there, what reading it back gives, and
// what becomes of a download when the archive cannot be reached.

#include "CliRunner.h"
#include "cli/ExitStatus.h"
#include "support/PostgresServer.h"
#include "support/TestFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Two files, a character outside ASCII: bytes a text conversion would change.
QString memoryFile(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("memory.txt"));
    writeFileBytes(path, "#L 001 Site \xe9tang nord\r\n"
                         "#R 001 0001 07/03/2015 14:05:10 000248 cps\r\n"
                         "#G 45.1234N 005.6789E\r\n"
                         "#L 002\r\n"
                         "#R 002 0001 08/03/2015 09:00:00 000031 cps\r\n");
    return path;
}

QJsonObject jsonOf(const CliRun& run) {
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

QString sha256Of(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QStringList resultFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("VEXA*.txt")}, QDir::Files, QDir::Name);
}

// The downloads the archive lists, through the tool.
QJsonArray listed(const QString& url) {
    const CliRun run = runCli({QStringLiteral("archive"), QStringLiteral("list"),
                               QStringLiteral("--archive"), url, QStringLiteral("--json")});
    if (run.exitCode != 0)
        qWarning("%s", qPrintable(run.err));
    return jsonOf(run).value(QStringLiteral("downloads")).toArray();
}

int status(ExitStatus s) {
    return code(s);
}

} // namespace

class TestCliArchive : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void transferLeavesTheFileAndReadingGivesItBack();
    void unreachableArchiveLosesNothingAndFlushStoresOnce();
    void passwordInTheAddressIsRefusedBeforeTheLine();
    void transferIntoRealPostgres();
};

void TestCliArchive::transferLeavesTheFileAndReadingGivesItBack() {
    QTemporaryDir dir;
    SimProcess sim({QStringLiteral("--memory"), memoryFile(dir), QStringLiteral("--serial-number"),
                    QStringLiteral("SN42")});
    const QString url = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("fleet.db"));
    CliRun run = runCli({QStringLiteral("transfer"), QStringLiteral("--port"), sim.path(),
                         QStringLiteral("--folder"), dir.path(), QStringLiteral("--archive"), url});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    QVERIFY2(run.out.contains(QStringLiteral("archived")), qPrintable(run.out + run.err));
    const QStringList files = resultFiles(dir.path());
    QCOMPARE(files.size(), 1);
    const QByteArray bytes = fileBytes(dir.filePath(files[0]));

    const QJsonArray downloads = listed(url);
    QCOMPARE(downloads.size(), 1);
    const QJsonObject d = downloads[0].toObject();
    QCOMPARE(d[QStringLiteral("serialNumber")].toString(), QStringLiteral("SN42"));
    QCOMPARE(d[QStringLiteral("sha256")].toString(), sha256Of(bytes));
    QCOMPARE(d[QStringLiteral("resultFileName")].toString(), files[0]);
    QCOMPARE(d[QStringLiteral("port")].toString(), sim.path());
    // The count the instrument's "#T" line announced, as the result file holds it.
    const QRegularExpression announced(QStringLiteral("#T\\D*(\\d+)"));
    const int count = announced.match(QString::fromLatin1(bytes)).captured(1).toInt();
    QVERIFY(count > 0);
    QCOMPARE(d[QStringLiteral("filesAnnounced")].toInt(), count);
    QCOMPARE(d[QStringLiteral("fileHeaders")].toInt(), 2);
    QCOMPARE(d[QStringLiteral("measurementLines")].toInt(), 3);
    QCOMPARE(d[QStringLiteral("outcome")].toString(), QStringLiteral("done"));
    QVERIFY(!d[QStringLiteral("clockSet")].toBool() && !d[QStringLiteral("memoryErased")].toBool());
    QVERIFY(!d[QStringLiteral("hostName")].toString().isEmpty());

    // Given back byte for byte, in a folder of its own.
    const QString to = dir.filePath(QStringLiteral("export"));
    run = runCli({QStringLiteral("archive"), QStringLiteral("export"), QStringLiteral("--serial"),
                  QStringLiteral("SN42"), QStringLiteral("--to"), to, QStringLiteral("--archive"),
                  url});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    QCOMPARE(fileBytes(QDir(to).filePath(files[0])), bytes);

    // The same archive from the environment, for every docked instrument.
    SimProcess second({QStringLiteral("--serial-number"), QStringLiteral("B7")});
    run = runCli({QStringLiteral("transfer"), QStringLiteral("--every-instrument"),
                  QStringLiteral("--folder"), dir.path()},
                 {second.path()}, {{QStringLiteral("VEXA_ARCHIVE"), url}});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    QCOMPARE(listed(url).size(), 2);

    run = runCli({QStringLiteral("archive"), QStringLiteral("overdue"), QStringLiteral("--days"),
                  QStringLiteral("0"), QStringLiteral("--json")},
                 {}, {{QStringLiteral("VEXA_ARCHIVE"), url}});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    QCOMPARE(jsonOf(run)[QStringLiteral("instruments")].toArray().size(), 2);
    run = runCli({QStringLiteral("archive"), QStringLiteral("overdue"), QStringLiteral("--days"),
                  QStringLiteral("30"), QStringLiteral("--archive"), url});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    QVERIFY2(run.out.contains(QStringLiteral(": 0.")), qPrintable(run.out));
}

void TestCliArchive::unreachableArchiveLosesNothingAndFlushStoresOnce() {
    QTemporaryDir dir;
    SimProcess sim({QStringLiteral("--memory"), memoryFile(dir)});
    // A socket folder with no server in it.
    const QString nowhere = QStringLiteral("postgresql://vexa@/fleet?host=") +
                            dir.filePath(QStringLiteral("no-server")) +
                            QStringLiteral("&connect_timeout=2");
    QDir(dir.path()).mkdir(QStringLiteral("no-server"));
    const CliRun run = runCli({QStringLiteral("transfer"), QStringLiteral("--port"), sim.path(),
                               QStringLiteral("--folder"), dir.path(), QStringLiteral("--archive"),
                               nowhere, QStringLiteral("--json")});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    const QJsonObject archive = jsonOf(run)[QStringLiteral("archive")].toObject();
    QVERIFY2(!archive.isEmpty() && !archive[QStringLiteral("committed")].toBool(),
             qPrintable(run.out));
    QVERIFY(archive[QStringLiteral("message")].toString().startsWith(
        QStringLiteral("Archive pending")));
    QCOMPARE(resultFiles(dir.path()).size(), 1);
    const QByteArray bytes = fileBytes(dir.filePath(resultFiles(dir.path())[0]));
    const QDir spool(dir.filePath(QStringLiteral("archive-spool")));
    QCOMPARE(spool.entryList(QDir::Files).size(), 1);

    const QString url = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("fleet.db"));
    const QStringList flush{QStringLiteral("archive"),   QStringLiteral("flush"),
                            QStringLiteral("--folder"),  dir.path(),
                            QStringLiteral("--archive"), url,
                            QStringLiteral("--json")};
    CliRun flushed = runCli(flush);
    QCOMPARE(flushed.exitCode, status(ExitStatus::Done));
    QCOMPARE(jsonOf(flushed)[QStringLiteral("stored")].toInt(), 1);
    QCOMPARE(spool.entryList(QDir::Files).size(), 0);
    flushed = runCli(flush);
    QCOMPARE(jsonOf(flushed)[QStringLiteral("stored")].toInt(), 0);
    const QJsonArray downloads = listed(url);
    QCOMPARE(downloads.size(), 1);
    QCOMPARE(downloads[0].toObject()[QStringLiteral("sha256")].toString(), sha256Of(bytes));
}

void TestCliArchive::passwordInTheAddressIsRefusedBeforeTheLine() {
    QTemporaryDir dir;
    const QString transcript = dir.filePath(QStringLiteral("line.txt"));
    SimProcess sim({}, transcript);
    const QString secret = QStringLiteral("s3cret-word");
    const QList<QPair<QString, QStringList>> ways{
        {QString(),
         {QStringLiteral("--archive"),
          QStringLiteral("postgresql://rp:") + secret + QStringLiteral("@db.example/fleet")}},
        {QStringLiteral("postgresql://rp@db.example/fleet?password=") + secret, {}}};
    for (const auto& [environment, option] : ways) {
        const CliRun run = runCli(QStringList{QStringLiteral("transfer"), QStringLiteral("--port"),
                                              sim.path(), QStringLiteral("--folder"), dir.path()} +
                                      option,
                                  {}, {{QStringLiteral("VEXA_ARCHIVE"), environment}});
        QCOMPARE(run.exitCode, status(ExitStatus::BadUsage));
        QVERIFY2(run.err.contains(QStringLiteral("password")), qPrintable(run.err));
        QVERIFY(!run.err.contains(secret) && !run.out.contains(secret));
    }
    QVERIFY(sim.received().isEmpty());
    QVERIFY(resultFiles(dir.path()).isEmpty());
}

void TestCliArchive::transferIntoRealPostgres() {
    PostgresServer server;
    QVERIFY2(server.failure().isEmpty(), qPrintable(server.failure()));
    const QString url = server.url(QStringLiteral("fleet"));
    QVERIFY2(server.failure().isEmpty(), qPrintable(server.failure()));
    QTemporaryDir dir;
    SimProcess sim({QStringLiteral("--memory"), memoryFile(dir)});
    const CliRun run = runCli({QStringLiteral("transfer"), QStringLiteral("--port"), sim.path(),
                               QStringLiteral("--folder"), dir.path(), QStringLiteral("--archive"),
                               url, QStringLiteral("--json")});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    QVERIFY2(
        jsonOf(run)[QStringLiteral("archive")].toObject()[QStringLiteral("committed")].toBool(),
        qPrintable(run.out));
    const QJsonArray downloads = listed(url);
    QCOMPARE(downloads.size(), 1);
    const QByteArray bytes = fileBytes(dir.filePath(resultFiles(dir.path())[0]));
    QCOMPARE(downloads[0].toObject()[QStringLiteral("sha256")].toString(), sha256Of(bytes));
}

QTEST_GUILESS_MAIN(TestCliArchive)
#include "tst_cli_archive.moc"
