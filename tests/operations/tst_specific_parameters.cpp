// The instrument's specific parameters: reading "#k", writing "#K ", and .par files.
#include "support/OperationsRig.h"

#include "common/Errors.h"
#include "common/Messages.h"
#include "operations/SpecificParameters.h"

#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A "#k" reply from its fields, each blank-filled to its width.
QByteArray specificLine(const QByteArray& serial, const QByteArray& pm, const QByteArray& tail) {
    return "#k " + serial.leftJustified(20) + ' ' + pm.leftJustified(20) + ' ' + tail;
}

// "[VEXA Paramètres spécifiques]" as the program writes it, in Windows-1252.
const QByteArray kSectionLine = "[VEXA Param\xE8tres sp\xE9"
                                "cifiques]";

} // namespace

class TestSpecificParameters : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void readFillsFieldsFromPositions();
    void shortReplyClearsFields();
    void errorReplies_data();
    void errorReplies();
    void noAnswerAndSilentRead();
    void unreadableNumbersRaiseAndClosePort_data();
    void unreadableNumbersRaiseAndClosePort();

    void writeLineIsByteExact();
    void longFieldsPushLaterOnes();
    void writeFailures();

    void parRoundTrip();
    void parRefusedWhenKeyMissingOrUnknown_data();
    void parRefusedWhenKeyMissingOrUnknown();
    void parEmptyValuesAccepted();
    void parSaveKeepsOtherSections();

private:
    std::unique_ptr<OperationsRig> m_rig;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSpecificParameters::init() {
    m_rig = std::make_unique<OperationsRig>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSpecificParameters::cleanup() {
    m_rig.reset();
    m_dir.reset();
}

void TestSpecificParameters::readFillsFieldsFromPositions() {
    OperationsRig& rig = *m_rig;
    InstrumentSimulator::SpecificParameters values;
    values.serialNumber = QStringLiteral("VX0123");
    values.pmReference = QStringLiteral("045/112");
    values.highVoltage = 800;
    values.contrast = 12;
    values.maintenance = true;
    rig.sim.instrument()->setSpecificParameters(values);

    const SpecificReading reading = readSpecificParameters(rig.exchange);

    QCOMPARE(reading.result.outcome, Outcome::Done);
    QVERIFY(reading.values.has_value());
    // The prefixes go, the blank filling stays.
    QCOMPARE(reading.values->serialNumber, QStringLiteral("VX0123") + QString(10, u' '));
    QCOMPARE(reading.values->pmReference, QStringLiteral("045/112") + QString(9, u' '));
    QCOMPARE(reading.values->highVoltage, QStringLiteral("0800"));
    QCOMPARE(reading.values->contrast, QStringLiteral("0012"));
    QVERIFY(reading.values->maintenance);
    QCOMPARE(rig.sim.receivedLines(), (QList<QByteArray>{"#i", "#k"}));
    QVERIFY(!rig.port.Connected());

    // Any digit but 0 sets the box; "SN: " is removed wherever it stands in the field.
    rig.sim.instrument()->setSpecificLine(specificLine("SN: AB SN: CD", "PM: 1", "0100 0200 7"));
    const SpecificReading second = readSpecificParameters(rig.exchange);
    QCOMPARE(second.values->serialNumber, QStringLiteral("AB CD       "));
    QCOMPARE(second.values->pmReference, QStringLiteral("1") + QString(15, u' '));
    QVERIFY(second.values->maintenance);
    rig.sim.instrument()->setSpecificLine(specificLine("SN: 1", "PM: 1", "0100 0200 0"));
    QVERIFY(!readSpecificParameters(rig.exchange).values->maintenance);
}

void TestSpecificParameters::shortReplyClearsFields() {
    OperationsRig& rig = *m_rig;
    // 53 characters and CR LF: one short of the line.
    const QByteArray line = specificLine("SN: 1", "PM: 1", "0100 020");
    QCOMPARE(line.size() + 2, 55);
    rig.sim.instrument()->setSpecificLine(line);
    const SpecificReading reading = readSpecificParameters(rig.exchange);
    QCOMPARE(reading.result.outcome, Outcome::Done);
    QCOMPARE(reading.values, std::optional<SpecificParameters>(SpecificParameters{}));
}

void TestSpecificParameters::errorReplies_data() {
    QTest::addColumn<int>("number");
    QTest::newRow("error 0 reads as success") << 0;
    QTest::newRow("error 12") << 12;
    QTest::newRow("error 999") << 999;
}

void TestSpecificParameters::errorReplies() {
    QFETCH(int, number);
    OperationsRig& rig = *m_rig;
    rig.sim.setErrorReply("#k", number);
    const SpecificReading reading = readSpecificParameters(rig.exchange);
    QCOMPARE(reading.result.outcome, number == 0 ? Outcome::Done : Outcome::InstrumentError);
    QCOMPARE(reading.result.instrumentError, number);
    QCOMPARE(LectureHeader(reading.result), number);
    // The fields stay as they were, also for error 0.
    QVERIFY(!reading.values.has_value());
    QVERIFY(!rig.port.Connected());
}

void TestSpecificParameters::noAnswerAndSilentRead() {
    OperationsRig& rig = *m_rig;
    rig.sim.setSilent(true);
    const OperationResult silent = readSpecificParameters(rig.exchange).result;
    QCOMPARE(silent.outcome, Outcome::NoAnswer);
    QCOMPARE(LectureHeader(silent), kSpecificNoAnswer);
    rig.sim.setSilent(false);
    rig.sim.scriptReply("#k", "#k SN: 1 ");
    const SpecificReading reading = readSpecificParameters(rig.exchange);
    QCOMPARE(reading.result.outcome, Outcome::CommError);
    QCOMPARE(LectureHeader(reading.result), kSpecificTimedOut);
    QVERIFY(!reading.values.has_value());
    QVERIFY(!rig.port.Connected());
}

void TestSpecificParameters::unreadableNumbersRaiseAndClosePort_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("text");
    QTest::newRow("error number") << QByteArray("#e x1\r\n") << "x1\r";
    QTest::newRow("maintenance character")
        << specificLine("SN: 1", "PM: 1", "0100 0200 Y\r\n") << "Y";
}

void TestSpecificParameters::unreadableNumbersRaiseAndClosePort() {
    QFETCH(QByteArray, reply);
    QFETCH(QString, text);
    OperationsRig& rig = *m_rig;
    rig.sim.scriptReply("#k", reply);
    try {
        readSpecificParameters(rig.exchange);
        QFAIL("no conversion error");
    } catch (const EConvertError& e) {
        QCOMPARE(e.message(), msg(MsgId::InvalidInteger).arg(text));
    }
    QVERIFY(!rig.port.Connected());
    // Nothing is left held: the next reading works.
    QCOMPARE(readSpecificParameters(rig.exchange).result.outcome, Outcome::Done);
}

void TestSpecificParameters::writeLineIsByteExact() {
    OperationsRig& rig = *m_rig;
    const SpecificParameters values{QStringLiteral("123"), QStringLiteral("045/112"),
                                    QStringLiteral("800"), QStringLiteral("512"), true};
    bool portOpenWhileTold = false;
    rig.feedback.onInformation = [&] { portOpenWhileTold = rig.port.Connected(); };

    writeSpecificParameters(rig.exchange, rig.feedback, values);

    const QByteArray expected =
        "#K SN: 123" + QByteArray(13, ' ') + " PM: 045/112" + QByteArray(9, ' ') + " 0800 0512 1";
    QCOMPARE(expected.size(), 56);
    QCOMPARE(rig.sim.receivedLines(), (QList<QByteArray>{"#i", expected}));
    QCOMPARE(rig.sim.transcript().last().raw, expected + "\r\n");
    QCOMPARE(rig.feedback.informations(), QStringList{msg(MsgId::SpecificWriteDone)});
    QVERIFY(portOpenWhileTold);
    QVERIFY(!rig.port.Connected());

    // What was written reads back the same (the number with its blank filling).
    const SpecificReading back = readSpecificParameters(rig.exchange);
    QCOMPARE(back.values->serialNumber.trimmed(), values.serialNumber);
    QCOMPARE(composeSpecificCommand(*back.values).toLatin1(), expected);
}

void TestSpecificParameters::longFieldsPushLaterOnes() {
    const SpecificParameters values{QStringLiteral("ABCDEFGHIJKLMNOPQR"), QString(), QString(),
                                    QStringLiteral("12345"), false};
    const QString line = composeSpecificCommand(values);
    QCOMPARE(line, QStringLiteral("#K SN: ABCDEFGHIJKLMNOPQR PM: ") + QString(16, u' ') +
                       QStringLiteral(" 0000 12345 0"));
}

void TestSpecificParameters::writeFailures() {
    OperationsRig& rig = *m_rig;
    const SpecificParameters values{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                    QStringLiteral("4"), false};
    rig.sim.setSilent(true);
    writeSpecificParameters(rig.exchange, rig.feedback, values);
    rig.sim.setSilent(false);
    rig.sim.scriptReply("#K", "#e 001\r\n");
    writeSpecificParameters(rig.exchange, rig.feedback, values);
    rig.sim.scriptReply("#K", "");
    writeSpecificParameters(rig.exchange, rig.feedback, values);

    QCOMPARE(rig.feedback.informations(),
             (QStringList{msg(MsgId::NoAnswer), msg(MsgId::CommError), msg(MsgId::CommError)}));
    QVERIFY(!rig.port.Connected());
}

void TestSpecificParameters::parRoundTrip() {
    const QString path = m_dir->filePath(QStringLiteral("instrument.par"));
    const SpecificParameters values{QStringLiteral("VX0123          "), QStringLiteral("045/112"),
                                    QStringLiteral("0800"), QStringLiteral("512"), true};
    saveSpecificParameterFile(path, values);

    QCOMPARE(fileBytes(path), kSectionLine + "\r\nSN=VX0123          \r\nPM=045/112\r\n"
                                             "PWM=0800\r\nCONTR=512\r\n");
    const auto loaded = loadSpecificParameterFile(path);
    QVERIFY(loaded.has_value());
    // Trailing blanks do not survive the file; the box is never stored.
    const SpecificParameters expected{QStringLiteral("VX0123"), QStringLiteral("045/112"),
                                      QStringLiteral("0800"), QStringLiteral("512"), false};
    QCOMPARE(*loaded, expected);

    // Saving again replaces the values in place.
    saveSpecificParameterFile(path, {QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
                                     QStringLiteral("10"), false});
    QCOMPARE(fileBytes(path), kSectionLine + "\r\nSN=7\r\nPM=8\r\nPWM=9\r\nCONTR=10\r\n");
}

void TestSpecificParameters::parRefusedWhenKeyMissingOrUnknown_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("no CONTR") << kSectionLine + "\r\nSN=1\r\nPM=2\r\nPWM=3\r\n";
    QTest::newRow("inconnu") << kSectionLine + "\r\nSN=1\r\nPM=inconnu\r\nPWM=3\r\nCONTR=4\r\n";
    QTest::newRow("keys in another section")
        << QByteArray("[Autre]\r\nSN=1\r\nPM=2\r\nPWM=3\r\nCONTR=4\r\n");
}

void TestSpecificParameters::parRefusedWhenKeyMissingOrUnknown() {
    QFETCH(QByteArray, content);
    const QString path = m_dir->filePath(QStringLiteral("bad.par"));
    QVERIFY(writeFileBytes(path, content));
    QVERIFY(!loadSpecificParameterFile(path).has_value());
}

void TestSpecificParameters::parEmptyValuesAccepted() {
    const QString path = m_dir->filePath(QStringLiteral("empty.par"));
    // Names in another case, blanks around the values: read the way Windows reads them.
    QVERIFY(writeFileBytes(path, "[vexa param\xE8tres sp\xE9"
                                 "cifiques]\r\nsn =\r\nPM=  \r\n"
                                 "pwm= 12345 \r\nContr=Inconnu\r\n"));
    const auto loaded = loadSpecificParameterFile(path);
    QVERIFY(loaded.has_value());
    QCOMPARE(*loaded, (SpecificParameters{QString(), QString(), QStringLiteral("12345"),
                                          QStringLiteral("Inconnu"), false}));
}

void TestSpecificParameters::parSaveKeepsOtherSections() {
    const QString path = m_dir->filePath(QStringLiteral("shared.par"));
    QVERIFY(writeFileBytes(path, "; notes\r\n[Autre]\r\nSN=keep\r\n" + kSectionLine +
                                     "\r\nPM=old\r\nExtra=1\r\n[Fin]\r\nX=2\r\n"));
    saveSpecificParameterFile(path, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                                     QStringLiteral("D"), true});
    QCOMPARE(fileBytes(path), "; notes\r\n[Autre]\r\nSN=keep\r\n" + kSectionLine +
                                  "\r\nPM=B\r\nExtra=1\r\nSN=A\r\nPWM=C\r\nCONTR=D\r\n[Fin]\r\n"
                                  "X=2\r\n");
}

QTEST_GUILESS_MAIN(TestSpecificParameters)
#include "tst_specific_parameters.moc"
