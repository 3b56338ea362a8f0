// What the search finds out about each port, on ports that really are absent, forbidden,
// held by another program, not serial lines, silent, or reached through a link.
#include "link/CommandExchange.h"
#include "link/EComPort.h"
#include "link/InstrumentSearch.h"
#include "link/PortDiagnosis.h"
#include "link/PortErrors.h"
#include "link/PortReport.h"
#include "link/TComPort.h"
#include "sim/InstrumentSimulator.h"
#include "support/HeldElsewhere.h"
#include "support/OrdinaryUser.h"
#include "support/PtyPeer.h"
#include "support/TestFiles.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <future>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

PortLister listOf(const QStringList& names) {
    return [names](QStringList& list) { list = names; };
}

bool setMode(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

class TestPortDiagnosis : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void searchTellsEveryPortApart();
    void openFailureSaysWhoHoldsThePort();
    void linkOpensItsDeviceUnderOneLock();
    void lockFileThatIsAPipeNeverWaits();
    void portOpenInAnotherProgramIsBusy();
};

// One search as an ordinary user over every kind of port a real PC gives: each is named
// with its reason, and only the one line that opened received anything, "#i" once.
void TestPortDiagnosis::searchTellsEveryPortApart() {
    QTemporaryDir dir;
    QVERIFY(setMode(dir.path(), 0755)); // the ordinary user looks inside
    const QString regular = dir.filePath(QStringLiteral("not-a-port.txt"));
    QVERIFY(writeFileBytes(regular, "left alone"));
    const QString link = dir.filePath(QStringLiteral("vexameter"));
    const QString absent = QStringLiteral("/dev/vexa-no-such-tty");

    InstrumentSimulator switchedOff; // the line opens, nothing answers
    switchedOff.setSilent(true);
    switchedOff.setLinkPath(link);
    switchedOff.start();
    QVERIFY(setMode(switchedOff.slavePath(), 0666));

    PtyPeer forbidden; // as a USB adapter is: root's, for the serial group only
    const group* serial = ::getgrnam(qPrintable(serialPortGroup()));
    QVERIFY(serial);
    QVERIFY(::chown(QFile::encodeName(forbidden.portPath()).constData(), 0, serial->gr_gid) == 0);
    QVERIFY(setMode(forbidden.portPath(), 0660));

    PtyPeer held;
    QVERIFY(setMode(held.portPath(), 0666));
    HeldElsewhere holder(held.portPath());
    QVERIFY(holder.held());

    const QStringList names{link,    absent,      forbidden.portPath(),   held.portPath(),
                            regular, "/dev/null", switchedOff.slavePath()};
    TComPort port;
    CommandExchange exchange(port);
    SearchRecord record;
    int result = 0;
    qint64 elapsed = 0;
    {
        OrdinaryUser user;
        QVERIFY(user.active());
        QElapsedTimer clock;
        clock.start();
        result = ChercheSonde(exchange, listOf(names), &record);
        elapsed = clock.elapsed();
    }

    QCOMPARE(result, -1);
    QVERIFY2(elapsed >= 1950 && elapsed < 3500, "the link and its target cost one time-out");
    QCOMPARE(record.ports.size(), names.size());
    const QList<PortAttempt>& ports = record.ports;
    QCOMPARE(ports[0].outcome, PortOutcome::Silent);
    QCOMPARE(ports[0].device, switchedOff.slavePath());
    QCOMPARE(ports[1].outcome, PortOutcome::Absent);
    QCOMPARE(ports[2].outcome, PortOutcome::PermissionDenied);
    QCOMPARE(ports[2].access.group, serialPortGroup());
    QCOMPARE(ports[3].outcome, PortOutcome::Held);
    QVERIFY(ports[3].lockHolder);
    QCOMPARE(ports[3].lockHolder->pid, holder.pid());
    QCOMPARE(ports[3].lockHolder->name, QStringLiteral("port-holder"));
    QCOMPARE(ports[4].outcome, PortOutcome::NotSerial);
    QCOMPARE(ports[4].access.kind, DeviceAccess::RegularFile);
    QCOMPARE(ports[5].outcome, PortOutcome::NotSerial);
    QCOMPARE(ports[5].access.kind, DeviceAccess::CharDevice);
    QCOMPARE(ports[6].outcome, PortOutcome::SameDevice);
    QCOMPARE(ports[6].sameAs, link);

    QVERIFY(switchedOff.waitForLines(1, 1000));
    QCOMPARE(switchedOff.transcript().size(), 1);
    QCOMPARE(switchedOff.transcript().first().raw, QByteArray("#i\r\n"));
    QVERIFY(forbidden.received().isEmpty());
    QVERIFY(held.received().isEmpty());
    QCOMPARE(fileBytes(regular), QByteArray("left alone"));

    // The user reads every port, and the fixes for the two a user can mend.
    const QStringList lines = searchReportLines(record);
    const QString text = lines.join(u'\n');
    for (const QString& name : {absent, forbidden.portPath(), held.portPath(), regular,
                                QStringLiteral("/dev/null"), switchedOff.slavePath(), link})
        QVERIFY2(text.contains(name), qPrintable(name));
    QVERIFY2(
        lines.contains(QStringLiteral("        sudo usermod -aG %1 nobody").arg(serialPortGroup())),
        qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("(port-holder, PID %1)").arg(holder.pid())));
}

// The fixed message of the serial error stays; the line under it says who has the port.
void TestPortDiagnosis::openFailureSaysWhoHoldsThePort() {
    PtyPeer peer;
    HeldElsewhere holder(peer.portPath());
    QVERIFY(holder.held());

    TComPort port;
    port.setPort(peer.portPath());
    try {
        port.Open();
        QFAIL("a held port must not open");
    } catch (const EComPort& e) {
        QCOMPARE(e.message(), QStringLiteral("Unable to open com port (Error: 13)"));
        QVERIFY2(e.detail().contains(peer.portPath()) &&
                     e.detail().contains(QStringLiteral("port-holder, PID %1").arg(holder.pid())),
                 qPrintable(e.detail()));
        QVERIFY(e.attempt());
        QCOMPARE(e.detail(), openFailureDetail(*e.attempt()));
    }
    QVERIFY(!port.Connected());
}

// Two names of one adapter are one port: a program opening the device itself meets our lock.
void TestPortDiagnosis::linkOpensItsDeviceUnderOneLock() {
    QTemporaryDir dir;
    PtyPeer peer;
    const QString link = dir.filePath(QStringLiteral("by-id-link"));
    QVERIFY(QFile::link(peer.portPath(), link));

    TComPort port;
    port.setPort(link);
    port.Open();
    QCOMPARE(port.Port(), link);
    QSerialPort other(peer.portPath());
    QVERIFY(!other.open(QIODevice::ReadWrite));
    QCOMPARE(port.WriteStr(QStringLiteral("#i\r\n")), 4);
    QVERIFY(peer.waitForReceived(4, 2000));
    QCOMPARE(peer.received(), QByteArray("#i\r\n"));
    port.Close();
    QVERIFY(other.open(QIODevice::ReadWrite));
}

// Anyone may put a pipe where a lock file goes; opening it to read would wait for a writer
// for good, and the search with it.
void TestPortDiagnosis::lockFileThatIsAPipeNeverWaits() {
    PtyPeer peer;
    QTemporaryDir locks;
    const QString fifo =
        locks.filePath(QStringLiteral("LCK..") + peer.portPath().mid(5).replace(u'/', u'_'));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0666) == 0);
    const SystemFacts facts(QStringLiteral("/"), {locks.path()});

    auto diagnosis = std::async(std::launch::async, [&] {
        const PortAttempt held = diagnoseOpenFailure(peer.portPath(), EACCES, facts);
        QString refusal;
        try {
            refuseBusyPort(peer.portPath(), facts);
        } catch (const EComPort& e) {
            refusal = e.detail();
        }
        return std::make_pair(held, refusal);
    });
    if (diagnosis.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Writers let the stuck reader go, so that the failure is reported.
        while (diagnosis.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready)
            ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
        QFAIL("reading the lock files waits on a pipe");
    }
    const auto [held, refusal] = diagnosis.get();
    QCOMPARE(held.outcome, PortOutcome::Held);
    QVERIFY(!held.lockHolder);
    QCOMPARE(held.blockingLockFile, fifo);
    QVERIFY2(refusal.contains(fifo), qPrintable(refusal));
}

// A terminal program that takes no lock has the port open: the search passes it by naming
// the program, an explicit open refuses it, and the instrument receives nothing until the
// program has gone.
void TestPortDiagnosis::portOpenInAnotherProgramIsBusy() {
    InstrumentSimulator sim; // the far end, in this process: neither counts as another program
    sim.start();
    TComPort port;
    CommandExchange exchange(port);
    {
        HeldElsewhere holder(sim.slavePath(), true);
        QVERIFY(holder.held());
        const QString named = QStringLiteral("port-holder, PID %1").arg(holder.pid());

        SearchRecord record;
        QCOMPARE(ChercheSonde(exchange, listOf({sim.slavePath()}), &record), -1);
        QCOMPARE(record.ports.size(), 1);
        QCOMPARE(record.ports[0].outcome, PortOutcome::Held);
        QVERIFY2(portReason(record.ports[0]).contains(named),
                 qPrintable(portReason(record.ports[0])));

        port.setPort(sim.slavePath());
        try {
            port.Open();
            QFAIL("a port open in another program must not open");
        } catch (const EComPort& e) {
            QCOMPARE(e.Code(), int(CE_OpenFailed));
            QVERIFY(e.attempt() && e.attempt()->outcome == PortOutcome::Held);
            QVERIFY2(e.detail().contains(named), qPrintable(e.detail()));
        }
        QVERIFY(!port.Connected());
    }
    QCOMPARE(ChercheSonde(exchange, listOf({sim.slavePath()})), 0);
    QVERIFY(sim.waitForLines(1, 2000));
    QCOMPARE(sim.transcript().size(), 1);
}

QTEST_GUILESS_MAIN(TestPortDiagnosis)
#include "tst_port_diagnosis.moc"
