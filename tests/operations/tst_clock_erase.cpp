// Clock setting and memory erase against the simulated instrument: the "#D" argument for
// each instrument language, the "OK" test, texts that are no date, and the erase.
#include "support/OperationsRig.h"

#include "common/Errors.h"
#include "common/Messages.h"
#include "operations/ClockAndErase.h"

#include <QtTest>

class TestClockErase : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void clockTextRoundTrip();
    void clockArgumentFollowsLanguage_data();
    void clockArgumentFollowsLanguage();
    void okAnywhereInReplyIsSuccess_data();
    void okAnywhereInReplyIsSuccess();
    void clockFailures();
    void notADateStopsBeforeClockCommand_data();
    void notADateStopsBeforeClockCommand();
    void eraseEmptiesMemory();
    void eraseFailuresReadAsNoAnswer();

private:
    std::unique_ptr<OperationsRig> m_rig;
};

void TestClockErase::init() {
    m_rig = std::make_unique<OperationsRig>();
}

void TestClockErase::cleanup() {
    m_rig.reset();
}

void TestClockErase::clockTextRoundTrip() {
    const QDateTime when(QDate(2015, 12, 8), QTime(13, 45, 7));
    QCOMPARE(formatClockText(when), QStringLiteral("08/12/2015 13:45:07"));
    QCOMPARE(readClockText(QStringLiteral("08/12/2015 13:45:07")), when);
    QCOMPARE(readClockText(QStringLiteral("29/02/2016 23:59:59")),
             QDateTime(QDate(2016, 2, 29), QTime(23, 59, 59)));
    // Other separators come from one place and go everywhere together.
    const DateTimeSeparators dots{u'.', u'h'};
    QCOMPARE(formatClockText(when, dots), QStringLiteral("08.12.2015 13h45h07"));
    QCOMPARE(readClockText(QStringLiteral("08.12.2015 13h45h07"), dots), when);
    QCOMPARE(clockArgument(when, QString(), dots), QStringLiteral(" 12.08.2015 13h45h07 "));
}

void TestClockErase::clockArgumentFollowsLanguage_data() {
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray base = SimInstrument::defaultIdentificationRecord().left(65);
    QTest::newRow("French") << base + 'F' << QByteArray(" 08/12/2015 13:45:00");
    QTest::newRow("English day first") << base + 'A' << QByteArray(" 08/12/2015 13:45:00");
    QTest::newRow("English month first") << base + 'C' << QByteArray(" 12/08/2015 13:45:00 ");
    QTest::newRow("unknown code") << base + 'f' << QByteArray(" 12/08/2015 13:45:00 ");
    QTest::newRow("longer record") << base + "A tail" << QByteArray(" 08/12/2015 13:45:00");
    QTest::newRow("short record") << base.left(40) << QByteArray(" 12/08/2015 13:45:00 ");
}

void TestClockErase::clockArgumentFollowsLanguage() {
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, expected);
    OperationsRig& rig = *m_rig;
    rig.sim.instrument()->setIdentificationRecord(record);

    setInstrumentClock(rig.exchange, rig.feedback,
                       [] { return QStringLiteral("08/12/2015 13:45:00"); });

    QCOMPARE(rig.sim.receivedLines(), (QList<QByteArray>{"#i", "#p", "#D" + expected}));
    QCOMPARE(rig.sim.instrument()->clockText(), expected);
    QCOMPARE(rig.feedback.informations(), QStringList{msg(MsgId::ClockDone)});
    QVERIFY(!rig.port.Connected());
}

void TestClockErase::okAnywhereInReplyIsSuccess_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("success");
    QTest::newRow("OK") << QByteArray("OK\r\n") << true;
    QTest::newRow("inside a word") << QByteArray("#d BOOKED\r\n") << true;
    QTest::newRow("lower case") << QByteArray("ok\r\n") << false;
    QTest::newRow("error reply") << QByteArray("#e 001\r\n") << false;
    QTest::newRow("OK without line end") << QByteArray("OK") << false;
}

void TestClockErase::okAnywhereInReplyIsSuccess() {
    QFETCH(QByteArray, reply);
    QFETCH(bool, success);
    OperationsRig& rig = *m_rig;
    rig.sim.instrument()->generateMemory(1, 2);

    rig.sim.scriptReply("#D", reply);
    const OperationResult clock = setInstrumentClock(
        rig.exchange, rig.feedback, [] { return QStringLiteral("01/01/2020 00:00:00"); });
    rig.sim.scriptReply("#I", reply);
    const OperationResult erase = eraseInstrumentMemory(rig.exchange, rig.feedback);

    QCOMPARE(clock.outcome, success ? Outcome::Done : Outcome::CommError);
    QCOMPARE(erase.outcome, success ? Outcome::Done : Outcome::NoAnswer);
    QCOMPARE(rig.feedback.informations(),
             (QStringList{msg(success ? MsgId::ClockDone : MsgId::CommError),
                          msg(success ? MsgId::EraseDone : MsgId::NoAnswer)}));
}

void TestClockErase::clockFailures() {
    OperationsRig& rig = *m_rig;
    auto text = [] { return QStringLiteral("01/01/2020 00:00:00"); };

    rig.sim.setSilent(true);
    setInstrumentClock(rig.exchange, rig.feedback, text);
    rig.sim.setSilent(false);
    rig.sim.scriptReply("#p", "");
    setInstrumentClock(rig.exchange, rig.feedback, text);

    QCOMPARE(rig.feedback.informations(),
             (QStringList{msg(MsgId::NoAnswer), msg(MsgId::CommError)}));
    QCOMPARE(rig.received("#D"), 0);
    QVERIFY(!rig.port.Connected());
}

void TestClockErase::notADateStopsBeforeClockCommand_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("31 February") << "31/02/2015 10:00:00";
    QTest::newRow("29 February, common year") << "29/02/2015 10:00:00";
    QTest::newRow("month 13") << "01/13/2015 10:00:00";
    QTest::newRow("hour 24") << "01/01/2015 24:00:00";
    QTest::newRow("missing digit") << "08/12/2015 1 :45:00";
    QTest::newRow("untouched mask") << "  /  /       :  :  ";
    QTest::newRow("wrong separator") << "08-12-2015 13:45:00";
    QTest::newRow("too short") << "08/12/15 13:45:00";
}

void TestClockErase::notADateStopsBeforeClockCommand() {
    QFETCH(QString, text);
    OperationsRig& rig = *m_rig;

    try {
        setInstrumentClock(rig.exchange, rig.feedback, [&] { return text; });
        QFAIL("the text was taken for a date");
    } catch (const EConvertError& e) {
        QCOMPARE(e.message(), msg(MsgId::InvalidDateTime).arg(text));
    }
    QCOMPARE(rig.sim.receivedLines(), (QList<QByteArray>{"#i", "#p"}));
    QVERIFY(rig.feedback.calls.isEmpty());
    QVERIFY(!rig.port.Connected());

    // The port is free again: the next setting goes through.
    setInstrumentClock(rig.exchange, rig.feedback,
                       [] { return QStringLiteral("08/12/2015 13:45:00"); });
    QCOMPARE(rig.feedback.informations(), QStringList{msg(MsgId::ClockDone)});
}

void TestClockErase::eraseEmptiesMemory() {
    OperationsRig& rig = *m_rig;
    rig.sim.instrument()->generateMemory(3, 5);
    bool portOpenWhileTold = false;
    rig.feedback.onInformation = [&] { portOpenWhileTold = rig.port.Connected(); };

    eraseInstrumentMemory(rig.exchange, rig.feedback);

    QVERIFY(rig.sim.instrument()->storedLines().isEmpty());
    QCOMPARE(rig.sim.receivedLines(), (QList<QByteArray>{"#i", "#I"}));
    QCOMPARE(rig.feedback.informations(), QStringList{msg(MsgId::EraseDone)});
    QVERIFY(msg(MsgId::EraseDone).contains(QStringLiteral("\r\n")));
    // The message comes first, the port is closed after it.
    QVERIFY(portOpenWhileTold);
    QVERIFY(!rig.port.Connected());
}

void TestClockErase::eraseFailuresReadAsNoAnswer() {
    OperationsRig& rig = *m_rig;
    rig.sim.instrument()->generateMemory(1, 5);

    rig.sim.setSilent(true);
    QCOMPARE(eraseInstrumentMemory(rig.exchange, rig.feedback).outcome, Outcome::NoAnswer);
    rig.sim.setSilent(false);
    rig.sim.scriptReply("#I", "");
    QCOMPARE(eraseInstrumentMemory(rig.exchange, rig.feedback).outcome, Outcome::NoAnswer);

    QCOMPARE(rig.feedback.informations(),
             (QStringList{msg(MsgId::NoAnswer), msg(MsgId::NoAnswer)}));
    QCOMPARE(rig.sim.instrument()->storedLines().size(), 6);
    QVERIFY(!rig.port.Connected());
}

QTEST_GUILESS_MAIN(TestClockErase)
#include "tst_clock_erase.moc"
