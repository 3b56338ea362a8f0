// vexa-cli watch as a docking PC runs it: a real process, the simulator's link appearing and
// going in a folder named by VEXA_EXTRA_PORTS, the result files, the ledger and the signals.

#include "CliRunner.h"
#include "sim/InstrumentSimulator.h"
#include "support/TestFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

// The ledger's lines as columns; the header line first.
QList<QStringList> ledgerRows(const QString& path) {
    QList<QStringList> rows;
    for (const QByteArray& line : fileBytes(path).split('\n'))
        if (!line.trimmed().isEmpty())
            rows << QString::fromUtf8(line.trimmed()).split(u',');
    return rows;
}

int count(const QList<QByteArray>& lines, const QByteArray& command) {
    return int(std::count_if(lines.begin(), lines.end(),
                             [&](const QByteArray& l) { return l.startsWith(command); }));
}

} // namespace

class TestCliWatch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void downloadsEachDockingOnce();
    void erasesOnlyAfterTheCompleteFile();
    void keepsTheMemoryAfterAHangUp();
    void keepsTheMemoryOfAnotherInstrument();
    void erasesOnlyWhatTheArchiveHolds();
    void stopsAtOnceWhenIdle();
    void sleepsWhileIdle();
    void finishesTheDownloadBeforeStopping();

private:
    // vexa-cli watch on the dock folder, waiting once it says so.
    void startWatch(const QStringList& options = {});
    // The ledger has `lines` records (the header aside).
    bool waitForRecords(int records, int timeoutMs = 30000);
    QJsonObject record(int index) const;
    QString ledger() const { return m_files->filePath(QStringLiteral("ledger.csv")); }
    QString dockedPath() const { return m_dock->filePath(QStringLiteral("vexameter")); }

    std::unique_ptr<QTemporaryDir> m_dock;
    std::unique_ptr<QTemporaryDir> m_files;
    std::unique_ptr<InstrumentSimulator> m_sim;
    std::unique_ptr<QProcess> m_cli;
    QByteArray m_out;
    QByteArray m_err;
};

void TestCliWatch::init() {
    m_dock = std::make_unique<QTemporaryDir>();
    m_files = std::make_unique<QTemporaryDir>();
    m_sim = std::make_unique<InstrumentSimulator>();
    m_sim->setLinkPath(dockedPath());
    m_sim->instrument()->generateMemory(3, 8);
    m_out.clear();
    m_err.clear();
}

void TestCliWatch::cleanup() {
    if (m_cli && m_cli->state() != QProcess::NotRunning) {
        m_cli->kill();
        m_cli->waitForFinished();
    }
    m_cli.reset();
    m_sim.reset();
}

void TestCliWatch::startWatch(const QStringList& options) {
    m_cli = std::make_unique<QProcess>();
    prepareCli(*m_cli,
               QStringList{QStringLiteral("watch"), QStringLiteral("--folder"), m_files->path(),
                           QStringLiteral("--settle"), QStringLiteral("0.2"),
                           QStringLiteral("--json")} +
                   options,
               {dockedPath()}, {{QStringLiteral("LC_ALL"), QStringLiteral("C")}});
    connect(m_cli.get(), &QProcess::readyReadStandardOutput, this,
            [this] { m_out += m_cli->readAllStandardOutput(); });
    connect(m_cli.get(), &QProcess::readyReadStandardError, this,
            [this] { m_err += m_cli->readAllStandardError(); });
    m_cli->start();
    QVERIFY(m_cli->waitForStarted());
    // Said once the computer's own ports have been looked at: idle from then on.
    QTRY_VERIFY_WITH_TIMEOUT(m_err.contains("Waiting for instruments"), 30000);
}

bool TestCliWatch::waitForRecords(int records, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (ledgerRows(ledger()).size() >= records + 1 && record(records - 1).contains("port"))
            return true;
        QTest::qWait(20);
    }
    return false;
}

// The `index`th JSON line about the dock's port: the computer's own ports have theirs too.
QJsonObject TestCliWatch::record(int index) const {
    int n = 0;
    for (const QByteArray& line : m_out.split('\n')) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        if (object.value("port").toString() == dockedPath() && n++ == index)
            return object;
    }
    return {};
}

void TestCliWatch::downloadsEachDockingOnce() {
    // The same minute for both dockings, so that the second name needs its "-2".
    QTRY_VERIFY_WITH_TIMEOUT(QTime::currentTime().second() < 40, 30000);
    // What the window's transfer makes of this memory.
    m_sim->start();
    const QString reference = m_files->filePath(QStringLiteral("reference.bin"));
    QCOMPARE(runCli({QStringLiteral("transfer"), QStringLiteral("--port"), m_sim->slavePath(),
                     QStringLiteral("--output"), reference})
                 .exitCode,
             0);
    const QByteArray expected = fileBytes(reference);
    QFile::remove(reference);
    m_sim->hangUpNow();

    startWatch();
    m_sim->clearTranscript();
    m_sim->start();
    QVERIFY(waitForRecords(1));
    QJsonObject first = record(0);
    QCOMPARE(first.value("outcome").toString(), QStringLiteral("done"));
    const QString firstFile = first.value("resultFile").toString();
    QCOMPARE(fileBytes(firstFile), expected);
    QCOMPARE(first.value("sha256").toString(),
             QString::fromLatin1(
                 QCryptographicHash::hash(expected, QCryptographicHash::Sha256).toHex()));
    QCOMPARE(ledgerRows(ledger()).at(1).contains(first.value("sha256").toString()), true);
    QCOMPARE(first.value("memoryErased").toBool(), false);

    // Unplugged and docked again: read again, into a file of its own. Until then, once.
    QCOMPARE(count(m_sim->receivedLines(), "#T"), 1);
    m_sim->hangUpNow();
    m_sim->start();
    QVERIFY(waitForRecords(2));
    const QString second = record(1).value("resultFile").toString();
    QCOMPARE(second, firstFile.chopped(4) + QStringLiteral("-2.txt"));
    QCOMPARE(fileBytes(second), expected);
    QCOMPARE(fileBytes(firstFile), expected);
    QCOMPARE(count(m_sim->receivedLines(), "#T"), 2);
}

void TestCliWatch::erasesOnlyAfterTheCompleteFile() {
    // The erase's reply comes late: what the folder holds when "#I" arrives is what the
    // watcher had made safe before asking.
    m_sim->delayReply("#I", 1500);
    QByteArray fileAtErase;
    connect(m_sim.get(), &InstrumentSimulator::lineReceived, this,
            [&](qint64, const QByteArray& line) {
                if (line.startsWith("#I"))
                    for (const QString& name : QDir(m_files->path()).entryList({"VEXA*"}))
                        fileAtErase = fileBytes(m_files->filePath(name));
            });
    startWatch({QStringLiteral("--erase-after-download"), QStringLiteral("--set-clock")});
    m_sim->start();
    QVERIFY(waitForRecords(1));
    const QJsonObject done = record(0);
    QVERIFY(done.value("memoryErased").toBool());
    QVERIFY(done.value("clockSet").toBool());
    const QByteArray written = fileBytes(done.value("resultFile").toString());
    QCOMPARE(fileAtErase, written);
    QCOMPARE(done.value("measurementLines").toInt(), 3 * 8);
    QCOMPARE(m_sim->instrument()->storedLines(), QList<QByteArray>());
    QCOMPARE(count(m_sim->receivedLines(), "#I"), 1);
    QCOMPARE(count(m_sim->receivedLines(), "#D"), 1);
}

void TestCliWatch::keepsTheMemoryAfterAHangUp() {
    const QList<QByteArray> memory = m_sim->instrument()->storedLines();
    // Unplugged halfway through the memory.
    m_sim->setHangUpAfter(12);
    startWatch({QStringLiteral("--erase-after-download")});
    m_sim->start();
    QVERIFY(waitForRecords(1));
    const QJsonObject broken = record(0);
    QCOMPARE(broken.value("outcome").toString(), QStringLiteral("communication-error"));
    QCOMPARE(broken.value("memoryErased").toBool(), false);
    QVERIFY(broken.value("message").toString().contains("not erased"));
    QCOMPARE(count(m_sim->receivedLines(), "#I"), 0);
    QCOMPARE(m_sim->instrument()->storedLines(), memory);
}

void TestCliWatch::keepsTheMemoryOfAnotherInstrument() {
    const QList<QByteArray> memory = m_sim->instrument()->storedLines();
    // By the time the erase is asked for, another instrument answers on the dock.
    connect(m_sim.get(), &InstrumentSimulator::lineReceived, this,
            [this](qint64, const QByteArray& line) {
                if (!line.startsWith("#T"))
                    return;
                auto instrument = m_sim->instrument();
                SimInstrument::Identity identity = instrument->identity();
                identity.serialNumber = QStringLiteral("VX9999");
                instrument->setIdentity(identity);
            });
    // The change above runs in this test's event loop; the first stored line comes late
    // enough that it has happened before the watcher can reach the erase, however fast
    // the rest of the transfer goes.
    m_sim->delayReply("#OK", 500);
    startWatch({QStringLiteral("--erase-after-download")});
    m_sim->start();
    QVERIFY(waitForRecords(1));
    QCOMPARE(record(0).value("outcome").toString(), QStringLiteral("done"));
    QCOMPARE(record(0).value("memoryErased").toBool(), false);
    QVERIFY(record(0).value("message").toString().contains("not erased"));
    QCOMPARE(count(m_sim->receivedLines(), "#I"), 0);
    QCOMPARE(m_sim->instrument()->storedLines(), memory);
}

void TestCliWatch::erasesOnlyWhatTheArchiveHolds() {
    // An archive out of reach: the download waits in the spool and the memory stays.
    QTemporaryDir noServer;
    startWatch({QStringLiteral("--erase-after-download"), QStringLiteral("--archive"),
                QStringLiteral("postgresql://vexa@/vexa?host=") + noServer.path()});
    m_sim->start();
    QVERIFY(waitForRecords(1));
    QCOMPARE(record(0).value("archive").toString(), QStringLiteral("archive pending"));
    QCOMPARE(record(0).value("memoryErased").toBool(), false);
    QCOMPARE(count(m_sim->receivedLines(), "#I"), 0);
    const QDir spool(m_files->filePath(QStringLiteral("archive-spool")));
    QCOMPARE(spool.entryList(QDir::Files).size(), 1);
    ::kill(pid_t(m_cli->processId()), SIGTERM);
    QVERIFY(m_cli->waitForFinished(5000));

    // Within reach: what waited is stored, then this download, and only then the erase.
    m_sim->hangUpNow();
    m_out.clear();
    m_err.clear();
    const QString archive = QStringLiteral("sqlite:") + m_files->filePath("archive.db");
    startWatch({QStringLiteral("--erase-after-download"), QStringLiteral("--archive"), archive});
    m_sim->start();
    QTRY_VERIFY_WITH_TIMEOUT(record(0).contains("port"), 30000);
    QCOMPARE(record(0).value("archive").toString(), QStringLiteral("archived"));
    QVERIFY(record(0).value("memoryErased").toBool());
    QCOMPARE(count(m_sim->receivedLines(), "#I"), 1);
    QCOMPARE(spool.entryList(QDir::Files).size(), 0);
    const CliRun list = runCli({QStringLiteral("archive"), QStringLiteral("list"),
                                QStringLiteral("--archive"), archive, QStringLiteral("--json")});
    QCOMPARE(list.exitCode, 0);
    const QJsonArray downloads =
        QJsonDocument::fromJson(list.out.toUtf8()).object().value("downloads").toArray();
    QCOMPARE(downloads.size(), 2);
}

void TestCliWatch::stopsAtOnceWhenIdle() {
    startWatch();
    ::kill(pid_t(m_cli->processId()), SIGTERM);
    QVERIFY(m_cli->waitForFinished(2000));
    QCOMPARE(m_cli->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_cli->exitCode(), 0);
    QVERIFY(ledgerRows(ledger()).size() <= 1);
}

// Context switches of every thread of a process: each wake-up costs at least one.
qint64 contextSwitches(qint64 pid) {
    qint64 total = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks.filePath(task + QStringLiteral("/status")));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:") ||
                line.startsWith("nonvoluntary_ctxt_switches:"))
                total += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
    }
    return total;
}

void TestCliWatch::sleepsWhileIdle() {
    // A docking PC waits for hours: at most one wake-up a second, none is better.
    startWatch();
    const qint64 before = contextSwitches(m_cli->processId());
    QTest::qWait(10000);
    const qint64 wakeUps = contextSwitches(m_cli->processId()) - before;
    QVERIFY2(wakeUps <= 10, qPrintable(QString::number(wakeUps)));
}

void TestCliWatch::finishesTheDownloadBeforeStopping() {
    m_sim->setReplyDelay(20);
    startWatch();
    m_sim->start();
    QTRY_VERIFY_WITH_TIMEOUT(count(m_sim->receivedLines(), "#OK") >= 6, 20000);
    ::kill(pid_t(m_cli->processId()), SIGTERM);
    QVERIFY(m_cli->waitForFinished(30000));
    QCOMPARE(m_cli->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_cli->exitCode(), 0);
    m_out += m_cli->readAllStandardOutput();
    const QJsonObject done = record(0);
    QCOMPARE(done.value("outcome").toString(), QStringLiteral("done"));
    QCOMPARE(done.value("measurementLines").toInt(), 3 * 8);
    QVERIFY(QFileInfo::exists(done.value("resultFile").toString()));
}

QTEST_GUILESS_MAIN(TestCliWatch)
#include "tst_cli_watch.moc"
