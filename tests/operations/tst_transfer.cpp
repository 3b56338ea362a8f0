// The measurement transfer against the simulated instrument: what is asked, what the
// operator is told, and the exact bytes of the result file.
#include "support/OperationsRig.h"

#include "common/Errors.h"
#include "common/Messages.h"
#include "operations/MeasurementTransfer.h"
#include "support/CpuMeter.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray crlfLines(const QList<QByteArray>& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// A "#T" reply whose characters 24 to 28 are `count`.
QByteArray summaryWithCount(const QByteArray& count) {
    return "#T Fichiers en memoire " + count + " Lignes 000010";
}

// Records what reached the memo, to compare with the file.
class RecordingView : public TransferView {
public:
    QStringList lines;
    int clears = 0;
    void clearLines() override {
        ++clears;
        lines.clear();
    }
    void appendLine(const QString& line) override { lines.append(line); }
};

} // namespace

Q_DECLARE_METATYPE(Outcome)

class TestTransfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void proposedName_data();
    void proposedName();

    void fullMemoryGivesExactFile();
    void storedFileCount_data();
    void storedFileCount();
    void markersDriveCountersAndEnd();
    void twoLinesInOneReplyAreOneLine();
    void silentRecordIsAskedAgain();
    void instrumentFallingSilentEndsTransfer();
    void summaryTimeOutWritesWhatCame();
    void noAnswerLeavesEverythingAsItWas();
    void earlierFileKeptWhenNothingNew_data();
    void earlierFileKeptWhenNothingNew();
    void fileHeaderAloneKeepsEarlierFile();
    void unplugMidTransferKeepsLines();
    void failedWriteKeepsEarlierFileAndRestoresWindow();

private:
    // The result and the lines of one transfer.
    TransferResult run(TransferView* view = nullptr);

    std::unique_ptr<OperationsRig> m_rig;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestTransfer::init() {
    m_rig = std::make_unique<OperationsRig>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("VEXA1503071405.txt"));
}

void TestTransfer::cleanup() {
    m_rig.reset();
    m_dir.reset();
}

TransferResult TestTransfer::run(TransferView* view) {
    return MeasurementTransfer(m_rig->exchange, m_rig->feedback, view).Run(m_path);
}

void TestTransfer::proposedName_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("separator added") << "/data/Mesures"
                                     << "/data/Mesures/VEXA1503071405.txt";
    QTest::newRow("separator kept") << "/data/Mesures/"
                                    << "/data/Mesures/VEXA1503071405.txt";
}

void TestTransfer::proposedName() {
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    const QDateTime at(QDate(2015, 3, 7), QTime(14, 5, 59));
    QCOMPARE(proposedResultFileName(folder, at), QDir::toNativeSeparators(expected));
    // Afternoon hours are written 00-23; a later minute is a later name.
    QCOMPARE(proposedResultFileName(folder, QDateTime(QDate(2009, 12, 31), QTime(23, 59))),
             QDir::toNativeSeparators(QFileInfo(expected).path() + "/VEXA0912312359.txt"));
}

void TestTransfer::fullMemoryGivesExactFile() {
    OperationsRig& rig = *m_rig;
    QList<QByteArray> memory = SimInstrument::generatedMemory(3, 2, true);
    // A degree sign and an accent: the file keeps the instrument's Windows-1252 bytes.
    memory[0] += " 12\xB0 d\xE9"
                 "but";
    rig.sim.instrument()->setStoredLines(memory);
    RecordingView view;

    const TransferResult result = run(&view);

    QCOMPARE(result.outcome, Outcome::Done);
    QList<QByteArray> expected{rig.sim.instrument()->identityLine(),
                               rig.sim.instrument()->summaryLine()};
    expected += memory;
    QCOMPARE(fileBytes(m_path), crlfLines(expected));
    QCOMPARE(view.lines, result.lines);
    QCOMPARE(view.clears, 1);
    // Only "#R" and "#G" lines are measurements; "#L" lines are counted apart.
    QCOMPARE(result.measurementLines, 12);
    QCOMPARE(result.fileHeaderLines, 3);

    QList<QByteArray> asked{"#i", "#i", "#T"};
    for (int i = 0; i <= memory.size(); ++i)
        asked.append("#OK");
    QCOMPARE(rig.sim.receivedLines(), asked);

    // The window is held for the whole transfer and given back before the message.
    const QStringList& calls = rig.feedback.calls;
    QCOMPARE(calls.first(), QStringLiteral("enabled:0"));
    QCOMPARE(calls.mid(calls.size() - 3),
             (QStringList{"enabled:1", "hide", "info:" + msg(MsgId::ReadDone)}));
    const QStringList status = rig.feedback.statusTexts();
    QCOMPARE(status.first(), msg(MsgId::ReadingStatus));
    QCOMPARE(status.at(1), QStringLiteral("Lecture en cours, fichier 1/3, Mesure n°1"));
    // File 2 after its "#R", "#G", "#R", "#G" lines; then past the count after the last "#L".
    QVERIFY(status.contains(QStringLiteral("Lecture en cours, fichier 2/3, Mesure n°5")));
    QCOMPARE(status.last(), QStringLiteral("Lecture en cours, fichier 4/3, Mesure n°1"));
    QVERIFY(!rig.port.Connected());
}

void TestTransfer::storedFileCount_data() {
    QTest::addColumn<QByteArray>("summary");
    QTest::addColumn<bool>("readable");
    QTest::newRow("leading blanks") << summaryWithCount("    3") << true;
    QTest::newRow("leading zeros") << summaryWithCount("00003") << true;
    QTest::newRow("trailing blanks") << summaryWithCount("3    ") << false;
    QTest::newRow("all blank") << summaryWithCount("     ") << false;
    QTest::newRow("not digits") << summaryWithCount("0000x") << false;
    QTest::newRow("short reply") << QByteArray("#T Fichiers en memoire") << false;
}

void TestTransfer::storedFileCount() {
    QFETCH(QByteArray, summary);
    QFETCH(bool, readable);
    OperationsRig& rig = *m_rig;
    rig.sim.instrument()->generateMemory(3, 1);
    rig.sim.instrument()->setSummaryLine(summary);

    const TransferResult result = run();

    if (readable) {
        QCOMPARE(result.outcome, Outcome::Done);
        QCOMPARE(result.lines.size(), 2 + 6);
        QVERIFY(rig.feedback.statusTexts().contains(
            QStringLiteral("Lecture en cours, fichier 2/3, Mesure n°1")));
    } else {
        QCOMPARE(result.outcome, Outcome::ReadError);
        QCOMPARE(rig.received("#OK"), 0);
        QCOMPARE(fileBytes(m_path), crlfLines({rig.sim.instrument()->identityLine(), summary}));
    }
}

void TestTransfer::markersDriveCountersAndEnd() {
    OperationsRig& rig = *m_rig;
    // "#R" and "#L" together: one more measurement, then a new file from measurement 1.
    // A "#F" anywhere ends the transfer and is not stored; nothing after it is asked for.
    rig.sim.instrument()->setStoredLines({"#R 1 #L", "#G 2", "plain", "12 #F 34 #R", "#R never"});
    rig.sim.instrument()->setSummaryLine(summaryWithCount("00001"));

    const TransferResult result = run();

    QCOMPARE(result.outcome, Outcome::Done);
    QCOMPARE(result.lines.mid(2), (QStringList{"#R 1 #L", "#G 2", "plain"}));
    QCOMPARE(rig.received("#OK"), 4);
    QCOMPARE(rig.feedback.statusTexts().mid(1),
             (QStringList{"Lecture en cours, fichier 1/1, Mesure n°1",
                          "Lecture en cours, fichier 2/1, Mesure n°1",
                          "Lecture en cours, fichier 2/1, Mesure n°2",
                          "Lecture en cours, fichier 2/1, Mesure n°2"}));
}

void TestTransfer::twoLinesInOneReplyAreOneLine() {
    OperationsRig& rig = *m_rig;
    rig.sim.instrument()->setStoredLines({"#R 2"});
    rig.sim.scriptReply("#OK", "#R 1\r\n#L 1\r\n");

    const TransferResult result = run();

    QCOMPARE(result.outcome, Outcome::Done);
    QCOMPARE(result.lines.mid(2), (QStringList{"#R 1#L 1", "#R 2"}));
    // Both markers were seen: the next status is a new file.
    QVERIFY(rig.feedback.statusTexts().contains(
        QStringLiteral("Lecture en cours, fichier 2/1, Mesure n°1")));
}

void TestTransfer::silentRecordIsAskedAgain() {
    OperationsRig& rig = *m_rig;
    rig.sim.instrument()->setStoredLines({"#R 2"});
    rig.sim.scriptReply("#OK", "#R 1\r\n");
    for (int i = 0; i < MeasurementTransfer::MaxRetriedTimeouts; ++i)
        rig.sim.scriptReply("#OK", "");

    const TransferResult result = run();

    QCOMPARE(result.outcome, Outcome::Done);
    QCOMPARE(result.lines.mid(2), (QStringList{"#R 1", "#R 2"}));
    QCOMPARE(rig.received("#OK"), 1 + MeasurementTransfer::MaxRetriedTimeouts + 2);
    // The silent passes repeat the same status text.
    QCOMPARE(rig.feedback.statusTexts().count(QStringLiteral("Lecture en cours, fichier 1/1, "
                                                             "Mesure n°2")),
             1 + MeasurementTransfer::MaxRetriedTimeouts);
}

void TestTransfer::instrumentFallingSilentEndsTransfer() {
    OperationsRig& rig = *m_rig;
    rig.sim.instrument()->setStoredLines({"#R 2"});
    rig.sim.scriptReply("#OK", "#R 1\r\n");
    for (int i = 0; i <= MeasurementTransfer::MaxRetriedTimeouts; ++i)
        rig.sim.scriptReply("#OK", "");

    const TransferResult result = run();

    QCOMPARE(result.outcome, Outcome::CommError);
    QCOMPARE(rig.received("#OK"), 1 + MeasurementTransfer::MaxRetriedTimeouts + 1);
    QCOMPARE(fileBytes(m_path), crlfLines({rig.sim.instrument()->identityLine(),
                                           rig.sim.instrument()->summaryLine(), "#R 1"}));
}

void TestTransfer::summaryTimeOutWritesWhatCame() {
    OperationsRig& rig = *m_rig;
    rig.sim.instrument()->generateMemory(1, 1);
    rig.sim.scriptReply("#T", "#T Fich");

    const TransferResult result = run();

    QCOMPARE(result.outcome, Outcome::CommError);
    QCOMPARE(rig.received("#OK"), 0);
    QCOMPARE(fileBytes(m_path), crlfLines({rig.sim.instrument()->identityLine(), "#T Fich"}));
}

void TestTransfer::noAnswerLeavesEverythingAsItWas() {
    OperationsRig& rig = *m_rig;
    rig.sim.setSilent(true);
    RecordingView view;

    const TransferResult result = run(&view);

    QCOMPARE(result.outcome, Outcome::NoAnswer);
    QCOMPARE(view.clears, 0);
    QVERIFY(!QFile::exists(m_path));
    QCOMPARE(rig.sim.receivedLines(), QList<QByteArray>{"#i"});
    QCOMPARE(rig.feedback.calls,
             (QStringList{"enabled:0", "status:" + msg(MsgId::ReadingStatus), "show", "enabled:1",
                          "hide", "info:" + msg(MsgId::NoAnswer)}));
    QVERIFY(!rig.port.Connected());
}

void TestTransfer::earlierFileKeptWhenNothingNew_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<Outcome>("outcome");
    QTest::newRow("count 0") << 0 << Outcome::EmptyMemory;
    QTest::newRow("count unreadable") << 1 << Outcome::ReadError;
    QTest::newRow("summary silent") << 2 << Outcome::CommError;
    QTest::newRow("memory ends at once") << 3 << Outcome::Done;
}

void TestTransfer::earlierFileKeptWhenNothingNew() {
    QFETCH(int, fault);
    QFETCH(Outcome, outcome);
    OperationsRig& rig = *m_rig;
    const QByteArray earlier = crlfLines({"#i earlier", "#T earlier", "#R measured before"});
    QVERIFY(writeFileBytes(m_path, earlier));
    switch (fault) {
    case 0:
        rig.sim.instrument()->setStoredLines({});
        break;
    case 1:
        rig.sim.instrument()->setSummaryLine(summaryWithCount("three"));
        break;
    case 2:
        rig.sim.scriptReply("#T", "");
        break;
    default:
        // A count that promises files while the memory is empty.
        rig.sim.instrument()->setSummaryLine(summaryWithCount("00002"));
        rig.sim.instrument()->setStoredLines({});
        break;
    }

    const TransferResult result = run();

    // The operator learns that the earlier results are still there.
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.keptFile, m_path);
    QCOMPARE(m_rig->feedback.calls.last(),
             "info:" + outcomeMessage(resultOf(Operation::Transfer, outcome)) + "\r\n" +
                 msg(MsgId::EarlierFileKept).arg(m_path));
    QVERIFY(!result.fileWritten());
    QCOMPARE(fileBytes(m_path), earlier);

    // Without an earlier file the same transfer writes what it got.
    QVERIFY(QFile::remove(m_path));
    if (fault == 2)
        rig.sim.scriptReply("#T", "");
    QCOMPARE(run().outcome, outcome);
    QVERIFY(
        fileBytes(m_path).startsWith(QByteArray(rig.sim.instrument()->identityLine() + "\r\n")));
}

void TestTransfer::fileHeaderAloneKeepsEarlierFile() {
    OperationsRig& rig = *m_rig;
    const QByteArray earlier = crlfLines({"#i earlier", "#T earlier", "#R measured before"});
    QVERIFY(writeFileBytes(m_path, earlier));
    rig.sim.instrument()->setStoredLines({"#L 001 0000 fin de fichier", "#R never sent"});
    // "#i", "#i", "#T", the "#OK" answered with the "#L" line, then the line goes.
    rig.sim.setHangUpAfter(3 + 1 + 1);

    const TransferResult result = run();

    QCOMPARE(result.outcome, Outcome::CommError);
    QCOMPARE(result.keptFile, m_path);
    QCOMPARE(result.measurementLines, 0);
    QCOMPARE(result.fileHeaderLines, 1);
    QVERIFY(!result.fileWritten());
    QCOMPARE(fileBytes(m_path), earlier);
}

void TestTransfer::unplugMidTransferKeepsLines() {
    OperationsRig& rig = *m_rig;
    const QList<QByteArray> memory = SimInstrument::generatedMemory(2, 50, false);
    rig.sim.instrument()->setStoredLines(memory);
    constexpr int answered = 19;
    // "#i", "#i", "#T", the answered "#OK"s, then the adapter goes.
    rig.sim.setHangUpAfter(3 + answered + 1);

    QElapsedTimer clock;
    clock.start();
    CpuMeter cpu;
    const TransferResult result = run();
    const double wallMs = cpu.wallMs();

    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(cpu.cpuMs() < wallMs / 4,
             qPrintable(QStringLiteral("cpu %1 ms of %2 ms").arg(cpu.cpuMs()).arg(wallMs)));
    QCOMPARE(result.outcome, Outcome::CommError);
    QList<QByteArray> expected{rig.sim.instrument()->identityLine(),
                               rig.sim.instrument()->summaryLine()};
    expected += memory.mid(0, answered);
    QCOMPARE(fileBytes(m_path), crlfLines(expected));
    QCOMPARE(rig.feedback.calls.mid(rig.feedback.calls.size() - 3),
             (QStringList{"enabled:1", "hide", "info:" + msg(MsgId::CommError)}));
    QVERIFY(!rig.port.Connected());

    // Plugged in again (a new device), the next transfer runs from the start.
    rig.sim.start();
    rig.port.setPort(rig.sim.slavePath());
    QCOMPARE(run().outcome, Outcome::Done);
    QCOMPARE(fileBytes(m_path).count("\r\n"), 2 + memory.size());
}

void TestTransfer::failedWriteKeepsEarlierFileAndRestoresWindow() {
    OperationsRig& rig = *m_rig;
    rig.sim.instrument()->generateMemory(2, 10);
    const QByteArray earlier = crlfLines({"#i earlier", "#T earlier", "#R measured before"});
    QVERIFY(writeFileBytes(m_path, earlier));
    bool raised = false;
    {
        // A disk that fills up: writes past 200 bytes fail.
        FileSizeLimit full(200);
        QVERIFY(full.active());
        try {
            run();
        } catch (const EFileError& e) {
            raised = true;
            QVERIFY(e.message().contains(m_path));
        }
    }

    QVERIFY(raised);
    QCOMPARE(fileBytes(m_path), earlier);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QFileInfo(m_path).fileName()});
    // Window back, status window gone and port closed before the error is reported; the
    // transfer's own message is not shown.
    QCOMPARE(rig.feedback.calls.mid(rig.feedback.calls.size() - 2),
             (QStringList{"enabled:1", "hide"}));
    QVERIFY(rig.feedback.informations().isEmpty());
    QVERIFY(!rig.port.Connected());
}

QTEST_GUILESS_MAIN(TestTransfer)
#include "tst_transfer.moc"
