// The docking PC's ledger: its CSV and JSON forms and the file it is appended to.
#include "common/Errors.h"
#include "operations/DockingLedger.h"

#include "support/TestFiles.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QByteArray kHeader = "time,port,serialNumber,softwareVersion,filesAnnounced,fileHeaders,"
                           "measurementLines,resultFile,sha256,clockSet,memoryErased,outcome,"
                           "exitStatus,archive\r\n";

DockingRecord record(const QString& serialNumber) {
    DockingRecord r;
    r.time = QDateTime(QDate(2025, 3, 4), QTime(17, 5, 9), Qt::OffsetFromUTC, 3600);
    r.port = QStringLiteral("/dev/ttyUSB0");
    r.serialNumber = serialNumber;
    r.softwareVersion = QStringLiteral("LN 2.10 ");
    r.filesAnnounced = 2;
    r.fileHeaders = 2;
    r.measurementLines = 40;
    r.resultFile = QStringLiteral("/home/rp/docked/VEXA2503041705-A7F1.txt");
    r.sha256 = QStringLiteral("96683ca4");
    r.clockSet = true;
    r.outcome = QStringLiteral("done");
    r.archive = QStringLiteral("archived");
    return r;
}

QByteArray line(const QString& serialNumber) {
    return "2025-03-04T17:05:09+01:00,/dev/ttyUSB0," + serialNumber.toUtf8() +
           ",LN 2.10 "
           ",2,2,40,/home/rp/docked/"
           "VEXA2503041705-A7F1.txt,96683ca4,true,false,done,0,archived\r\n";
}

} // namespace

class TestDockingLedger : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fieldsAreQuoted_data();
    void fieldsAreQuoted();
    void jsonCarriesTheSameRecord();
    void headerOnceAcrossWriters();
    void tornLineStaysAlone();
    void failedAppendLeavesTheLedger();
    void onlyRegularFilesAreWritten();
};

void TestDockingLedger::fieldsAreQuoted_data() {
    QTest::addColumn<QString>("serialNumber");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("comma") << "A7,F1" << QByteArray("\"A7,F1\"");
    QTest::newRow("quote") << "A7\"F1" << QByteArray("\"A7\"\"F1\"");
    QTest::newRow("line end") << "A7\r\nF1" << QByteArray("\"A7\r\nF1\"");
    QTest::newRow("non-ASCII") << "N° µ-Sv é" << QByteArray("N\xC2\xB0 \xC2\xB5-Sv \xC3\xA9");
    QTest::newRow("formula") << "=HYPERLINK(\"x\")" << QByteArray("\"'=HYPERLINK(\"\"x\"\")\"");
    QTest::newRow("minus") << "-1+2" << QByteArray("'-1+2");
}

void TestDockingLedger::fieldsAreQuoted() {
    QFETCH(QString, serialNumber);
    QFETCH(QByteArray, field);
    QCOMPARE(dockingLedgerLine(record(serialNumber)),
             line("@").replace(",@,", QByteArray("," + field + ",")));
}

void TestDockingLedger::jsonCarriesTheSameRecord() {
    DockingRecord r = record(QStringLiteral("=A7\"F1"));
    r.filesAnnounced.reset();
    const QJsonObject json = dockingRecordJson(r);
    QCOMPARE(json.keys().size(), dockingLedgerColumns().size());
    QCOMPARE(json.value("time").toString(), "2025-03-04T17:05:09+01:00");
    QCOMPARE(json.value("serialNumber").toString(), "=A7\"F1"); // JSON escapes, no more
    QVERIFY(json.value("filesAnnounced").isNull());
    QVERIFY(!QJsonDocument(json).toJson(QJsonDocument::Compact).contains('\n'));
}

void TestDockingLedger::headerOnceAcrossWriters() {
    QTemporaryDir dir;
    const QString path = dir.filePath("ledger.csv");
    DockingLedger(path).append(record("A1"));
    DockingLedger(path).append(record("A2"));
    QCOMPARE(fileBytes(path), kHeader + line("A1") + line("A2"));
    // An empty file is new: it gets the header too.
    const QString empty = writeFileIn(dir, "empty.csv", "");
    DockingLedger(empty).append(record("A3"));
    QCOMPARE(fileBytes(empty), kHeader + line("A3"));
}

// A power cut in the middle of a line: the next record must not be glued to it.
void TestDockingLedger::tornLineStaysAlone() {
    QTemporaryDir dir;
    const QByteArray torn = kHeader + line("A1") + "2025-03-04T17:09:00+01:00,/dev/tty";
    const QString path = writeFileIn(dir, "ledger.csv", torn);
    DockingLedger(path).append(record("A2"));
    QCOMPARE(fileBytes(path), torn + "\r\n" + line("A2"));
}

void TestDockingLedger::failedAppendLeavesTheLedger() {
    QTemporaryDir dir;
    const QByteArray before = kHeader + line("A1");
    const QString path = writeFileIn(dir, "ledger.csv", before);
    {
        // The disk fills up in the middle of the line.
        FileSizeLimit full(rlim_t(before.size() + 20));
        QVERIFY(full.active());
        QVERIFY_THROWS_EXCEPTION(EFileError, DockingLedger(path).append(record("A2")));
    }
    QCOMPARE(fileBytes(path), before);
}

void TestDockingLedger::onlyRegularFilesAreWritten() {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.csv");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    const QString target = writeFileIn(dir, "elsewhere.txt", "kept");
    const QString planted = dir.filePath("planted.csv");
    QVERIFY(QFile::link(target, planted));
    for (const QString& path : {fifo, planted, dir.path()}) {
        try {
            DockingLedger(path).append(record("A1")); // a FIFO would block here for good
            QFAIL(qPrintable(path + " was written"));
        } catch (const EFileError& e) {
            QCOMPARE(e.message(), "Le journal " + path +
                                      " n'est pas un fichier ordinaire ; rien n'y est écrit.");
        }
    }
    QCOMPARE(fileBytes(target), QByteArray("kept"));
}

QTEST_GUILESS_MAIN(TestDockingLedger)
#include "tst_docking_ledger.moc"
