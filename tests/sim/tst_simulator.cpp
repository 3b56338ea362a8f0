// The simulator seen from the program's side of a real pseudo-terminal: what it answers,
// what it keeps, what it logs, and how it misbehaves when asked to.

#include "PtyEnd.h"

#include "common/Cp1252.h"
#include "common/Errors.h"
#include "sim/InstrumentSimulator.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>
#include <memory>

using namespace std::chrono_literals;

namespace {

const QByteArray CrLf = "\r\n";

qint64 processCpuMs() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1'000'000;
}

} // namespace

class TestSimulator : public QObject {
    Q_OBJECT

    std::unique_ptr<InstrumentSimulator> sim;
    std::unique_ptr<PtyEnd> line;

private Q_SLOTS:
    void init() {
        sim = std::make_unique<InstrumentSimulator>();
        sim->start();
        line = std::make_unique<PtyEnd>(sim->slavePath());
        QVERIFY2(line->isOpen(), qPrintable(line->error()));
    }

    void cleanup() {
        line.reset();
        sim.reset();
    }

    void identityLineHoldsTheSixFieldsAtTheirPositions() {
        const QByteArray plain = line->exchange("#i");
        QCOMPARE(plain.size(), 106);
        QVERIFY(plain.endsWith(CrLf));

        InstrumentSimulator::Identity id;
        id.description = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"); // longer than 20: cut
        id.productReference = QStringLiteral("P1");
        id.softwareVersion = QStringLiteral("V2.05");
        id.parameterFile = QStringLiteral("12345678");
        id.serialNumber = QStringLiteral("SN-1234567890123");
        id.pmReference = QStringLiteral("éPM"); // one byte per character on the line
        sim->instrument()->setIdentity(id);
        const QByteArray reply = line->exchange("#i");
        QCOMPARE(reply.size(), 106);
        QCOMPARE(reply.mid(3, 20), QByteArray("ABCDEFGHIJKLMNOPQRST"));
        QCOMPARE(reply.mid(28, 8), QByteArray("P1      "));
        QCOMPARE(reply.mid(41, 8), QByteArray("V2.05   "));
        QCOMPARE(reply.mid(54, 8), QByteArray("12345678"));
        QCOMPARE(reply.mid(67, 16), QByteArray("SN-1234567890123"));
        QCOMPARE(reply.mid(88, 16), toCp1252(u"éPM").leftJustified(16));
        QCOMPARE(reply.right(2), CrLf);

        sim->instrument()->setIdentityLine("#i short");
        QCOMPARE(line->exchange("#i"), QByteArray("#i short\r\n"));
        sim->instrument()->setIdentityLine({});
        QCOMPARE(line->exchange("#i"), reply);
    }

    void transferWalksTheMemoryAndEndsWithTheEndLine() {
        const QList<QByteArray> memory = SimInstrument::generatedMemory(2, 3, true);
        QCOMPARE(memory.size(), 2 * 3 * 2 + 2);
        for (int i = 0; i < memory.size(); ++i) {
            const bool fileEnd = i == 6 || i == 13;
            QCOMPARE(memory.at(i).startsWith("#L"), fileEnd);
            if (!fileEnd)
                QVERIFY(memory.at(i).startsWith(i % 7 % 2 == 0 ? "#R" : "#G"));
            // Only the tag may carry a marker, or the transfer would misclassify the line.
            QCOMPARE(memory.at(i).count('#'), 1);
        }
        sim->instrument()->generateMemory(2, 3, true);

        const QByteArray summary = line->exchange("#T");
        QVERIFY(summary.endsWith(CrLf));
        QCOMPARE(summary.mid(23, 5), QByteArray("00002"));
        for (const QByteArray& stored : memory)
            QCOMPARE(line->exchange("#OK"), stored + CrLf);
        QCOMPARE(line->exchange("#OK"), QByteArray("#F\r\n"));
        QCOMPARE(line->exchange("#OK"), QByteArray("#F\r\n"));

        // A new transfer starts again from the first line.
        QCOMPARE(line->exchange("#T"), summary);
        QCOMPARE(line->exchange("#OK"), memory.first() + CrLf);

        // Lines after the last "#L" are a file of their own.
        sim->instrument()->setStoredLines({"#R a", "#L", "#R b"});
        QCOMPARE(line->exchange("#T").mid(23, 5), QByteArray("00002"));
        sim->instrument()->setSummaryLine("#T raw");
        QCOMPARE(line->exchange("#T"), QByteArray("#T raw\r\n"));
    }

    void eraseEmptiesTheMemory() {
        sim->instrument()->generateMemory(1, 2);
        QCOMPARE(line->exchange("#I"), QByteArray("OK\r\n"));
        QVERIFY(sim->instrument()->storedLines().isEmpty());
        QCOMPARE(line->exchange("#T").mid(23, 5), QByteArray("00000"));
        QCOMPARE(line->exchange("#OK"), QByteArray("#F\r\n"));
    }

    void clockIsStoredAndTheRecordCarriesTheLanguage() {
        const QByteArray record = line->exchange("#p");
        QCOMPARE(record.size(), 66 + 2);
        QVERIFY(record.startsWith("#P "));
        QCOMPARE(record.at(65), 'F');

        sim->instrument()->setLanguageCode('C');
        QCOMPARE(line->exchange("#p").at(65), 'C');
        sim->instrument()->setIdentificationRecord("#P short");
        sim->instrument()->setLanguageCode('A');
        QCOMPARE(line->exchange("#p"), QByteArray("#P short").leftJustified(65) + "A\r\n");

        QCOMPARE(line->exchange("#D 12/08/2015 13:45:00 "), QByteArray("OK\r\n"));
        QCOMPARE(sim->instrument()->clockText(), QByteArray(" 12/08/2015 13:45:00 "));
    }

    void specificParametersRoundTrip() {
        const QByteArray initial = line->exchange("#k");
        QCOMPARE(initial.size(), 56 + 2);
        QVERIFY(initial.startsWith("#k SN: "));
        QCOMPARE(initial.mid(23, 1), QByteArray(" "));
        QVERIFY(initial.mid(24).startsWith("PM: "));
        QCOMPARE(initial.mid(44, 1), QByteArray(" "));
        QCOMPARE(initial.mid(45, 4), QByteArray("0800"));
        QCOMPARE(initial.mid(50, 4), QByteArray("0512"));
        QCOMPARE(initial.mid(55, 1), QByteArray("0"));

        sim->instrument()->setSpecificParameters(
            {QStringLiteral("123"), QStringLiteral("045/112"), 80, 5, true});
        QCOMPARE(line->exchange("#k"), "#k SN: 123" + QByteArray(13, ' ') + " PM: 045/112" +
                                           QByteArray(9, ' ') + " 0080 0005 1\r\n");

        const QByteArray written = "#K SN: 777" + QByteArray(13, ' ') + " PM: 001/002" +
                                   QByteArray(9, ' ') + " 1200 0300 0";
        QCOMPARE(line->exchange(written), QByteArray("OK\r\n"));
        QCOMPARE(line->exchange("#k"), "#k" + written.mid(2) + CrLf);

        // An overlong field moves the later ones right; the line comes back whole.
        const QByteArray longer = "#K SN: 12345678901234567890123 PM: x 0001 0002 1";
        QCOMPARE(line->exchange(longer), QByteArray("OK\r\n"));
        QCOMPARE(line->exchange("#k"), "#k" + longer.mid(2) + CrLf);
    }

    void parameterRecordsAreStoredAndAcknowledged() {
        const QByteArray p = "#P " + QByteArray("NEW.DAT").leftJustified(20) + ' ' +
                             QByteArray("Essai").leftJustified(20) + " 08/12/2015 13:45:00 C";
        const QByteArray r = "#R 00001 00060 00010 00005 00005 00001 00050 20000 00100 00000";
        const QByteArray g = "#G 00010 01800 00100 00900 00700 00650 01000 00000 01000 00005";
        const QByteArray f = "#F 1 2 3 anything";
        for (const QByteArray& record : {p, r, g, f, r})
            QCOMPARE(line->exchange(record), QByteArray("OK\r\n"));
        QCOMPARE(sim->instrument()->records("#P"), QList<QByteArray>{p});
        QCOMPARE(sim->instrument()->records("#R"), (QList<QByteArray>{r, r}));
        QCOMPARE(sim->instrument()->records("#G"), QList<QByteArray>{g});
        QCOMPARE(sim->instrument()->records("#F"), QList<QByteArray>{f});
        // The instrument now reports the identification record it was sent.
        QCOMPARE(line->exchange("#p"), p + CrLf);
        // Read commands are not records.
        line->exchange("#OK");
        QCOMPARE(sim->instrument()->records("#P").size(), 1);
        QCOMPARE(sim->instrument()->records("#F").size(), 1);
    }

    void unknownCommandsGetAnErrorReply_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("empty line") << QByteArray();
        QTest::newRow("unknown tag") << QByteArray("#X");
        QTest::newRow("trailing blank") << QByteArray("#i ");
        QTest::newRow("lowercase ok") << QByteArray("#ok");
        QTest::newRow("lowercase t") << QByteArray("#t");
        QTest::newRow("no hash") << QByteArray("i");
    }

    void unknownCommandsGetAnErrorReply() {
        QFETCH(QByteArray, command);
        const QByteArray reply = line->exchange(command);
        QCOMPARE(reply, QByteArray("#e 001\r\n"));
        QCOMPARE(reply.at(1), 'e');
    }

    void errorRepliesOnRequestLeaveTheStateAlone() {
        sim->instrument()->generateMemory(1, 1);
        sim->setErrorReply("#k", 5);
        sim->setErrorReply("#I", 42);
        QCOMPARE(line->exchange("#k"), QByteArray("#e 005\r\n"));
        QCOMPARE(line->exchange("#I"), QByteArray("#e 042\r\n"));
        QCOMPARE(sim->instrument()->storedLines().size(), 2);
        QCOMPARE(line->exchange("#i").size(), 106);
        sim->clearErrorReplies();
        QCOMPARE(line->exchange("#k").size(), 58);
    }

    void transcriptKeepsEveryLineWithItsBytes() {
        QSignalSpy received(sim.get(), &InstrumentSimulator::lineReceived);
        line->send("#i\r\n");
        line->readUntil(CrLf, 2000);
        line->send("#T\n"); // a lone LF ends a line too
        line->readUntil(CrLf, 2000);
        line->send("#O"); // a command split over two writes is still one line
        QTest::qWait(60);
        line->send("K\r\n");
        QCOMPARE(line->readUntil(CrLf, 2000), QByteArray("#F\r\n"));

        const QList<InstrumentSimulator::TranscriptLine> transcript = sim->transcript();
        QCOMPARE(transcript.size(), 3);
        QCOMPARE(transcript.at(0).line, QByteArray("#i"));
        QCOMPARE(transcript.at(0).raw, QByteArray("#i\r\n"));
        QCOMPARE(transcript.at(1).line, QByteArray("#T"));
        QCOMPARE(transcript.at(1).raw, QByteArray("#T\n"));
        QCOMPARE(transcript.at(2).raw, QByteArray("#OK\r\n"));
        QVERIFY(transcript.at(0).ms <= transcript.at(1).ms);
        QVERIFY(transcript.at(2).ms - transcript.at(1).ms >= 50);
        QCOMPARE(sim->receivedLines(), (QList<QByteArray>{"#i", "#T", "#OK"}));

        QTRY_COMPARE(received.size(), 3);
        QCOMPARE(received.at(2).at(1).toByteArray(), QByteArray("#OK"));

        sim->clearTranscript();
        QVERIFY(sim->transcript().isEmpty());
        line->sendLine("#i");
        QVERIFY(sim->waitForLines(1, 2000));
    }

    void scriptedRepliesAreSentByteForByte() {
        sim->instrument()->generateMemory(1, 1);
        sim->scriptReply("#T", "#T 0000"); // no line end at all
        sim->scriptReply("#T", "A\rB\nC\r\n");
        line->sendLine("#T");
        // Nothing is added to a scripted reply: the next one follows it straight away.
        QCOMPARE(line->readUntil("#T 0000", 2000), QByteArray("#T 0000"));
        QCOMPARE(line->exchange("#T"), QByteArray("A\rB\nC\r\n"));
        QCOMPARE(line->exchange("#T").mid(23, 5), QByteArray("00001"));

        // The instrument is bypassed: a scripted "OK" to the erase erases nothing.
        sim->scriptReply("#I", "OK\r\n");
        QCOMPARE(line->exchange("#I"), QByteArray("OK\r\n"));
        QCOMPARE(sim->instrument()->storedLines().size(), 2);

        // An empty command matches any line; an empty reply is silence for that line.
        sim->scriptReply("", "any\r\n");
        QCOMPARE(line->exchange("#k"), QByteArray("any\r\n"));
        sim->scriptReply("#i", "");
        line->sendLine("#i");
        // The reply to the next command is the first thing on the line.
        QVERIFY(line->exchange("#k").startsWith("#k SN: "));
        QCOMPARE(line->exchange("#i").size(), 106);

        // Garbage and line-end faults leave scripted bytes alone.
        sim->setGarbage("zz");
        sim->setLineEnding(InstrumentSimulator::LineEnding::CrOnly);
        sim->scriptReply("#i", "Q");
        line->sendLine("#i");
        QCOMPARE(line->readUntil("Q", 2000), QByteArray("Q"));

        sim->clearFaults();
        QElapsedTimer clock;
        clock.start();
        sim->scriptReply("#i", "late\r\n", 250);
        QCOMPARE(line->exchange("#i"), QByteArray("late\r\n"));
        QVERIFY(clock.elapsed() >= 240);
    }

    void chunkedRepliesArriveInPiecesWithGaps() {
        // 106 bytes in pieces of 30: four pieces, three gaps. The gaps are long enough that
        // a busy machine does not merge two pieces in one read.
        sim->setChunking(30, 150);
        line->sendLine("#i");
        const QByteArray reply = line->readUntil(CrLf, 3000);
        QCOMPARE(reply, sim->instrument()->identityLine() + CrLf);
        const QList<PtyEnd::Chunk> chunks = line->chunks();
        QCOMPARE(chunks.size(), 4);
        for (const PtyEnd::Chunk& chunk : chunks)
            QVERIFY(chunk.bytes.size() <= 30);
        const qint64 spread = chunks.last().ms - chunks.first().ms;
        QVERIFY2(spread >= 3 * 150 - 10, qPrintable(QString::number(spread)));
    }

    void adapterLatencyTimerHoldsAllButFullPackets() {
        // 106 bytes through an adapter: one full packet of 62 at once, the other 44 only
        // once the line has been idle for the latency timer.
        sim->setLatencyTimer(300);
        line->sendLine("#i");
        const QByteArray reply = line->readUntil(CrLf, 3000);
        QCOMPARE(reply, sim->instrument()->identityLine() + CrLf);
        const QList<PtyEnd::Chunk> chunks = line->chunks();
        QCOMPARE(chunks.size(), 2);
        QCOMPARE(chunks.first().bytes.size(), 62);
        const qint64 held = chunks.last().ms - chunks.first().ms;
        QVERIFY2(held >= 290, qPrintable(QString::number(held)));
    }

    void lineEndCanBeSplitBetweenCrAndLf() {
        sim->setSplitLineEnd(200);
        line->sendLine("#i");
        const QByteArray head = line->readUntil("\r", 1000);
        QVERIFY(head.endsWith('\r'));
        QVERIFY(!head.contains('\n'));
        QCOMPARE(line->readFor(120), QByteArray());
        QCOMPARE(line->readUntil("\n", 1000), QByteArray("\n"));

        // A chunk boundary that already falls between CR and LF gets the longer gap.
        sim->setChunking(105, 10);
        line->sendLine("#i");
        QCOMPARE(line->readUntil("\r", 1000).size(), 105);
        QCOMPARE(line->readFor(120), QByteArray());
        QCOMPARE(line->readUntil("\n", 1000), QByteArray("\n"));

        // Every line end of a reply is split, not only the last.
        sim->setChunking(0, 0);
        sim->scriptReply("#i", "A\r\nB\r\n");
        line->sendLine("#i");
        QCOMPARE(line->readUntil("\r\nB\r\n", 2000), QByteArray("A\r\nB\r\n"));
        QCOMPARE(line->chunks().size(), 3);
    }

    void lineEndingsAndGarbage() {
        const QByteArray id = sim->instrument()->identityLine();
        // Each reply is read up to its own end; a byte more would come first in the next.
        sim->setLineEnding(InstrumentSimulator::LineEnding::CrOnly);
        line->sendLine("#i");
        QCOMPARE(line->readUntil(id + '\r', 2000), id + '\r');
        sim->setLineEnding(InstrumentSimulator::LineEnding::LfOnly);
        line->sendLine("#i");
        QCOMPARE(line->readUntil(id + '\n', 2000), id + '\n');
        sim->setLineEnding(InstrumentSimulator::LineEnding::None);
        line->sendLine("#i");
        QCOMPARE(line->readUntil(id, 2000), id);

        sim->setLineEnding(InstrumentSimulator::LineEnding::CrLf);
        sim->setGarbage(QByteArray("\x00\xff~", 3));
        QCOMPARE(line->exchange("#i"), QByteArray("\x00\xff~", 3) + id + CrLf);
    }

    void silenceAnswersNothingButLogs() {
        sim->instrument()->generateMemory(1, 1);
        sim->setSilent(true);
        line->sendLine("#I");
        QVERIFY(sim->waitForLines(1, 1000));
        QCOMPARE(sim->receivedLines(), QList<QByteArray>{"#I"});
        QCOMPARE(sim->instrument()->storedLines().size(), 2);
        sim->setSilent(false);
        // Nothing came for "#I": the reply to the next command is the first on the line.
        const QByteArray reply = line->exchange("#i");
        QCOMPARE(reply, sim->instrument()->identityLine() + CrLf);
        QCOMPARE(reply.size(), 106);
    }

    void lateAnswers() {
        QElapsedTimer clock;
        sim->delayReply("#i", 400);
        clock.start();
        QCOMPARE(line->exchange("#i", 3000).size(), 106);
        QVERIFY(clock.elapsed() >= 390);
        clock.start();
        line->exchange("#i");
        QVERIFY(clock.elapsed() < 300); // only the next one was late

        sim->setReplyDelay(150);
        clock.start();
        QCOMPARE(line->exchange("#T").left(2), QByteArray("#T"));
        QVERIFY(clock.elapsed() >= 140);
    }

    void hangUpAfterLinesIsSeenByTheReader() {
        QSignalSpy hungUp(sim.get(), &InstrumentSimulator::hungUp);
        sim->setHangUpAfter(2);
        QCOMPARE(line->exchange("#i").size(), 106);
        line->sendLine("#T");
        QVERIFY(line->waitForHangUp(2000));
        QVERIFY(sim->isHungUp());
        QVERIFY(!sim->isRunning());
        QCOMPARE(sim->receivedLines().last(), QByteArray("#T"));
        QTRY_COMPARE(hungUp.size(), 1);

        // Plugged in again: a new line that answers.
        sim->start();
        QVERIFY(!sim->isHungUp());
        PtyEnd again(sim->slavePath());
        QVERIFY(again.isOpen());
        QCOMPARE(again.exchange("#i").size(), 106);
    }

    void hangUpNowRemovesTheLineAndItsLink() {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("vexa"));
        sim->setLinkPath(link);
        sim->start();
        QCOMPARE(QFileInfo(link).symLinkTarget(), sim->slavePath());
        PtyEnd viaLink(link);
        QVERIFY(viaLink.isOpen());
        QCOMPARE(viaLink.exchange("#i").size(), 106);

        sim->hangUpNow();
        QVERIFY(sim->isHungUp());
        QVERIFY(viaLink.waitForHangUp(1000));
        QVERIFY(!QFileInfo(link).isSymLink());
        QVERIFY(sim->slavePath().isEmpty());
    }

    void linkPathIsReplacedButNeverOverwritesAFile() {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("stale"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere")), link));
        sim->setLinkPath(link);
        sim->start();
        QCOMPARE(QFileInfo(link).symLinkTarget(), sim->slavePath());
        sim->stop();
        QVERIFY(!QFileInfo(link).isSymLink());

        const QString file = dir.filePath(QStringLiteral("file"));
        QFile plain(file);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("keep");
        plain.close();
        sim->setLinkPath(file);
        QVERIFY_THROWS_EXCEPTION(VexaError, sim->start());
        QVERIFY(!sim->isRunning());
        QVERIFY(plain.open(QIODevice::ReadOnly));
        QCOMPARE(plain.readAll(), QByteArray("keep"));
    }

    void pacingFollowsTheLineRateWithoutBurningTheProcessor() {
        // Idle: the worker sleeps in poll.
        qint64 cpu = processCpuMs();
        QTest::qSleep(300);
        QVERIFY2(processCpuMs() - cpu < 30, "the idle simulator uses the processor");

        const QByteArray big = QByteArray(3838, 'x') + CrLf; // 3840 bytes: 1 s at 38400 baud
        sim->setBaudRate(38400);
        sim->scriptReply("#i", big);
        QElapsedTimer clock;
        cpu = processCpuMs();
        clock.start();
        QCOMPARE(line->exchange("#i", 5000), big);
        const qint64 took = clock.elapsed();
        QVERIFY2(took >= 900 && took <= 1600, qPrintable(QString::number(took)));
        const qint64 used = processCpuMs() - cpu;
        QVERIFY2(used < 300, qPrintable(QStringLiteral("pacing used %1 ms of CPU").arg(used)));
        qDebug("paced 3840 bytes in %lld ms using %lld ms of CPU", took, used);

        // The identity line (106 bytes) takes about 28 ms at 38400 baud.
        clock.start();
        QCOMPARE(line->exchange("#i").size(), 106);
        QVERIFY(clock.elapsed() >= 25);

        sim->setBaudRate(0);
        sim->scriptReply("#i", big);
        clock.start();
        QCOMPARE(line->exchange("#i", 5000), big);
        QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
