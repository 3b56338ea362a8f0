// vexa-cli given a port that another program has open.

#include "CliRunner.h"
#include "cli/ExitStatus.h"
#include "support/HeldElsewhere.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCliBusy : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void identifyRefusesAPortOpenElsewhere();
};

// A terminal program that takes no lock has the instrument's port: the tool must neither
// race it for the replies nor stay silent about it.
void TestCliBusy::identifyRefusesAPortOpenElsewhere() {
    QTemporaryDir dir;
    SimProcess sim({}, dir.filePath(QStringLiteral("transcript.txt")));
    QVERIFY(!sim.path().isEmpty());
    const QStringList identify{QStringLiteral("identify"), QStringLiteral("--port"), sim.path()};
    {
        HeldElsewhere holder(sim.path(), true);
        QVERIFY(holder.held());
        const CliRun run = runCli(identify);
        QCOMPARE(run.exitCode, code(ExitStatus::PortBusy));
        QVERIFY2(run.err.contains(QStringLiteral("port-holder, PID %1").arg(holder.pid())),
                 qPrintable(run.err));
    }
    // The first line the instrument receives is the next run's.
    const CliRun run = runCli(identify);
    QCOMPARE(run.exitCode, code(ExitStatus::Done));
    QCOMPARE(sim.received(), QStringList{QStringLiteral("#i")});
}

QTEST_GUILESS_MAIN(TestCliBusy)
#include "tst_cli_busy.moc"
