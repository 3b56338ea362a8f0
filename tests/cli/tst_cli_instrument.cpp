// vexa-cli against simulated instruments in vexa-sim processes: what reaches the line, the
// files written, the output and the exit status of each command.

#include "CliRunner.h"
#include "cli/ExitStatus.h"
#include "operations/MeasurementTransfer.h"
#include "params/ParamFixture.h"
#include "support/OperationsRig.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

int status(ExitStatus s) {
    return code(s);
}

// A memory with two files, a GPS line and a character outside ASCII, as stored lines.
QList<QByteArray> storedLines() {
    return {"#L 001 Site \xe9tang nord",
            "#R 001 0001 07/03/2015 14:05:10 000248 cps",
            "#G 45.1234N 005.6789E",
            "#R 001 0002 07/03/2015 14:05:20 000577 cps",
            "#L 002",
            "#R 002 0001 08/03/2015 09:00:00 000031 cps"};
}

QStringList resultFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("VEXA*.txt")}, QDir::Files, QDir::Name);
}

} // namespace

class TestCliInstrument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void transferWritesTheWindowsFile();
    void transferNeverReplacesWithoutForce();
    void hangUpKeepsWhatArrived();
    void everyInstrumentReadsEachOneIntoItsOwnFile();
    void clockFollowsTheInstrumentsLanguage();
    void eraseOnlyWithYes();
    void sendPutsTheFourRecordsOnTheLine();
    void specificNeedsThePassword();
    void specificWriteSaveAndLoad();
    void portsAndIdentifyTellWhatTheSearchMet();
    void sameFailureSameStatusInEitherLanguage();
};

void TestCliInstrument::transferWritesTheWindowsFile() {
    QTemporaryDir dir;
    const QString memory = dir.filePath(QStringLiteral("memory.txt"));
    QByteArray bytes;
    for (const QByteArray& line : storedLines())
        bytes += line + "\r\n";
    QVERIFY(writeFileBytes(memory, bytes));

    // The window's transfer: the same classes on the simulator in this process.
    const QString windowFile = dir.filePath(QStringLiteral("window.txt"));
    {
        OperationsRig rig;
        rig.sim.instrument()->setStoredLines(storedLines());
        QVERIFY(MeasurementTransfer(rig.exchange, rig.feedback).Run(windowFile).fileWritten());
    }

    SimProcess sim({QStringLiteral("--memory"), memory});
    QVERIFY(!sim.path().isEmpty());
    const QString trace = dir.filePath(QStringLiteral("trace.txt"));
    const CliRun run =
        runCli({QStringLiteral("transfer"), QStringLiteral("--port"), sim.path(),
                QStringLiteral("--folder"), dir.path(), QStringLiteral("--trace"), trace});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    QVERIFY2(run.out.contains(QStringLiteral("Reading complete")), qPrintable(run.out));

    // The name the window proposes, in the folder given.
    const QStringList files = resultFiles(dir.path());
    QCOMPARE(files.size(), 1);
    QVERIFY(QRegularExpression(QStringLiteral("^VEXA\\d{10}\\.txt$")).match(files[0]).hasMatch());
    QCOMPARE(fileBytes(dir.filePath(files[0])), fileBytes(windowFile));
    QVERIFY(fileBytes(windowFile).contains("\xe9tang"));

    // The trace: each line with its direction, line ends and 8-bit bytes made visible.
    const QString traced = QString::fromUtf8(fileBytes(trace));
    QVERIFY2(traced.contains(QStringLiteral(">  #T\\r\\n")), qPrintable(traced));
    QVERIFY(traced.contains(QStringLiteral("<  #L 001 Site \\xe9tang nord\\r\\n")));
    QVERIFY(traced.contains(QStringLiteral("-- ") + sim.path()));
}

void TestCliInstrument::transferNeverReplacesWithoutForce() {
    QTemporaryDir dir;
    const QString transcript = dir.filePath(QStringLiteral("transcript.txt"));
    SimProcess sim({QStringLiteral("--files"), QStringLiteral("1")}, transcript);
    const QString earlier = dir.filePath(QStringLiteral("result.txt"));
    QVERIFY(writeFileBytes(earlier, "earlier measurements\r\n"));

    const QStringList arguments = {QStringLiteral("transfer"), QStringLiteral("--port"), sim.path(),
                                   QStringLiteral("--output"), earlier};
    CliRun run = runCli(arguments);
    QCOMPARE(run.exitCode, status(ExitStatus::FileExists));
    QVERIFY(run.err.contains(QStringLiteral("--force")));
    QCOMPARE(fileBytes(earlier), QByteArray("earlier measurements\r\n"));
    // Refused before a word was said to the instrument.
    QVERIFY(sim.received().isEmpty());

    run = runCli(arguments + QStringList{QStringLiteral("--force"), QStringLiteral("--json")});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QCOMPARE(json.value(QStringLiteral("status")).toString(), QStringLiteral("done"));
    QCOMPARE(json.value(QStringLiteral("measurementLines")).toInt(), 10);
    QCOMPARE(json.value(QStringLiteral("serialNumber")).toString(),
             QStringLiteral("VX0123          "));
    QVERIFY(fileBytes(earlier).startsWith("#i "));
}

void TestCliInstrument::hangUpKeepsWhatArrived() {
    QTemporaryDir dir;
    // The presence check, the transfer's own, "#i", "#T" and two "#OK" are answered; the
    // line goes away at the seventh.
    SimProcess sim({QStringLiteral("--hangup-after"), QStringLiteral("7")});
    const QString result = dir.filePath(QStringLiteral("result.txt"));
    const CliRun run = runCli({QStringLiteral("transfer"), QStringLiteral("--port"), sim.path(),
                               QStringLiteral("--output"), result});
    QCOMPARE(run.exitCode, status(ExitStatus::CommError));
    QVERIFY(run.err.contains(QStringLiteral("Communication error")));
    const QList<QByteArray> lines = fileBytes(result).split('\n');
    QCOMPARE(lines.size(), 5); // four lines and the empty rest after the last CR LF
    QVERIFY(lines[0].startsWith("#i "));
    QVERIFY(lines[1].startsWith("#T "));
    QVERIFY(lines[3].startsWith("#R "));
}

void TestCliInstrument::everyInstrumentReadsEachOneIntoItsOwnFile() {
    QTemporaryDir dir;
    SimProcess first({QStringLiteral("--serial-number"), QStringLiteral("A1"),
                      QStringLiteral("--files"), QStringLiteral("1")});
    SimProcess second({QStringLiteral("--serial-number"), QStringLiteral("B/2 "),
                       QStringLiteral("--files"), QStringLiteral("2")});
    SimProcess silent({QStringLiteral("--silent")});
    CliRun run = runCli({QStringLiteral("transfer"), QStringLiteral("--every-instrument"),
                         QStringLiteral("--folder"), dir.path()},
                        {first.path(), second.path(), silent.path()});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    const QStringList files = resultFiles(dir.path());
    QCOMPARE(files.size(), 2);
    QVERIFY2(files[0].endsWith(QStringLiteral("-A1.txt")), qPrintable(files.join(u' ')));
    QVERIFY(files[1].endsWith(QStringLiteral("-B_2.txt")));
    QVERIFY(fileBytes(dir.filePath(files[1])).contains("#T "));
    // The summary names every port tried, the silent one too.
    QVERIFY2(run.out.contains(silent.path()), qPrintable(run.out));
    QVERIFY(run.out.contains(QStringLiteral("Instruments found: 2, all read.")));

    // An instrument that answers but goes away during its transfer is not read.
    SimProcess leaving({QStringLiteral("--hangup-after"), QStringLiteral("3")});
    QTemporaryDir other;
    run = runCli({QStringLiteral("transfer"), QStringLiteral("--every-instrument"),
                  QStringLiteral("--folder"), other.path(), QStringLiteral("--json")},
                 {first.path(), leaving.path()});
    QCOMPARE(run.exitCode, status(ExitStatus::NotEveryInstrument));
    const QJsonArray rows = QJsonDocument::fromJson(run.out.toUtf8())
                                .object()
                                .value(QStringLiteral("instruments"))
                                .toArray();
    QStringList outcomes;
    for (const QJsonValue& row : rows)
        if (row.toObject().value(QStringLiteral("found")).toBool())
            outcomes << row.toObject().value(QStringLiteral("status")).toString();
    outcomes.sort();
    QCOMPARE(outcomes,
             (QStringList{QStringLiteral("communication-error"), QStringLiteral("done")}));
}

void TestCliInstrument::clockFollowsTheInstrumentsLanguage() {
    QTemporaryDir dir;
    const struct {
        const char* language;
        const char* sent;
    } cases[] = {{"F", "#D 07/03/2015 14:05:09"}, {"C", "#D 03/07/2015 14:05:09 "}};
    for (const auto& c : cases) {
        const QString transcript = dir.filePath(QLatin1String(c.language));
        SimProcess sim({QStringLiteral("--language"), QLatin1String(c.language)}, transcript);
        const CliRun run = runCli({QStringLiteral("clock"), QStringLiteral("--port"), sim.path(),
                                   QStringLiteral("--at"), QStringLiteral("07/03/2015 14:05:09")});
        QCOMPARE(run.exitCode, status(ExitStatus::Done));
        QCOMPARE(sim.received(), (QStringList{QStringLiteral("#i"), QStringLiteral("#i"),
                                              QStringLiteral("#p"), QLatin1String(c.sent)}));
    }

    const QString transcript = dir.filePath(QStringLiteral("invalid"));
    SimProcess sim({}, transcript);
    const CliRun run = runCli({QStringLiteral("clock"), QStringLiteral("--port"), sim.path(),
                               QStringLiteral("--at"), QStringLiteral("31/02/2015 14:05:09")});
    QCOMPARE(run.exitCode, status(ExitStatus::BadUsage));
    QVERIFY(sim.received().isEmpty());
}

void TestCliInstrument::eraseOnlyWithYes() {
    QTemporaryDir dir;
    const QString transcript = dir.filePath(QStringLiteral("transcript.txt"));
    SimProcess sim({}, transcript);
    CliRun run = runCli({QStringLiteral("erase"), QStringLiteral("--port"), sim.path()}, {},
                        {{QStringLiteral("LC_ALL"), QString()},
                         {QStringLiteral("LANG"), QStringLiteral("fr_FR.UTF-8")}});
    QCOMPARE(run.exitCode, status(ExitStatus::BadUsage));
    QVERIFY2(run.err.contains(QStringLiteral("L'effacement est irréversible")),
             qPrintable(run.err));
    QVERIFY(sim.received().isEmpty());

    run = runCli(
        {QStringLiteral("erase"), QStringLiteral("--port"), sim.path(), QStringLiteral("--yes")});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    QCOMPARE(sim.received().last(), QStringLiteral("#I"));

    const QString result = dir.filePath(QStringLiteral("empty.txt"));
    run = runCli({QStringLiteral("transfer"), QStringLiteral("--port"), sim.path(),
                  QStringLiteral("--output"), result});
    QCOMPARE(run.exitCode, status(ExitStatus::EmptyMemory));
    QCOMPARE(fileBytes(result).count("\r\n"), 2);
}

void TestCliInstrument::sendPutsTheFourRecordsOnTheLine() {
    QTemporaryDir dir;
    const QString transcript = dir.filePath(QStringLiteral("transcript.txt"));
    SimProcess sim({}, transcript);
    const QString file =
        writeFileIn(dir, QStringLiteral("configVEXA.dat"), fixture::workedExampleBytes());
    QElapsedTimer clock;
    clock.start();
    CliRun run = runCli({QStringLiteral("send"), file, QStringLiteral("--port"), sim.path()});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    QVERIFY(clock.elapsed() >= 3 * 200); // the three pauses
    const QStringList lines = fixture::workedExampleLines();
    QCOMPARE(sim.received(), (QStringList{QStringLiteral("#i"), QStringLiteral("#i"), lines[0],
                                          lines[1], lines[2], lines[3]}));

    QStringList withoutEnd = lines;
    withoutEnd.removeAt(3);
    const QString invalid =
        writeFileIn(dir, QStringLiteral("invalid.dat"), fixture::cp1252Bytes(withoutEnd));
    run = runCli({QStringLiteral("send"), invalid, QStringLiteral("--port"), sim.path()});
    QCOMPARE(run.exitCode, status(ExitStatus::InvalidFile));
    QCOMPARE(sim.received().size(), 6);
}

void TestCliInstrument::specificNeedsThePassword() {
    QTemporaryDir dir;
    const QString transcript = dir.filePath(QStringLiteral("transcript.txt"));
    SimProcess sim({}, transcript);
    const QStringList read = {QStringLiteral("specific"), QStringLiteral("read"),
                              QStringLiteral("--port"), sim.path()};
    // Nobody to ask, and nothing in the environment.
    CliRun run = runCli(read);
    QCOMPARE(run.exitCode, status(ExitStatus::PasswordRefused));
    run =
        runCli(read, {}, {{QStringLiteral("VEXA_MAINTENANCE_PASSWORD"), QStringLiteral("morvel")}});
    QCOMPARE(run.exitCode, status(ExitStatus::PasswordRefused));
    QVERIFY(sim.received().isEmpty());
    // An option that would carry it is no option at all.
    run = runCli(read + QStringList{QStringLiteral("--password"), QStringLiteral("morvel52")});
    QCOMPARE(run.exitCode, status(ExitStatus::BadUsage));
}

void TestCliInstrument::specificWriteSaveAndLoad() {
    QTemporaryDir dir;
    const QString transcript = dir.filePath(QStringLiteral("transcript.txt"));
    SimProcess sim({}, transcript);
    const QList<QPair<QString, QString>> password = {
        {QStringLiteral("VEXA_MAINTENANCE_PASSWORD"), QStringLiteral("morvel52")}};
    const QStringList port = {QStringLiteral("--port"), sim.path()};

    CliRun run = runCli(QStringList{QStringLiteral("specific"), QStringLiteral("write"),
                                    QStringLiteral("--serial-number"), QStringLiteral("123"),
                                    QStringLiteral("--high-voltage"), QStringLiteral("800"),
                                    QStringLiteral("--maintenance-flag"), QStringLiteral("1")} +
                            port,
                        {}, password);
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    const QString written = QStringLiteral("#K SN: 123") + QString(13, u' ') +
                            QStringLiteral(" PM: 045/112") + QString(9, u' ') +
                            QStringLiteral(" 0800 0512 1");
    QCOMPARE(sim.received().last(), written);

    const QString par = dir.filePath(QStringLiteral("instrument.par"));
    run = runCli(QStringList{QStringLiteral("specific"), QStringLiteral("save"), par} + port, {},
                 password);
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    const QByteArray saved = fileBytes(par);
    QVERIFY2(saved.contains("SN=123"), saved.constData());

    // A value longer than the HT edit holds is cut as the edit cuts it; the maintenance
    // flag stays the instrument's.
    QVERIFY(writeFileBytes(par, QByteArray(saved).replace("PWM=0800", "PWM=12345")));
    run = runCli(QStringList{QStringLiteral("specific"), QStringLiteral("load"), par} + port, {},
                 password);
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    QCOMPARE(sim.received().last(),
             QString(written).replace(QStringLiteral("0800"), QStringLiteral("1234")));

    QVERIFY(writeFileBytes(par, "[VEXA Param\xe8tres sp\xe9\x63ifiques]\r\nSN=1\r\n"));
    run = runCli(QStringList{QStringLiteral("specific"), QStringLiteral("load"), par} + port, {},
                 password);
    QCOMPARE(run.exitCode, status(ExitStatus::InvalidFile));
}

void TestCliInstrument::portsAndIdentifyTellWhatTheSearchMet() {
    QTemporaryDir dir;
    SimProcess sim({QStringLiteral("--serial-number"), QStringLiteral("S-42")});
    // Sorted before the simulator's path: tried first, and found absent.
    const QString absent = QStringLiteral("/dev/aaa-vexa-absent");
    CliRun run = runCli({QStringLiteral("ports"), QStringLiteral("--json")}, {absent, sim.path()});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    const QJsonObject ports = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QCOMPARE(ports.value(QStringLiteral("found")).toString(), sim.path());
    const QJsonArray tried = ports.value(QStringLiteral("ports")).toArray();
    QCOMPARE(tried.size(), 2);
    QCOMPARE(tried[0].toObject().value(QStringLiteral("outcome")).toString(),
             QStringLiteral("absent"));
    QVERIFY(tried[0].toObject().value(QStringLiteral("reason")).toString().contains(absent));
    QCOMPARE(tried[1].toObject().value(QStringLiteral("outcome")).toString(),
             QStringLiteral("answered"));

    // Without --port, the search's first answer.
    run = runCli({QStringLiteral("identify")}, {absent, sim.path()});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    QVERIFY2(run.out.contains(QStringLiteral("Serial number:")), qPrintable(run.out));
    QVERIFY(run.out.contains(QStringLiteral("S-42")));

    run = runCli({QStringLiteral("identify"), QStringLiteral("--port"), absent});
    QCOMPARE(run.exitCode, status(ExitStatus::CommError));
}

// A script reads the status, whatever language the tool speaks: the same failure ends with
// the same status, and the same name for it, in French and in English.
void TestCliInstrument::sameFailureSameStatusInEitherLanguage() {
    QTemporaryDir dir;
    SimProcess sim({QStringLiteral("--files"), QStringLiteral("0")});
    const QList<QPair<QString, QString>> languages[] = {
        {{QStringLiteral("LC_ALL"), QString()},
         {QStringLiteral("LC_MESSAGES"), QString()},
         {QStringLiteral("LANG"), QStringLiteral("fr_FR.UTF-8")}},
        {{QStringLiteral("LC_ALL"), QStringLiteral("en_GB.UTF-8")}}};
    QList<QJsonObject> answers;
    QList<int> statuses;
    for (const auto& language : languages) {
        const QString file = dir.filePath(QString::number(answers.size()) + QStringLiteral(".txt"));
        const CliRun run = runCli({QStringLiteral("transfer"), QStringLiteral("--port"), sim.path(),
                                   QStringLiteral("--output"), file, QStringLiteral("--json")},
                                  {}, language);
        statuses << run.exitCode;
        answers << QJsonDocument::fromJson(run.out.toUtf8()).object();
    }
    QCOMPARE(statuses[0], status(ExitStatus::EmptyMemory));
    QCOMPARE(statuses[1], statuses[0]);
    QCOMPARE(answers[1].value(QStringLiteral("status")),
             answers[0].value(QStringLiteral("status")));
    QCOMPARE(answers[0].value(QStringLiteral("exitStatus")).toInt(), statuses[0]);
    // Each run spoke its own language.
    QVERIFY(answers[0].value(QStringLiteral("message")) !=
            answers[1].value(QStringLiteral("message")));
}

QTEST_GUILESS_MAIN(TestCliInstrument)
#include "tst_cli_instrument.moc"
