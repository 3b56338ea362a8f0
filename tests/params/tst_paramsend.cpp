// Sending a parameter file to the simulated instrument over a real pseudo-terminal: the
// order and pauses the instrument sees, what the operator is told, and the window, status
// window and port put back on every way out.
#include "ParamFixture.h"

#include "common/Errors.h"
#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "link/CommandExchange.h"
#include "link/EComPort.h"
#include "link/TComPort.h"
#include "params/ParamSender.h"
#include "sim/InstrumentSimulator.h"

#include <QElapsedTimer>

namespace {

// Keeps the calls in order, with what the operator saw when the message came.
class RecordingFeedback : public OperatorFeedback {
public:
    explicit RecordingFeedback(const TComPort& port) : m_port(port) {}

    void AfficheInfo(const QString& texte) override { calls << "info:" + texte; }
    void ShowStatus() override {
        statusVisible = true;
        calls << "show";
    }
    void HideStatus() override {
        statusVisible = false;
        calls << "hide";
    }
    void ShowInformation(const QString& message) override {
        calls << "message:" + message;
        portOpenAtMessage = m_port.Connected();
        windowEnabledAtMessage = windowEnabled;
        messageAtMs = clock.elapsed();
    }
    void SetMainWindowEnabled(bool enabled) override {
        windowEnabled = enabled;
        calls << (enabled ? "enable" : "disable");
    }

    QStringList calls;
    bool statusVisible = false;
    bool windowEnabled = true;
    bool portOpenAtMessage = true;
    bool windowEnabledAtMessage = true;
    qint64 messageAtMs = -1;
    QElapsedTimer clock;

private:
    const TComPort& m_port;
};

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
    QList<QByteArray> receivedLines() const { return m_sim->receivedLines(); }
    void send(const QStringList& lines);
    void verifyRestored();

    QTemporaryDir* m_dir = nullptr;
    InstrumentSimulator* m_sim = nullptr;
    TComPort* m_port = nullptr;
    CommandExchange* m_exchange = nullptr;
    RecordingFeedback* m_feedback = nullptr;
};

void TestParamSend::init() {
    m_dir = new QTemporaryDir;
    m_sim = new InstrumentSimulator;
    m_sim->start();
    m_port = new TComPort;
    m_port->setPort(m_sim->slavePath());
    m_exchange = new CommandExchange(*m_port);
    m_feedback = new RecordingFeedback(*m_port);
}

void TestParamSend::cleanup() {
    delete m_feedback;
    delete m_exchange;
    delete m_port;
    delete m_sim;
    delete m_dir;
}

void TestParamSend::send(const QStringList& lines) {
    const QString path = fixture::writeFile(*m_dir, "send.dat", fixture::cp1252Bytes(lines));
    m_feedback->clock.start();
    ParamSender(*m_exchange, *m_feedback).send(path);
}

void TestParamSend::verifyRestored() {
    QVERIFY(!m_port->Connected());
    QVERIFY(!m_feedback->statusVisible);
    QVERIFY(m_feedback->windowEnabled);
    QCOMPARE(m_feedback->calls.first(), QString("disable"));
    QCOMPARE(m_feedback->calls.last(), QString("enable"));
}

void TestParamSend::recordsGoInFixedOrderWithPauses() {
    const QStringList lines = workedExampleReordered();
    send(lines);

    const QList<QByteArray> expected = toBytes({"#i", lines[5], lines[4], lines[2], lines[1]});
    QCOMPARE(receivedLines(), expected);
    // The instrument stored exactly the file's lines, trailing text of "#F" included.
    QCOMPARE(m_sim->instrument()->records("#P"), QList<QByteArray>{expected[1]});
    QCOMPARE(m_sim->instrument()->records("#R"), QList<QByteArray>{expected[2]});
    QCOMPARE(m_sim->instrument()->records("#G"), QList<QByteArray>{expected[3]});
    QCOMPARE(m_sim->instrument()->records("#F"), QList<QByteArray>{"#F end"});

    const auto t = m_sim->transcript();
    for (int i = 2; i <= 4; ++i)
        QVERIFY2(
            t[i].ms - t[i - 1].ms >= ParamSender::kPauseMs,
            qPrintable(QString("pause before line %1: %2 ms").arg(i).arg(t[i].ms - t[i - 1].ms)));

    QCOMPARE(m_feedback->calls, (QStringList{"disable", "info:" + msg(MsgId::SendingIdentification),
                                             "show", "info:" + msg(MsgId::SendingMeasurement),
                                             "info:" + msg(MsgId::SendingGeneral),
                                             "message:" + msg(MsgId::SendDone), "hide", "enable"}));
    QVERIFY(!m_feedback->portOpenAtMessage);
    QVERIFY(!m_feedback->windowEnabledAtMessage);
    verifyRestored();
}

void TestParamSend::okAnywhereInTheReplyIsAnAcknowledgement() {
    m_sim->scriptReply("#P", "record tOOK, OKAY\r\n");
    send(fixture::workedExampleLines());
    QCOMPARE(receivedLines().size(), 5);
    QCOMPARE(m_feedback->calls.at(m_feedback->calls.size() - 3), "message:" + msg(MsgId::SendDone));
}

void TestParamSend::tagOnlyInsideALineSendsAnEmptyCommand() {
    QStringList lines = fixture::workedExampleLines();
    lines[3] = "; no end record here, only a #F in a comment";
    send(lines);

    const auto t = m_sim->transcript();
    QCOMPARE(t.size(), 5);
    QCOMPARE(t[4].raw, QByteArray("\r\n"));
    // The instrument does not acknowledge an empty line.
    QVERIFY(m_feedback->calls.contains("message:" + msg(MsgId::CommError)));
    verifyRestored();
}

void TestParamSend::failureOnMeasurementRecordStopsTheSending() {
    m_sim->setErrorReply("#R", 7);
    send(fixture::workedExampleLines());

    QCOMPARE(receivedLines(),
             toBytes({"#i", fixture::workedExampleLines()[0], fixture::workedExampleLines()[1]}));
    QVERIFY(m_sim->instrument()->records("#G").isEmpty() &&
            m_sim->instrument()->records("#F").isEmpty());
    QCOMPARE(m_feedback->calls,
             (QStringList{"disable", "info:" + msg(MsgId::SendingIdentification), "show",
                          "info:" + msg(MsgId::SendingMeasurement),
                          "message:" + msg(MsgId::CommError), "hide", "enable"}));
    // The pause follows the failing record too: two pauses before the message.
    QVERIFY2(m_feedback->messageAtMs >= 2 * ParamSender::kPauseMs,
             qPrintable(QString::number(m_feedback->messageAtMs)));
    verifyRestored();
}

void TestParamSend::silentInstrumentIsReportedMissing() {
    m_sim->setSilent(true);
    send(fixture::workedExampleLines());
    QCOMPARE(receivedLines(), QList<QByteArray>{"#i"});
    QCOMPARE(m_feedback->calls,
             (QStringList{"disable", "message:" + msg(MsgId::NoAnswer), "hide", "enable"}));
    verifyRestored();
}

void TestParamSend::unreadableFileAndFailingPortStillRestoreEverything() {
    QVERIFY_THROWS_EXCEPTION(
        EFileError, ParamSender(*m_exchange, *m_feedback).send(m_dir->filePath("gone.dat")));
    QCOMPARE(m_feedback->calls, (QStringList{"disable", "hide", "enable"}));
    verifyRestored();

    m_feedback->calls.clear();
    m_port->setPort(m_dir->filePath("no-such-tty"));
    QVERIFY_THROWS_EXCEPTION(EComPort, send(fixture::workedExampleLines()));
    QCOMPARE(m_feedback->calls, (QStringList{"disable", "hide", "enable"}));
    verifyRestored();
    QVERIFY(receivedLines().isEmpty());
}

void TestParamSend::hangUpDuringSendingRestoresEverything() {
    m_sim->setHangUpAfter(3); // "#i", "#P" answered; the line goes at "#R"
    send(fixture::workedExampleLines());
    QVERIFY(m_feedback->calls.contains("message:" + msg(MsgId::CommError)));
    verifyRestored();
    QVERIFY(m_sim->instrument()->records("#G").isEmpty());
}

QTEST_GUILESS_MAIN(TestParamSend)
#include "tst_paramsend.moc"
