// Pure pieces of the link: error messages, the identification line, the port list.
#include "link/EComPort.h"
#include "link/InstrumentSearch.h"
#include "link/TComPort.h"

#include <QtTest>

class TestLinkUnits : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void errorMessages_data();
    void errorMessages();
    void identityFields_data();
    void identityFields();
    void portListOrder();
};

void TestLinkUnits::errorMessages_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<qint64>("winCode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<qint64>("keptWinCode");

    QTest::newRow("open, system number")
        << 1 << qint64(13) << "Unable to open com port (Error: 13)" << qint64(13);
    QTest::newRow("read, no number") << 3 << qint64(-1) << "ReadFile function failed" << qint64(-1);
    QTest::newRow("zero is no number")
        << 5 << qint64(0) << "PurgeComm function failed" << qint64(-1);
    QTest::newRow("large number") << 2 << qint64(4294967295LL)
                                  << "WriteFile function failed (Error: 4294967295)"
                                  << qint64(4294967295LL);
    QTest::newRow("led text") << 19 << qint64(-1)
                              << "Cannot change led state if ComPort is selected" << qint64(-1);
    QTest::newRow("last") << 24 << qint64(-1) << "Port Not Open" << qint64(-1);
}

void TestLinkUnits::errorMessages() {
    QFETCH(int, code);
    QFETCH(qint64, winCode);
    QFETCH(QString, message);
    QFETCH(qint64, keptWinCode);

    const EComPort e(code, winCode);
    QCOMPARE(e.Code(), code);
    QCOMPARE(e.WinCode(), keptWinCode);
    QCOMPARE(e.message(), message);
    QCOMPARE(QString::fromUtf8(e.what()), message);
    QCOMPARE(EComPort::CreateNoWinCode(code).message(), EComPort::baseMessage(code));
}

void TestLinkUnits::identityFields_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("fields");

    // Three characters before the first field, five between the others.
    const QString full = QStringLiteral("#i ") + QStringLiteral("Vexameter gamma VX-2") +
                         QStringLiteral("|---|") + QStringLiteral("PN000123") +
                         QStringLiteral("|---|") + QStringLiteral("LN 2.10 ") +
                         QStringLiteral("|---|") + QStringLiteral("DN000042") +
                         QStringLiteral("|---|") + QStringLiteral("SN0000000000A7F1") +
                         QStringLiteral("|---|") + QStringLiteral(" PM R6095 / NaI ");
    Q_ASSERT(full.size() == 104);

    QTest::newRow("exactly 104 characters and CR LF")
        << full + QStringLiteral("\r\n")
        << QStringList{"Vexameter gamma VX-2", "PN000123",        "LN 2.10 ", "DN000042",
                       "SN0000000000A7F1",     " PM R6095 / NaI "};
    QTest::newRow("line end inside the serial number")
        << full.left(75) + QStringLiteral("\r\n")
        << QStringList{"Vexameter gamma VX-2", "PN000123", "LN 2.10 ", "DN000042",
                       "SN000000\r\n",         ""};
    QTest::newRow("echo of the command")
        << QStringLiteral("#i\r\n") << QStringList{"\n", "", "", "", "", ""};
    QTest::newRow("nothing") << QString() << QStringList{"", "", "", "", "", ""};
}

void TestLinkUnits::identityFields() {
    QFETCH(QString, reply);
    QFETCH(QStringList, fields);
    const InstrumentIdentity id = InstrumentIdentity::fromReply(reply);
    QCOMPARE(id.description, fields[0]);
    QCOMPARE(id.productReference, fields[1]);
    QCOMPARE(id.softwareVersion, fields[2]);
    QCOMPARE(id.parameterFile, fields[3]);
    QCOMPARE(id.serialNumber, fields[4]);
    QCOMPARE(id.pmReference, fields[5]);
}

void TestLinkUnits::portListOrder() {
    qputenv("VEXA_EXTRA_PORTS", "/tmp/vexa/COM2::/tmp/vexa/COM10:/tmp/vexa/com1:/tmp/vexa/COM2:");
    QStringList ports{QStringLiteral("left over")};
    ListComPorts(ports);
    qunsetenv("VEXA_EXTRA_PORTS");

    QVERIFY(!ports.contains(QStringLiteral("left over")));
    QVERIFY(!ports.contains(QString()));
    QCOMPARE(ports.count(QStringLiteral("/tmp/vexa/COM2")), 1);
    const qsizetype com1 = ports.indexOf(QStringLiteral("/tmp/vexa/com1"));
    const qsizetype com10 = ports.indexOf(QStringLiteral("/tmp/vexa/COM10"));
    const qsizetype com2 = ports.indexOf(QStringLiteral("/tmp/vexa/COM2"));
    QVERIFY(com1 >= 0 && com1 < com10 && com10 < com2);
    // The ports the system lists are sorted in with them.
    for (qsizetype i = 1; i < ports.size(); ++i)
        QVERIFY2(QString::compare(ports[i - 1], ports[i], Qt::CaseInsensitive) <= 0,
                 qPrintable(ports[i - 1] + " / " + ports[i]));

    QStringList none;
    ListComPorts(none);
    QVERIFY(!none.contains(QStringLiteral("/tmp/vexa/COM2")));
}

QTEST_GUILESS_MAIN(TestLinkUnits)
#include "tst_link_units.moc"
