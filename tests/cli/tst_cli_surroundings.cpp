// vexa-cli in hostile or broken surroundings: an instrument whose replies carry terminal
// escapes, signals at the password prompt and during a transfer, readers that go away,
// targets that cannot be written, and --json on every way a command can fail.

#include "CliRunner.h"
#include "cli/CliMessages.h"
#include "cli/ExitStatus.h"
#include "cli/PortRecord.h"
#include "common/Messages.h"
#include "link/PortDiagnosis.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

const QList<QPair<QString, QString>> kEnglish = {{QStringLiteral("LC_ALL"), QStringLiteral("C")}};

int status(ExitStatus s) {
    return code(s);
}

QStringList resultFiles(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The lines of a result file that hold stored lines of each kind.
int linesStartingWith(const QByteArray& bytes, const char* marker) {
    int n = 0;
    for (const QByteArray& line : bytes.split('\n'))
        n += line.startsWith(marker) ? 1 : 0;
    return n;
}

} // namespace

class TestCliSurroundings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void instrumentTextCannotDriveTheTerminal();
    void passwordPromptGivesTheTerminalBack_data();
    void passwordPromptGivesTheTerminalBack();
    void closedPipesLoseNoResult_data();
    void closedPipesLoseNoResult();
    void interruptedTransferLeavesNoFile();
    void unwritableTargetsAreRefusedBeforeTheLine_data();
    void unwritableTargetsAreRefusedBeforeTheLine();
    void namesDifferingInCaseNeverReplaceEachOther();
    void jsonAnswersEveryFailure_data();
    void jsonAnswersEveryFailure();
    void portFailuresCarryTheReasonAndTheFix();
};

void TestCliSurroundings::instrumentTextCannotDriveTheTerminal() {
    // Retitles the terminal, then clears the screen.
    const QString hostile = QStringLiteral("\x1b]0;x\x07\x1b[2J");
    SimProcess sim({QStringLiteral("--serial-number"), hostile});
    QTemporaryDir dir;
    const CliRun identify =
        runCli({QStringLiteral("identify"), QStringLiteral("--port"), sim.path()});
    const CliRun every = runCli({QStringLiteral("transfer"), QStringLiteral("--every-instrument"),
                                 QStringLiteral("--folder"), dir.path()},
                                {sim.path()});
    for (const CliRun& run : {identify, every}) {
        QCOMPARE(run.exitCode, status(ExitStatus::Done));
        QVERIFY2(!run.out.contains(u'\x1b') && !run.out.contains(u'\x07'), qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("\\x1b]0;x\\x07\\x1b[2J")), qPrintable(run.out));
        QVERIFY(!run.err.contains(u'\x1b'));
    }
    // JSON escapes by itself: it keeps the instrument's text as it came.
    const CliRun json = runCli({QStringLiteral("identify"), QStringLiteral("--port"), sim.path(),
                                QStringLiteral("--json")});
    const QString serial = QJsonDocument::fromJson(json.out.toUtf8())
                               .object()
                               .value(QStringLiteral("serialNumber"))
                               .toString();
    QVERIFY2(serial.startsWith(hostile), qPrintable(json.out));
}

void TestCliSurroundings::passwordPromptGivesTheTerminalBack_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TestCliSurroundings::passwordPromptGivesTheTerminalBack() {
    QFETCH(int, signal);
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    QVERIFY(master >= 0);
    QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const QString slavePath = QString::fromLocal8Bit(::ptsname(master));
    const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    QVERIFY(slave >= 0);
    auto echoOn = [slave] {
        termios settings{};
        return ::tcgetattr(slave, &settings) == 0 && (settings.c_lflag & ECHO) != 0;
    };
    QVERIFY(echoOn());

    QProcess cli;
    prepareCli(cli,
               {QStringLiteral("specific"), QStringLiteral("read"), QStringLiteral("--port"),
                QStringLiteral("/dev/aaa-vexa-absent")},
               {}, kEnglish);
    cli.setStandardInputFile(slavePath);
    cli.start();
    QVERIFY(cli.waitForStarted());
    QByteArray prompt;
    QTRY_VERIFY2_WITH_TIMEOUT(
        (prompt += cli.readAllStandardError()).contains("Maintenance password"), prompt.constData(),
        10000);
    QVERIFY(!echoOn());
    ::kill(pid_t(cli.processId()), signal);
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitStatus(), QProcess::CrashExit);
    QCOMPARE(cli.exitCode(), signal);
    QVERIFY(echoOn());
    ::close(slave);
    ::close(master);
}

void TestCliSurroundings::closedPipesLoseNoResult_data() {
    QTest::addColumn<int>("closedStream");
    QTest::addColumn<int>("exitStatus");
    // Progress and messages are only for a reader who is there.
    QTest::newRow("standard error") << STDERR_FILENO << status(ExitStatus::Done);
    // The result never reached its reader: not a success, but the file is there.
    QTest::newRow("standard output") << STDOUT_FILENO << status(ExitStatus::Failed);
}

void TestCliSurroundings::closedPipesLoseNoResult() {
    QFETCH(int, closedStream);
    QFETCH(int, exitStatus);
    SimProcess sim({QStringLiteral("--files"), QStringLiteral("2")});
    QTemporaryDir dir;
    const QString result = dir.filePath(QStringLiteral("result.txt"));
    int ends[2];
    QVERIFY(::pipe2(ends, O_CLOEXEC) == 0);
    ::close(ends[0]); // the reader is gone before the first line
    QProcess cli;
    prepareCli(cli, {QStringLiteral("transfer"), QStringLiteral("--port"), sim.path(),
                     QStringLiteral("--output"), result});
    cli.setChildProcessModifier([&] { ::dup2(ends[1], closedStream); });
    cli.start();
    QVERIFY(cli.waitForFinished(30000));
    ::close(ends[1]);
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), exitStatus);
    const QByteArray bytes = fileBytes(result);
    QCOMPARE(linesStartingWith(bytes, "#L"), 2);
    QCOMPARE(linesStartingWith(bytes, "#R"), 20);
}

void TestCliSurroundings::interruptedTransferLeavesNoFile() {
    QTemporaryDir dir;
    const QString transcript = dir.filePath(QStringLiteral("transcript.txt"));
    SimProcess sim({QStringLiteral("--reply-delay"), QStringLiteral("20"),
                    QStringLiteral("--files"), QStringLiteral("5")},
                   transcript);
    QTemporaryDir target;
    QProcess cli;
    prepareCli(cli, {QStringLiteral("transfer"), QStringLiteral("--port"), sim.path(),
                     QStringLiteral("--folder"), target.path()});
    cli.start();
    // Halfway through the memory.
    QTRY_VERIFY_WITH_TIMEOUT(sim.received().count(QStringLiteral("#OK")) >= 10, 20000);
    ::kill(pid_t(cli.processId()), SIGINT);
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitStatus(), QProcess::CrashExit);
    QCOMPARE(resultFiles(target.path()), QStringList());
    // The line is free again: the next command gets its answer.
    const CliRun run = runCli({QStringLiteral("identify"), QStringLiteral("--port"), sim.path()});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
}

void TestCliSurroundings::unwritableTargetsAreRefusedBeforeTheLine_data() {
    QTest::addColumn<QStringList>("options"); // "@" stands for the temporary folder
    QTest::newRow("output is a folder")
        << QStringList{QStringLiteral("--output"), QStringLiteral("@")};
    QTest::newRow("output in a folder nobody writes")
        << QStringList{QStringLiteral("--output"), QStringLiteral("/proc/x.txt")};
    QTest::newRow("output is a pipe")
        << QStringList{QStringLiteral("--output"), QStringLiteral("@/fifo")};
    QTest::newRow("folder nobody writes")
        << QStringList{QStringLiteral("--folder"), QStringLiteral("/proc")};
    QTest::newRow("every instrument into a folder nobody writes") << QStringList{
        QStringLiteral("--every-instrument"), QStringLiteral("--folder"), QStringLiteral("/proc")};
    QTest::newRow("trace is a folder")
        << QStringList{QStringLiteral("--trace"), QStringLiteral("@")};
    // Opening a pipe for writing would wait for a reader for ever.
    QTest::newRow("trace is a pipe")
        << QStringList{QStringLiteral("--trace"), QStringLiteral("@/fifo")};
}

void TestCliSurroundings::unwritableTargetsAreRefusedBeforeTheLine() {
    QFETCH(QStringList, options);
    QTemporaryDir dir;
    QVERIFY(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600) ==
            0);
    const QString transcript = dir.filePath(QStringLiteral("transcript.txt"));
    SimProcess sim({}, transcript);
    for (QString& option : options)
        option.replace(u'@', dir.path());
    QStringList arguments{QStringLiteral("transfer")};
    arguments << options;
    if (!options.contains(QStringLiteral("--every-instrument")))
        arguments << QStringLiteral("--port") << sim.path();
    const CliRun run = runCli(arguments, {sim.path()}, kEnglish, 20000);
    QCOMPARE(run.exitCode, status(ExitStatus::FileError));
    QVERIFY(!run.err.trimmed().isEmpty());
    QCOMPARE(sim.received(), QStringList());
}

void TestCliSurroundings::namesDifferingInCaseNeverReplaceEachOther() {
    SimProcess lower({QStringLiteral("--serial-number"), QStringLiteral("ab1")});
    SimProcess upper({QStringLiteral("--serial-number"), QStringLiteral("AB1")});
    QTemporaryDir dir;
    const CliRun run = runCli({QStringLiteral("transfer"), QStringLiteral("--every-instrument"),
                               QStringLiteral("--force"), QStringLiteral("--folder"), dir.path()},
                              {lower.path(), upper.path()});
    QCOMPARE(run.exitCode, status(ExitStatus::Done));
    // On a file system that ignores case, two names equal but for case are one file.
    QSet<QString> folded;
    for (const QString& name : resultFiles(dir.path()))
        folded.insert(name.toCaseFolded());
    QCOMPARE(folded.size(), 2);
}

void TestCliSurroundings::jsonAnswersEveryFailure_data() {
    QTest::addColumn<QStringList>("arguments"); // "@" stands for the temporary folder
    QTest::addColumn<int>("exitStatus");
    const QString absent = QStringLiteral("/dev/aaa-vexa-absent");
    const QString port = QStringLiteral("--port");
    QTest::newRow("identify, no such port")
        << QStringList{QStringLiteral("identify"), port, absent} << status(ExitStatus::CommError);
    QTest::newRow("transfer, no such port")
        << QStringList{QStringLiteral("transfer"), port, absent, QStringLiteral("--folder"),
                       QStringLiteral("@")}
        << status(ExitStatus::CommError);
    QTest::newRow("transfer into a folder")
        << QStringList{QStringLiteral("transfer"), port, absent, QStringLiteral("--output"),
                       QStringLiteral("@")}
        << status(ExitStatus::FileError);
    QTest::newRow("transfer, bad usage")
        << QStringList{QStringLiteral("transfer"), QStringLiteral("--bogus")}
        << status(ExitStatus::BadUsage);
    QTest::newRow("erase refused without --yes")
        << QStringList{QStringLiteral("erase"), port, absent} << status(ExitStatus::BadUsage);
    QTest::newRow("erase, no such port")
        << QStringList{QStringLiteral("erase"), port, absent, QStringLiteral("--yes")}
        << status(ExitStatus::CommError);
    QTest::newRow("check, missing file")
        << QStringList{QStringLiteral("check"), QStringLiteral("@/missing.dat")}
        << status(ExitStatus::FileError);
    // A pipe planted under the name would keep the reading waiting for ever.
    QTest::newRow("check, a pipe") << QStringList{QStringLiteral("check"), QStringLiteral("@/fifo")}
                                   << status(ExitStatus::FileError);
    QTest::newRow("check, no file named")
        << QStringList{QStringLiteral("check")} << status(ExitStatus::BadUsage);
    QTest::newRow("send, missing file")
        << QStringList{QStringLiteral("send"), QStringLiteral("@/missing.dat"), port, absent}
        << status(ExitStatus::FileError);
    QTest::newRow("unknown command")
        << QStringList{QStringLiteral("fly")} << status(ExitStatus::BadUsage);
}

void TestCliSurroundings::jsonAnswersEveryFailure() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitStatus);
    QTemporaryDir dir;
    QVERIFY(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600) ==
            0);
    for (QString& argument : arguments)
        argument.replace(u'@', dir.path());
    const CliRun run = runCli(arguments << QStringLiteral("--json"), {}, kEnglish, 20000);
    QCOMPARE(run.exitCode, exitStatus);
    QJsonParseError error{};
    const QJsonDocument json = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError && json.isObject(), qPrintable(run.out));
    const QJsonObject object = json.object();
    QCOMPARE(object.value(QStringLiteral("exitStatus")).toInt(-1), exitStatus);
    QCOMPARE(object.value(QStringLiteral("status")).toString(),
             statusName(static_cast<ExitStatus>(exitStatus)));
    QVERIFY(!object.value(QStringLiteral("message")).toString().isEmpty());
}

void TestCliSurroundings::portFailuresCarryTheReasonAndTheFix() {
    SimProcess silent({QStringLiteral("--silent")});
    const CliRun run =
        runCli({QStringLiteral("identify"), QStringLiteral("--port"), silent.path()}, {}, kEnglish);
    QCOMPARE(run.exitCode, status(ExitStatus::NoAnswer));
    QVERIFY2(run.err.contains(QStringLiteral("nothing answered")), qPrintable(run.err));
    QVERIFY(run.err.contains(QStringLiteral("switched on")));

    // The window's fix for a port another program holds names its button; the tool's names
    // the command.
    PortAttempt held;
    held.listedName = held.device = QStringLiteral("/dev/ttyUSB0");
    held.outcome = PortOutcome::Held;
    const QString fixes = toolFixes(held).join(u'\n');
    QVERIFY2(!fixes.contains(QStringLiteral("Connexion")), qPrintable(fixes));
    QVERIFY(fixes.contains(cliMsg(CliMsg::FixHeld)));
}

QTEST_GUILESS_MAIN(TestCliSurroundings)
#include "tst_cli_surroundings.moc"
