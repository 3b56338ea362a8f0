// What the system folders tell about ports and the programs around them, read below a root
// folder of the test's own, and the lines a user reads from it.
#include "common/Messages.h"
#include "link/PortDiagnosis.h"
#include "link/PortReport.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

const QString kCommand = QStringLiteral("        ");

// A machine where brltty is installed, ModemManager has a CH340 adapter's port open, and a
// program with a long name holds another port through a classic lock file.
class FakeSystem {
public:
    FakeSystem() {
        const QString usb = QStringLiteral("sys/devices/pci0000:00/0000:00:14.0/usb1/1-2");
        const QString tty = usb + QStringLiteral("/1-2:1.0/ttyUSB0");
        put(usb + QStringLiteral("/idVendor"), "1a86\n");
        put(usb + QStringLiteral("/idProduct"), "7523\n");
        put(usb + QStringLiteral("/product"), "USB Serial\n");
        put(usb + QStringLiteral("/1-2:1.0/bInterfaceClass"), "ff\n");
        mkdir(QStringLiteral("sys/bus/usb-serial/drivers/ch341-uart"));
        mkdir(tty);
        link(QStringLiteral("sys/bus/usb-serial/drivers/ch341-uart"),
             tty + QStringLiteral("/driver"));
        mkdir(QStringLiteral("sys/class/tty/ttyUSB0"));
        link(tty, QStringLiteral("sys/class/tty/ttyUSB0/device"));
        mkdir(QStringLiteral("sys/bus/usb/devices"));
        link(usb, QStringLiteral("sys/bus/usb/devices/1-2"));
        link(usb + QStringLiteral("/1-2:1.0"), QStringLiteral("sys/bus/usb/devices/1-2:1.0"));

        put(QStringLiteral("proc/612/comm"), "ModemManager\n");
        mkdir(QStringLiteral("proc/612/fd"));
        QFile::link(QStringLiteral("/dev/ttyUSB0"), path(QStringLiteral("proc/612/fd/9")));
        put(QStringLiteral("proc/700/comm"), "brltty\n");
        put(QStringLiteral("proc/4242/comm"), "serial-console-\n");
        put(QStringLiteral("proc/4242/cmdline"),
            QByteArray("/usr/bin/serial-console-logger\0--port\0", 38));
        put(QStringLiteral("run/lock/LCK..ttyUSB1"), "      4242\n");
        put(QStringLiteral("run/lock/LCK..ttyUSB2"), "9999\nghost\n"); // its program has gone
        put(QStringLiteral("usr/bin/brltty"), "");
        // Binary format, written by anyone: 4242's user is not its owner.
        const qint32 pid = 4242;
        put(QStringLiteral("var/lock/LCK..ttyUSB3"),
            QByteArray(reinterpret_cast<const char*>(&pid), sizeof pid));
        // A link where a lock file goes, to a lock naming a live program.
        mkdir(QStringLiteral("tmp"));
        QFile::link(path(QStringLiteral("run/lock/LCK..ttyUSB1")),
                    path(QStringLiteral("tmp/LCK..ttyUSB4")));
    }
    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    QString root() const { return m_dir.path(); }

private:
    void mkdir(const QString& relative) { QDir().mkpath(path(relative)); }
    void put(const QString& relative, const QByteArray& bytes) {
        mkdir(QFileInfo(relative).path());
        writeFileBytes(path(relative), bytes);
    }
    void link(const QString& target, const QString& relative) {
        QFile::link(path(target), path(relative));
    }
    QTemporaryDir m_dir;
};

PortAttempt deniedPort(bool groupMayUse, bool hasGroup, bool listedInGroup) {
    PortAttempt attempt;
    attempt.listedName = attempt.device = QStringLiteral("/dev/ttyUSB0");
    attempt.outcome = PortOutcome::PermissionDenied;
    attempt.access.kind = DeviceAccess::CharDevice;
    attempt.access.owner = QStringLiteral("root");
    attempt.access.group = QStringLiteral("uucp");
    attempt.access.groupMayReadWrite = groupMayUse;
    attempt.access.processHasGroup = hasGroup;
    attempt.access.userListedInGroup = listedInGroup || hasGroup;
    attempt.access.userName = QStringLiteral("marie");
    attempt.access.serialGroup = QStringLiteral("dialout");
    return attempt;
}

QStringList reportOf(const QList<PortAttempt>& ports) {
    SearchRecord record;
    record.ports = ports;
    return searchReportLines(record);
}

} // namespace

class TestPortReport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void factsFromTheSystemFolders();
    void commonCausesAndTheirCommands();
    void permissionFixDependsOnWhatStandsInTheWay();
    void nothingListed();
    void lockFilesAreHintsNeverLinks();
    void slowAdapterGetsTheLatencyTimerFix();
};

void TestPortReport::factsFromTheSystemFolders() {
    FakeSystem system;
    const SystemFacts facts(system.root());

    const UsbAdapter adapter = facts.adapterOf(QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(adapter.vendorId, quint16(0x1a86));
    QCOMPARE(adapter.productId, quint16(0x7523));
    QCOMPARE(adapter.product, QStringLiteral("USB Serial"));
    QCOMPARE(adapter.driver, QStringLiteral("ch341-uart"));
    QVERIFY(!facts.adapterOf(QStringLiteral("/dev/ttyS0")).hasUsbIds());

    const QList<ProcessRef> users = facts.programsUsing(QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(users.size(), 1);
    QCOMPARE(users.first().pid, qint64(612));
    QCOMPARE(users.first().name, QStringLiteral("ModemManager"));

    // The kernel cuts names at 15 characters; the command line gives the whole of it.
    const auto holder = facts.lockHolder(QStringLiteral("/dev/ttyUSB1"));
    QVERIFY(holder);
    QCOMPARE(holder->pid, qint64(4242));
    QCOMPARE(holder->name, QStringLiteral("serial-console-logger"));
    QVERIFY(!facts.lockHolder(QStringLiteral("/dev/ttyUSB2")));

    SearchRecord record;
    addSystemFacts(record, facts);
    QVERIFY(record.brlttyPresent);
    QVERIFY(record.modemManagerRunning);
    QCOMPARE(record.brlttyClaimable.size(), 1); // the device, not its interface
    QCOMPARE(record.brlttyClaimable.first().chip, QStringLiteral("CH340"));
}

void TestPortReport::commonCausesAndTheirCommands() {
    FakeSystem system;
    const SystemFacts facts(system.root());
    SearchRecord record;
    record.ports << describeOpenedPort(QStringLiteral("/dev/ttyUSB0"), PortOutcome::Silent, facts);
    addSystemFacts(record, facts);
    const QStringList lines = searchReportLines(record);
    const QString text = lines.join(u'\n');

    QVERIFY2(text.contains(QStringLiteral("/dev/ttyUSB0 (USB Serial, USB 1a86:7523)")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("ModemManager, PID 612")));
    QVERIFY(text.contains(msg(MsgId::BrlttyPresent).arg(QStringLiteral("CH340 (USB 1a86:7523)"))));
    QVERIFY(lines.contains(
        kCommand + QStringLiteral("sudo systemctl mask brltty-udev.service brltty.service")));
    // ModemManager is told to leave this very adapter alone.
    QVERIFY(lines.contains(
        kCommand + QStringLiteral("echo 'ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", "
                                  "ENV{ID_MM_DEVICE_IGNORE}=\"1\"' | sudo tee -a "
                                  "/etc/udev/rules.d/77-vexameter.rules")));
    QVERIFY(lines.contains(kCommand + QStringLiteral("sudo udevadm control --reload-rules")));

    // A port that answered needs no word about ModemManager.
    record.ports.first().outcome = PortOutcome::Answered;
    QVERIFY(!searchReportLines(record).join(u'\n').contains(msg(MsgId::ModemManagerRunning)));
}

void TestPortReport::permissionFixDependsOnWhatStandsInTheWay() {
    const QStringList notInGroup = reportOf({deniedPort(true, false, false)});
    QVERIFY(notInGroup.contains(kCommand + QStringLiteral("sudo usermod -aG uucp marie")));

    // Added to the group, but this session began before: only a new one has it.
    const QStringList newSession = reportOf({deniedPort(true, false, true)});
    QVERIFY(newSession.join(u'\n').contains(msg(MsgId::FixNewSession)));
    QVERIFY(!newSession.join(u'\n').contains(QStringLiteral("usermod")));

    // A node only its owner may use: joining its group would not help.
    const QStringList ownerOnly = reportOf({deniedPort(false, false, false)});
    QVERIFY(ownerOnly.join(u'\n').contains(QStringLiteral("root")));
    QVERIFY(ownerOnly.join(u'\n').contains(QStringLiteral("dialout")));
    QVERIFY(!ownerOnly.join(u'\n').contains(QStringLiteral("usermod")));

    const QStringList inGroup = reportOf({deniedPort(true, true, true)});
    QVERIFY(inGroup.join(u'\n').contains(msg(MsgId::FixPolicy)));

    // The line under a serial error says the same, in one sentence.
    QCOMPARE(openFailureDetail(deniedPort(true, false, false)),
             msg(MsgId::PortNoPermissionGroup)
                 .arg(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("uucp")));
}

void TestPortReport::nothingListed() {
    const QStringList lines = reportOf({});
    QCOMPARE(lines, QStringList({msg(MsgId::NoPortListed), msg(MsgId::ExtraPortsHint)}));
    QVERIFY(lines.last().contains(QStringLiteral("VEXA_EXTRA_PORTS")));
}

// The lock folders are every user's: a link there is never followed, and a lock file
// written by a stranger to the program it names only makes that program a suspect.
void TestPortReport::lockFilesAreHintsNeverLinks() {
    FakeSystem system;
    const SystemFacts facts(system.root());
    QVERIFY(facts.lockHolder(QStringLiteral("/dev/ttyUSB1"))->certain); // root's file

    QVERIFY(!facts.lockHolder(QStringLiteral("/dev/ttyUSB4")));
    QCOMPARE(facts.blockingLockFile(QStringLiteral("/dev/ttyUSB4")),
             system.path(QStringLiteral("tmp/LCK..ttyUSB4")));
    QVERIFY(facts.blockingLockFile(QStringLiteral("/dev/ttyUSB1")).isEmpty());

    const QByteArray planted =
        QFile::encodeName(system.path(QStringLiteral("var/lock/LCK..ttyUSB3")));
    if (::chown(planted.constData(), 65534, 65534) != 0)
        QSKIP("only root can give a file to another user");
    PortAttempt attempt;
    attempt.listedName = attempt.device = QStringLiteral("/dev/ttyUSB3");
    attempt.outcome = PortOutcome::Held;
    attempt.lockHolder = facts.lockHolder(attempt.device);
    QVERIFY(attempt.lockHolder);
    QCOMPARE(attempt.lockHolder->pid, qint64(4242));
    QVERIFY(!attempt.lockHolder->certain);
    QVERIFY2(portReason(attempt).contains(QStringLiteral("probablement")),
             qPrintable(portReason(attempt)));
}

// A hint, not a failure: the port answered, yet every reply waits for the adapter's timer.
void TestPortReport::slowAdapterGetsTheLatencyTimerFix() {
    PortAttempt ftdi;
    ftdi.listedName = ftdi.device = QStringLiteral("/dev/ttyUSB2");
    ftdi.outcome = PortOutcome::Answered;
    ftdi.adapter.vendorId = 0x0403;
    ftdi.adapter.productId = 0x6001;
    ftdi.adapter.driver = QStringLiteral("ftdi_sio");
    QVERIFY(reportOf({ftdi}).filter(QStringLiteral("latency")).isEmpty());

    ftdi.lowLatencyRefused = true;
    const QStringList lines = reportOf({ftdi});
    QVERIFY(lines.contains(QStringLiteral("    ") + msg(MsgId::LowLatencyRefused)));
    QVERIFY(lines.contains(
        kCommand +
        QStringLiteral("echo 1 | sudo tee /sys/bus/usb-serial/devices/ttyUSB2/latency_timer")));
    QVERIFY(lines.contains(
        kCommand + QStringLiteral("echo 'ACTION==\"add\", SUBSYSTEM==\"usb-serial\", "
                                  "DRIVER==\"ftdi_sio\", ATTR{latency_timer}=\"1\"' | sudo tee "
                                  "/etc/udev/rules.d/78-vexameter-latency.rules")));

    // Other drivers have no such setting: the hint alone.
    PortAttempt ch340 = ftdi;
    ch340.adapter.driver = QStringLiteral("ch341-uart");
    QCOMPARE(portFixes(ch340), QStringList{QStringLiteral("    ") + msg(MsgId::LowLatencyRefused)});
}

QTEST_GUILESS_MAIN(TestPortReport)
#include "tst_port_report.moc"
