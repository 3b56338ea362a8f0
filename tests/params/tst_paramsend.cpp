// Sending a parameter file to the simulated instrument over a real pseudo-terminal: the
// order and pauses the instrument sees, what the operator is told, and the window, status
// window and port put back on every way out.
#include "ParamFixture.h"

#include "common/Errors.h"
#include "common/Messages.h"
#include "link/EComPort.h"
#include "params/ParamSender.h"
#include "support/OperationsRig.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <memory>

namespace {

QStringList workedExampleReordered() {
    const QStringList l = fixture::workedExampleLines();
    QStringList lines = {"; sent in a fixed order, whatever the file's", l[3] + " end", l[2],
                         "#R 00009 old record, replaced by the next",    l[1],          l[0]};
    lines += l.mid(4);
    return lines;
}

QList<QByteArray> toBytes(const QStringList& lines) {
    QList<QByteArray> out;
    for (const QString& line : lines)
        out << toCp1252(line);
    return out;
}

} // namespace

class TestParamSend : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void recordsGoInFixedOrderWithPauses();
    void okAnywhereInTheReplyIsAnAcknowledgement();
    void tagOnlyInsideALineSendsAnEmptyCommand();
    void failureOnMeasurementRecordStopsTheSending();
    void silentInstrumentIsReportedMissing();
    void unreadableFileAndFailingPortStillRestoreEverything();
    void hangUpDuringSendingRestoresEverything();

private:
    QList<QByteArray> receivedLines() const { return m_rig->sim.receivedLines(); }
    void send(const QStringList& lines);
    void verifyRestored();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<OperationsRig> m_rig;
    // What the operator saw when the message came.
    bool m_portOpenAtMessage = true;
    bool m_windowEnabledAtMessage = true;
    qint64 m_messageAtMs = -1;
    QElapsedTimer m_clock;
};

void TestParamSend::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_rig = std::make_unique<OperationsRig>();
    m_portOpenAtMessage = m_windowEnabledAtMessage = true;
    m_messageAtMs = -1;
    m_rig->feedback.onInformation = [this] {
        m_portOpenAtMessage = m_rig->port.Connected();
        m_windowEnabledAtMessage = m_rig->feedback.windowEnabled;
        m_messageAtMs = m_clock.elapsed();
    };
}

void TestParamSend::cleanup() {
    m_rig.reset();
    m_dir.reset();
}

void TestParamSend::send(const QStringList& lines) {
    const QString path = writeFileIn(*m_dir, "send.dat", fixture::cp1252Bytes(lines));
    m_clock.start();
    ParamSender(m_rig->exchange, m_rig->feedback).send(path);
}

void TestParamSend::verifyRestored() {
    QVERIFY(!m_rig->port.Connected());
    QVERIFY(!m_rig->feedback.statusVisible);
    QVERIFY(m_rig->feedback.windowEnabled);
    QCOMPARE(m_rig->feedback.calls.first(), QString("enabled:0"));
    QCOMPARE(m_rig->feedback.calls.last(), QString("enabled:1"));
}

void TestParamSend::recordsGoInFixedOrderWithPauses() {
    const QStringList lines = workedExampleReordered();
    send(lines);

    const QList<QByteArray> expected = toBytes({"#i", lines[5], lines[4], lines[2], lines[1]});
    QCOMPARE(receivedLines(), expected);
    // The instrument stored exactly the file's lines, trailing text of "#F" included.
    QCOMPARE(m_rig->sim.instrument()->records("#P"), QList<QByteArray>{expected[1]});
    QCOMPARE(m_rig->sim.instrument()->records("#R"), QList<QByteArray>{expected[2]});
    QCOMPARE(m_rig->sim.instrument()->records("#G"), QList<QByteArray>{expected[3]});
    QCOMPARE(m_rig->sim.instrument()->records("#F"), QList<QByteArray>{"#F end"});

    const auto t = m_rig->sim.transcript();
    for (int i = 2; i <= 4; ++i)
        QVERIFY2(
            t[i].ms - t[i - 1].ms >= ParamSender::kPauseMs,
            qPrintable(QString("pause before line %1: %2 ms").arg(i).arg(t[i].ms - t[i - 1].ms)));

    QCOMPARE(m_rig->feedback.calls,
             (QStringList{"enabled:0", "status:" + msg(MsgId::SendingIdentification), "show",
                          "status:" + msg(MsgId::SendingMeasurement),
                          "status:" + msg(MsgId::SendingGeneral), "info:" + msg(MsgId::SendDone),
                          "hide", "enabled:1"}));
    QVERIFY(!m_portOpenAtMessage);
    QVERIFY(!m_windowEnabledAtMessage);
    verifyRestored();
}

void TestParamSend::okAnywhereInTheReplyIsAnAcknowledgement() {
    m_rig->sim.scriptReply("#P", "record tOOK, OKAY\r\n");
    send(fixture::workedExampleLines());
    QCOMPARE(receivedLines().size(), 5);
    QCOMPARE(m_rig->feedback.calls.at(m_rig->feedback.calls.size() - 3),
             "info:" + msg(MsgId::SendDone));
}

void TestParamSend::tagOnlyInsideALineSendsAnEmptyCommand() {
    QStringList lines = fixture::workedExampleLines();
    lines[3] = "; no end record here, only a #F in a comment";
    send(lines);

    const auto t = m_rig->sim.transcript();
    QCOMPARE(t.size(), 5);
    QCOMPARE(t[4].raw, QByteArray("\r\n"));
    // The instrument does not acknowledge an empty line.
    QVERIFY(m_rig->feedback.calls.contains("info:" + msg(MsgId::CommError)));
    verifyRestored();
}

void TestParamSend::failureOnMeasurementRecordStopsTheSending() {
    m_rig->sim.setErrorReply("#R", 7);
    send(fixture::workedExampleLines());

    QCOMPARE(receivedLines(),
             toBytes({"#i", fixture::workedExampleLines()[0], fixture::workedExampleLines()[1]}));
    QVERIFY(m_rig->sim.instrument()->records("#G").isEmpty() &&
            m_rig->sim.instrument()->records("#F").isEmpty());
    QCOMPARE(m_rig->feedback.calls,
             (QStringList{"enabled:0", "status:" + msg(MsgId::SendingIdentification), "show",
                          "status:" + msg(MsgId::SendingMeasurement),
                          "info:" + msg(MsgId::CommError), "hide", "enabled:1"}));
    // The pause follows the failing record too: two pauses before the message.
    QVERIFY2(m_messageAtMs >= 2 * ParamSender::kPauseMs,
             qPrintable(QString::number(m_messageAtMs)));
    verifyRestored();
}

void TestParamSend::silentInstrumentIsReportedMissing() {
    m_rig->sim.setSilent(true);
    send(fixture::workedExampleLines());
    QCOMPARE(receivedLines(), QList<QByteArray>{"#i"});
    QCOMPARE(m_rig->feedback.calls,
             (QStringList{"enabled:0", "info:" + msg(MsgId::NoAnswer), "hide", "enabled:1"}));
    verifyRestored();
}

void TestParamSend::unreadableFileAndFailingPortStillRestoreEverything() {
    QVERIFY_THROWS_EXCEPTION(
        EFileError,
        ParamSender(m_rig->exchange, m_rig->feedback).send(m_dir->filePath("gone.dat")));
    QCOMPARE(m_rig->feedback.calls, (QStringList{"enabled:0", "hide", "enabled:1"}));
    verifyRestored();

    m_rig->feedback.calls.clear();
    m_rig->port.setPort(m_dir->filePath("no-such-tty"));
    QVERIFY_THROWS_EXCEPTION(EComPort, send(fixture::workedExampleLines()));
    QCOMPARE(m_rig->feedback.calls, (QStringList{"enabled:0", "hide", "enabled:1"}));
    verifyRestored();
    QVERIFY(receivedLines().isEmpty());
}

void TestParamSend::hangUpDuringSendingRestoresEverything() {
    m_rig->sim.setHangUpAfter(3); // "#i", "#P" answered; the line goes at "#R"
    send(fixture::workedExampleLines());
    QVERIFY(m_rig->feedback.calls.contains("info:" + msg(MsgId::CommError)));
    verifyRestored();
    QVERIFY(m_rig->sim.instrument()->records("#G").isEmpty());
}

QTEST_GUILESS_MAIN(TestParamSend)
#include "tst_paramsend.moc"
