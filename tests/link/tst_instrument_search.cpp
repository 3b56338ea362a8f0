// The search for the instrument over several real pseudo-terminals.
#include "link/CommandExchange.h"
#include "link/InstrumentSearch.h"
#include "link/TComPort.h"
#include "support/PtyPeer.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QtTest>

namespace {

const QByteArray kIdentLine =
    "#i Vexameter gamma VX-2|---|PN000123|---|LN 2.10 |---|DN000042|---|SN0000000000A7F1|---| PM "
    "R6095 / NaI \r\n";

PortLister listOf(const QStringList& names) {
    return [names](QStringList& list) { list = names; };
}

} // namespace

class TestInstrumentSearch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstAnsweringPortWinsInListOrder();
    void portsThatCannotOpenAreSkipped();
    void portThatHangsUpIsSkipped();
    void nothingAnswers();
    void defaultListComesFromTheSystem();
};

void TestInstrumentSearch::firstAnsweringPortWinsInListOrder() {
    PtyPeer silent;
    PtyPeer instrument;
    PtyPeer after;
    instrument.answerEveryLine(kIdentLine);
    after.answerEveryLine(kIdentLine);

    TComPort port;
    CommandExchange exchange(port);
    QElapsedTimer clock;
    clock.start();
    const int result = ChercheSonde(
        exchange, listOf({silent.portPath(), instrument.portPath(), after.portPath()}));
    const qint64 elapsed = clock.elapsed();

    QCOMPARE(result, 0);
    QCOMPARE(port.Port(), instrument.portPath());
    QVERIFY(!port.Connected());
    QCOMPARE(silent.received(), QByteArray("#i\r\n"));
    QCOMPARE(instrument.received(), QByteArray("#i\r\n"));
    QVERIFY2(after.received().isEmpty(), "a port after the one that answered is never tried");
    QVERIFY2(elapsed >= 1950 && elapsed < 2800, "one silent port costs one time-out");
    // The identification line is left for the identity display.
    QCOMPARE(InstrumentIdentity::fromReply(exchange.ReplyBuffer).serialNumber,
             QStringLiteral("SN0000000000A7F1"));

    // The port closed by the search is free for everyone.
    QSerialPort other(instrument.portPath());
    QVERIFY(other.open(QIODevice::ReadWrite));
}

void TestInstrumentSearch::portsThatCannotOpenAreSkipped() {
    PtyPeer held;
    held.answerEveryLine(kIdentLine);
    QSerialPort holder(held.portPath());
    QVERIFY(holder.open(QIODevice::ReadWrite));
    PtyPeer instrument;
    instrument.answerEveryLine(kIdentLine);

    TComPort port;
    CommandExchange exchange(port);
    QElapsedTimer clock;
    clock.start();
    // The name as a registry could give it, with a NUL and rubbish after it.
    const QString withNul = instrument.portPath() + QChar(u'\0') + QStringLiteral("junk");
    const int result = ChercheSonde(
        exchange, listOf({QStringLiteral("/dev/vexa-no-such-tty"), held.portPath(), withNul}));

    QCOMPARE(result, 0);
    QCOMPARE(port.Port(), instrument.portPath());
    QVERIFY(!port.Connected());
    QVERIFY(held.received().isEmpty());
    QVERIFY2(clock.elapsed() < 1000, "a port that cannot open costs no time-out");
}

void TestInstrumentSearch::portThatHangsUpIsSkipped() {
    PtyPeer unplugged;
    unplugged.onLine = [&unplugged](const QByteArray&) { unplugged.hangUp(); };
    PtyPeer instrument;
    instrument.answerEveryLine(kIdentLine);

    TComPort port;
    CommandExchange exchange(port);
    const int result =
        ChercheSonde(exchange, listOf({unplugged.portPath(), instrument.portPath()}));

    QCOMPARE(result, 0);
    QCOMPARE(port.Port(), instrument.portPath());
    QVERIFY(!port.Connected());
}

void TestInstrumentSearch::nothingAnswers() {
    TComPort port;
    CommandExchange exchange(port);
    QCOMPARE(ChercheSonde(exchange, listOf({})), -1);
    QCOMPARE(port.Port(), QStringLiteral("COM24"));

    QCOMPARE(ChercheSonde(exchange, listOf({QStringLiteral("/dev/vexa-no-such-tty")})), -1);
    QCOMPARE(port.Port(), QStringLiteral("/dev/vexa-no-such-tty"));
    QVERIFY(!port.Connected());
}

void TestInstrumentSearch::defaultListComesFromTheSystem() {
    PtyPeer instrument;
    instrument.answerEveryLine(kIdentLine);
    qputenv("VEXA_EXTRA_PORTS", instrument.portPath().toLocal8Bit());

    TComPort port;
    CommandExchange exchange(port);
    const int result = ChercheSonde(exchange);
    qunsetenv("VEXA_EXTRA_PORTS");

    QCOMPARE(result, 0);
    QCOMPARE(port.Port(), instrument.portPath());
}

QTEST_GUILESS_MAIN(TestInstrumentSearch)
#include "tst_instrument_search.moc"
