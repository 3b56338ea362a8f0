// The serial port component on a real pseudo-terminal: line settings, bytes in and out,
// notifications, and the ways an open can fail.
#include "common/Cp1252.h"
#include "link/CommandExchange.h"
#include "link/EComPort.h"
#include "link/TComPort.h"
#include "support/PtyPeer.h"

#include <QSerialPort>
#include <QtTest>

#include <termios.h>

class TestComPort : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void openAppliesLineSettings();
    void everyByteValueCrossesTheLineUnchanged();
    void emptyWriteAndZeroRead();
    void callsOnAClosedPort();
    void portHeldByAnotherProgram();
    void absentPort();
    void changingThePortWhileOpenMovesToIt();
    void pendingNotificationIsHandledByClose();
    void lowLatencyOutcomeGoesToTheTrace();
};

void TestComPort::openAppliesLineSettings() {
    PtyPeer peer;
    TComPort port;
    QCOMPARE(port.Port(), QStringLiteral("COM24"));
    port.setPort(peer.portPath());
    port.Open();
    QVERIFY(port.Connected());
    port.Open(); // already open: nothing happens
    QVERIFY(port.Connected());

    termios tio{};
    QVERIFY(peer.lineSettings(tio));
    QCOMPARE(cfgetospeed(&tio), speed_t(B38400));
    QCOMPARE(cfgetispeed(&tio), speed_t(B38400));
    QCOMPARE(tio.c_cflag & CSIZE, tcflag_t(CS8));
    QVERIFY(!(tio.c_cflag & PARENB));
    QVERIFY(!(tio.c_cflag & CSTOPB));
    QVERIFY(!(tio.c_cflag & CRTSCTS));
    QVERIFY(!(tio.c_iflag & (IXON | IXOFF)));
    // Raw: CR and LF must reach the exchange untouched.
    QVERIFY(!(tio.c_iflag & (ICRNL | INLCR | IGNCR)));
    QVERIFY(!(tio.c_lflag & (ICANON | ECHO)));

    port.Close();
    QVERIFY(!port.Connected());
    port.Close(); // already closed: nothing happens
}

void TestComPort::everyByteValueCrossesTheLineUnchanged() {
    PtyPeer peer;
    TComPort port;
    port.setPort(peer.portPath());
    QString collected;
    int notifications = 0;
    port.OnRxChar = [&](TComPort* sender, int count) {
        ++notifications;
        QCOMPARE(sender, &port);
        QVERIFY(count > 0);
        QString chunk;
        QCOMPARE(port.ReadStr(chunk, count), count);
        collected += chunk;
    };
    port.Open();

    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    peer.send(all.left(100));
    peer.sendLater(100, all.mid(100));
    QTRY_COMPARE_WITH_TIMEOUT(collected.size(), 256, 2000);
    QCOMPARE(toCp1252(collected), all);

    QCOMPARE(port.WriteStr(fromCp1252(all)), 256);
    QVERIFY(peer.waitForReceived(256, 2000));
    QCOMPARE(peer.received(), all);

    // After Close nothing more is reported, even if the far end keeps talking. Once the
    // bytes are there to read, two passes of the event loop would report them to a port
    // still listening: one reads them, the next hands them over.
    port.Close();
    const int before = notifications;
    peer.send("late");
    QVERIFY(peer.waitUntilProgramCanRead(2000));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(notifications, before);
}

void TestComPort::emptyWriteAndZeroRead() {
    PtyPeer peer;
    TComPort port;
    port.setPort(peer.portPath());
    port.Open();
    QCOMPARE(port.WriteStr(QString()), 0);
    // Nothing went out: the next bytes written are the first on the line.
    QCOMPARE(port.WriteStr(QStringLiteral("#i")), 2);
    QVERIFY(peer.waitForReceived(2, 2000));
    QCOMPARE(peer.received(), QByteArray("#i"));
    QString text = QStringLiteral("stale");
    QCOMPARE(port.ReadStr(text, 0), 0);
    QVERIFY(text.isEmpty());
    QCOMPARE(port.InputCount(), 0);
}

void TestComPort::callsOnAClosedPort() {
    TComPort port;
    QString text;
    try {
        port.WriteStr(QStringLiteral("#i"));
        QFAIL("writing to a closed port must fail");
    } catch (const EComPort& e) {
        QCOMPARE(e.Code(), int(CEPortNotOpen));
        QCOMPARE(e.WinCode(), qint64(-1));
        QCOMPARE(e.message(), QStringLiteral("Port Not Open"));
    }
    try {
        port.ReadStr(text, 5);
        QFAIL("reading from a closed port must fail");
    } catch (const EComPort& e) {
        QCOMPARE(e.Code(), int(CEPortNotOpen));
    }
    try {
        port.ClearBuffer(true, true);
        QFAIL("purging a closed port must fail");
    } catch (const EComPort& e) {
        QCOMPARE(e.Code(), int(CE_PurgeFailed));
    }
    QVERIFY_THROWS_EXCEPTION(EComPort, port.InputCount());
}

void TestComPort::portHeldByAnotherProgram() {
    PtyPeer peer;
    QSerialPort holder(peer.portPath());
    QVERIFY(holder.open(QIODevice::ReadWrite));

    TComPort port;
    port.setPort(peer.portPath());
    try {
        port.Open();
        QFAIL("a held port must not open");
    } catch (const EComPort& e) {
        QCOMPARE(e.Code(), int(CE_OpenFailed));
        QVERIFY(e.WinCode() > 0);
        QCOMPARE(e.message(),
                 QStringLiteral("Unable to open com port (Error: %1)").arg(e.WinCode()));
    }
    QVERIFY(!port.Connected());

    holder.close();
    port.Open();
    QVERIFY(port.Connected());
}

void TestComPort::absentPort() {
    TComPort port; // "COM24" is no device on this system
    QVERIFY_THROWS_EXCEPTION(EComPort, port.Open());
    QVERIFY(!port.Connected());

    port.setPort(QStringLiteral("/dev/vexa-no-such-tty"));
    try {
        port.Open();
        QFAIL("an absent port must not open");
    } catch (const EComPort& e) {
        QCOMPARE(e.Code(), int(CE_OpenFailed));
        QCOMPARE(e.message(), QStringLiteral("Unable to open com port (Error: 2)"));
    }
    QVERIFY(!port.Connected());
}

void TestComPort::changingThePortWhileOpenMovesToIt() {
    PtyPeer first;
    PtyPeer second;
    TComPort port;
    port.setPort(first.portPath());
    port.Open();
    port.setPort(second.portPath());
    QVERIFY(port.Connected());
    port.WriteStr(QStringLiteral("#i\r\n"));
    QVERIFY(second.waitForReceived(4, 1000));
    QVERIFY(first.received().isEmpty());

    // The first port was released: another program can take it now.
    QSerialPort other(first.portPath());
    QVERIFY(other.open(QIODevice::ReadWrite));
}

void TestComPort::pendingNotificationIsHandledByClose() {
    // Bytes already announced when the operation closes the port still reach the handler.
    PtyPeer peer;
    TComPort port;
    port.setPort(peer.portPath());
    QString collected;
    port.OnRxChar = [&](TComPort*, int count) {
        QString chunk;
        port.ReadStr(chunk, count);
        collected += chunk;
    };
    port.Open();
    peer.send("OK\r\n");
    QVERIFY(peer.waitUntilProgramCanRead(2000));
    // One pass of the event loop: the port reads the bytes and queues the hand-over,
    // which only the next pass would run.
    QCoreApplication::processEvents();
    QCOMPARE(port.InputCount(), 4);
    QVERIFY(collected.isEmpty());
    port.Close();
    QCOMPARE(collected, QStringLiteral("OK\r\n"));
}

void TestComPort::lowLatencyOutcomeGoesToTheTrace() {
    // A pseudo-terminal has no serial settings: the request does not apply, and the trace
    // says so once per opening, before any traffic.
    PtyPeer peer;
    TComPort port;
    port.setPort(peer.portPath());
    QList<QByteArray> notes;
    port.OnTraffic = [&](TComPort*, TComPort::Direction direction, const QByteArray& bytes) {
        if (direction == TComPort::Direction::Note)
            notes.append(bytes);
    };
    port.Open();
    QCOMPARE(port.lowLatency(), TComPort::LowLatency::NotApplicable);
    QCOMPARE(notes, QList<QByteArray>({"low latency: not applicable (no serial settings)"}));
    port.WriteStr(QStringLiteral("#i\r\n"));
    QCOMPARE(notes.size(), 1);
}

QTEST_GUILESS_MAIN(TestComPort)
#include "tst_com_port.moc"
