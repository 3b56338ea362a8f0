// The send-and-wait exchange against a real pseudo-terminal far end: framing, the silence
// time-out, runaway replies, a far end that hangs up, and the pause.
#include "link/CommandExchange.h"
#include "link/EComPort.h"
#include "link/TComPort.h"
#include "support/CpuMeter.h"
#include "support/PtyPeer.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

struct Chunk {
    int atMs;
    QByteArray bytes;
};

// A far end that answers every command line with the given chunks, each at its own delay
// after the command arrived.
void answerWithChunks(PtyPeer& peer, const QList<Chunk>& chunks) {
    peer.onLine = [&peer, chunks](const QByteArray&) {
        for (const Chunk& c : chunks) {
            if (c.atMs == 0)
                peer.send(c.bytes);
            else
                peer.sendLater(c.atMs, c.bytes);
        }
    };
}

} // namespace

Q_DECLARE_METATYPE(QList<Chunk>)

class TestCommandExchange : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void replyFraming_data();
    void replyFraming();
    void lineEndWithoutLfEndsBySilenceAfterLastByte();
    void replyInChunksIsTakenInOneRead();
    void commandBytesOnTheLine();
    void bytesBeforeTheCommandAreDiscarded();
    void presenceCheck();
    void runawayReplyEndsAsTimeOut();
    void hangUpDuringWaitEndsItWithoutSpinning();
    void hangUpBetweenExchangesFailsFast();
    void waitKeepsEventsFlowingAndIsFlagged();
    void pauseAcrossTickWrapLastsFullLength();

private:
    // The far end, and the program's port, open on it, with its exchange.
    struct Line {
        PtyPeer peer;
        TComPort port;
        CommandExchange exchange{port};
    };
    std::unique_ptr<Line> m_line;
};

void TestCommandExchange::init() {
    m_line = std::make_unique<Line>();
    QVERIFY(m_line->peer.isOpen());
    m_line->port.setPort(m_line->peer.portPath());
    m_line->port.Open();
    // The suite runs twice: pieces handed over as they come, and whole lines.
    m_line->exchange.setLineWakeUps(qEnvironmentVariableIsSet("VEXA_TEST_LINE_WAKEUPS"));
}

void TestCommandExchange::cleanup() {
    m_line.reset();
}

void TestCommandExchange::replyFraming_data() {
    QTest::addColumn<QList<Chunk>>("chunks");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one line in one chunk") << QList<Chunk>{{0, "VEXA 1\r\n"}} << "VEXA 1\r\n";
    QTest::newRow("CR LF split over two chunks")
        << QList<Chunk>{{0, "VEXA 1\r"}, {150, "\n"}} << "VEXA 1\r\n";
    QTest::newRow("two lines in one chunk") << QList<Chunk>{{0, "L1\r\nL2\r\n"}} << "L1\r\nL2\r\n";
    QTest::newRow("line built from three chunks")
        << QList<Chunk>{{0, "#R"}, {100, " 12"}, {200, "3\r\n"}} << "#R 123\r\n";
    QTest::newRow("8-bit bytes kept one per character")
        << QList<Chunk>{{0, "\xE9t\xE9 \x80\x81\r\n"}} << QString::fromUtf8("été €\u0081\r\n");
    // Bytes a terminal would take for erase, interrupt, end of file, flow control...
    const QByteArray controls("\x00\x03\x04\x08\x0f\x11\x12\x13\x15\x16\x17\x1a\x1c\x7f\r\n", 16);
    QTest::newRow("control bytes are plain bytes")
        << QList<Chunk>{{0, controls}} << QString::fromLatin1(controls);
}

void TestCommandExchange::replyFraming() {
    QFETCH(QList<Chunk>, chunks);
    QFETCH(QString, expected);
    answerWithChunks(m_line->peer, chunks);

    QElapsedTimer clock;
    clock.start();
    m_line->exchange.EcrireCommande(QStringLiteral("#i"));
    m_line->exchange.AttendreReponse();

    QVERIFY(m_line->exchange.ReplyComplete);
    QVERIFY(!m_line->exchange.ReplyTimedOut);
    QCOMPARE(m_line->exchange.ReplyBuffer, expected);
    QVERIFY2(clock.elapsed() < 1000, "a complete reply ends the wait at once");
}

void TestCommandExchange::lineEndWithoutLfEndsBySilenceAfterLastByte() {
    // CR alone, then LF before CR: never a line end. The silence is counted from the last
    // chunk, not from the command.
    answerWithChunks(m_line->peer, {{0, "ID\r"}, {800, "x\n\ry"}});

    QElapsedTimer clock;
    clock.start();
    m_line->exchange.EcrireCommande(QStringLiteral("#i"));
    m_line->exchange.AttendreReponse();
    const qint64 elapsed = clock.elapsed();

    QVERIFY(m_line->exchange.ReplyTimedOut);
    QVERIFY(!m_line->exchange.ReplyComplete);
    QCOMPARE(m_line->exchange.ReplyBuffer, QStringLiteral("ID\rx\n\ry"));
    QVERIFY2(elapsed >= 2750 && elapsed < 3400, qPrintable(QString::number(elapsed)));
}

// The port hands over a reply as one line, however many chunks the far end sent it in.
void TestCommandExchange::replyInChunksIsTakenInOneRead() {
    m_line->exchange.setLineWakeUps(true);
    answerWithChunks(m_line->peer, {{0, "#R"}, {15, " 12"}, {30, "3\r"}, {45, "\n"}});
    int reads = 0;
    m_line->port.OnTraffic = [&reads](TComPort*, TComPort::Direction direction, const QByteArray&) {
        reads += direction == TComPort::Direction::Received;
    };

    QVERIFY(m_line->exchange.exchangeLine(QStringLiteral("#R")));
    QCOMPARE(m_line->exchange.ReplyBuffer, QStringLiteral("#R 123\r\n"));
    QCOMPARE(reads, 1);
}

void TestCommandExchange::commandBytesOnTheLine() {
    m_line->exchange.EcrireCommande(QStringLiteral("#K 0123 \u00e9"));
    QVERIFY(m_line->peer.waitForReceived(11, 1000));
    QCOMPARE(m_line->peer.received(), QByteArray("#K 0123 \xE9\r\n"));
    QVERIFY(!m_line->exchange.ReplyComplete);

    m_line->peer.clearReceived();
    m_line->exchange.EcrireCommande(QString());
    QVERIFY(m_line->peer.waitForReceived(2, 1000));
    QCOMPARE(m_line->peer.received(), QByteArray("\r\n"));
    // Nothing more comes of it: the next command follows on the line at once.
    m_line->exchange.EcrireCommande(QStringLiteral("#T"));
    QVERIFY(m_line->peer.waitForReceived(6, 1000));
    QCOMPARE(m_line->peer.received(), QByteArray("\r\n#T\r\n"));
}

void TestCommandExchange::bytesBeforeTheCommandAreDiscarded() {
    // A late answer to an earlier command lands in the buffer, then the next command
    // throws it away, both from the buffer and from the port's queues.
    m_line->peer.send("late answer\r\n");
    QTRY_COMPARE(m_line->exchange.ReplyBuffer, QStringLiteral("late answer\r\n"));
    m_line->peer.send("noise");

    m_line->peer.answerEveryLine("fresh\r\n");
    QCOMPARE(m_line->exchange.ConnectSonde(), 0);
    QCOMPARE(m_line->exchange.ReplyBuffer, QStringLiteral("fresh\r\n"));
}

void TestCommandExchange::presenceCheck() {
    // Silent far end: -1 after the full time-out, and the wait sleeps meanwhile.
    CpuMeter meter;
    QCOMPARE(m_line->exchange.ConnectSonde(), -1);
    const double wall = meter.wallMs();
    const double cpu = meter.cpuMs();
    qInfo("silent presence check: %.0f ms wall, %.1f ms CPU", wall, cpu);
    QVERIFY2(wall >= 1950 && wall < 2600, qPrintable(QString::number(wall)));
    QVERIFY2(cpu < 0.1 * wall, qPrintable(QString::number(cpu)));
    QCOMPARE(m_line->peer.received(), QByteArray("#i\r\n"));
    QVERIFY(m_line->exchange.ReplyBuffer.isEmpty());

    // Any line ended by CR LF counts as an answer, and stays in the buffer.
    m_line->peer.answerEveryLine("#i\r\n");
    QCOMPARE(m_line->exchange.ConnectSonde(), 0);
    QCOMPARE(m_line->exchange.ReplyBuffer, QStringLiteral("#i\r\n"));
}

void TestCommandExchange::runawayReplyEndsAsTimeOut() {
    // A far end that never stops and never ends a line: the silence time-out would never
    // come, the size limit ends the wait.
    QTimer flood;
    flood.setInterval(10);
    connect(&flood, &QTimer::timeout, &m_line->peer,
            [this] { m_line->peer.send(QByteArray(2048, 'A')); });
    m_line->peer.onLine = [&flood](const QByteArray&) { flood.start(); };

    QElapsedTimer clock;
    clock.start();
    m_line->exchange.EcrireCommande(QStringLiteral("#T"));
    m_line->exchange.AttendreReponse();
    flood.stop();

    QVERIFY(m_line->exchange.ReplyTimedOut);
    QVERIFY(!m_line->exchange.ReplyComplete);
    QVERIFY(m_line->exchange.ReplyBuffer.size() > CommandExchange::MaxReplyLength);
    QVERIFY2(clock.elapsed() < CommandExchange::CommandTimeoutMs - 200,
             "ended by the size limit, not by silence");
}

void TestCommandExchange::hangUpDuringWaitEndsItWithoutSpinning() {
    m_line->peer.onLine = [this](const QByteArray&) {
        m_line->peer.send("VEX");
        m_line->peer.hangUpLater(300);
    };

    m_line->exchange.EcrireCommande(QStringLiteral("#i"));
    CpuMeter meter;
    m_line->exchange.AttendreReponse();
    const double wall = meter.wallMs();
    const double cpu = meter.cpuMs();
    qInfo("wait with hang-up: %.0f ms wall, %.1f ms CPU", wall, cpu);

    QVERIFY(m_line->exchange.ReplyTimedOut);
    QVERIFY(!m_line->exchange.ReplyComplete);
    QCOMPARE(m_line->exchange.ReplyBuffer, QStringLiteral("VEX"));
    QVERIFY2(wall < 2600, qPrintable(QString::number(wall)));
    QVERIFY2(cpu < 0.1 * wall, qPrintable(QString::number(cpu)));

    // Every later call fails at once instead of waiting for a device that is gone.
    QVERIFY(m_line->port.Connected());
    QElapsedTimer clock;
    clock.start();
    try {
        m_line->exchange.EcrireCommande(QStringLiteral("#i"));
        QFAIL("a command on a hung-up line must fail");
    } catch (const EComPort& e) {
        QCOMPARE(e.Code(), int(CE_PurgeFailed));
    }
    QString text;
    QVERIFY_THROWS_EXCEPTION(EComPort, m_line->port.WriteStr(QStringLiteral("#i")));
    QVERIFY_THROWS_EXCEPTION(EComPort, m_line->port.ReadStr(text, 1));
    QVERIFY_THROWS_EXCEPTION(EComPort, m_line->port.InputCount());
    QVERIFY2(clock.elapsed() < 1000, "fails at once, not after a time-out");

    // Closing ends that state.
    m_line->port.Close();
    QVERIFY(!m_line->port.Connected());
}

void TestCommandExchange::hangUpBetweenExchangesFailsFast() {
    m_line->peer.hangUp();
    CpuMeter meter;
    Temporiser(300);
    const double cpu = meter.cpuMs();
    qInfo("idle open port after hang-up: %.0f ms wall, %.1f ms CPU", meter.wallMs(), cpu);
    QVERIFY2(cpu < 30, qPrintable(QString::number(cpu)));

    QElapsedTimer clock;
    clock.start();
    QVERIFY_THROWS_EXCEPTION(EComPort, m_line->exchange.ConnectSonde());
    QVERIFY2(clock.elapsed() < 1000, "fails at once, not after a time-out");
    m_line->port.Close();
    QVERIFY(!m_line->port.Connected());
}

void TestCommandExchange::waitKeepsEventsFlowingAndIsFlagged() {
    m_line->peer.onLine = [this](const QByteArray&) { m_line->peer.sendLater(300, "OK\r\n"); };
    bool sawWaiting = false;
    QTimer::singleShot(100, this, [&] { sawWaiting = m_line->exchange.isWaiting(); });

    QVERIFY(!m_line->exchange.isWaiting());
    m_line->exchange.EcrireCommande(QStringLiteral("#I"));
    m_line->exchange.AttendreReponse();
    QVERIFY(m_line->exchange.ReplyComplete);
    QVERIFY2(sawWaiting, "timers run during the wait, which is flagged");
    QVERIFY(!m_line->exchange.isWaiting());

    sawWaiting = false;
    QTimer::singleShot(50, this, [&] { sawWaiting = m_line->exchange.isWaiting(); });
    m_line->exchange.Temporiser(150);
    QVERIFY(sawWaiting);
    QVERIFY(!m_line->exchange.isWaiting());
}

void TestCommandExchange::pauseAcrossTickWrapLastsFullLength() {
    // A counter 256 ms before its wrap: a pause of 600 ms spans it.
    QElapsedTimer real;
    real.start();
    const TickSource nearWrap = [&real] { return quint32(0xFFFFFF00u + quint64(real.elapsed())); };
    bool timerRan = false;
    QTimer::singleShot(100, this, [&] { timerRan = true; });

    CpuMeter meter;
    Temporiser(600, nearWrap);
    const double wall = meter.wallMs();
    const double cpu = meter.cpuMs();
    qInfo("pause of 600 ms across the wrap: %.0f ms wall, %.1f ms CPU", wall, cpu);
    QVERIFY2(wall >= 599 && wall < 900, qPrintable(QString::number(wall)));
    QVERIFY2(cpu < 0.1 * wall, qPrintable(QString::number(cpu)));
    QVERIFY(timerRan);

    meter.restart();
    Temporiser(0, nearWrap);
    QVERIFY(meter.wallMs() < 50);
}

QTEST_GUILESS_MAIN(TestCommandExchange)
#include "tst_command_exchange.moc"
