// 200 transfers and 200 parameter sendings through the real window against the simulated
// instrument, in one process: memory and open file descriptors must stay flat once the
// first rounds have warmed everything up.
#include "gui/params/ParamPanelTest.h"

#include "common/Messages.h"
#include "ui/TransferPanel.h"

#include <QDir>
#include <QFile>

namespace {

constexpr int kRounds = 200;
constexpr int kWarmUpRounds = 10;
// What may come and go without anything leaking: allocator pools, caches.
constexpr double kRssSlackMb = 8.0;
constexpr qsizetype kFdSlack = 2;

double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

qsizetype openDescriptors() {
    return QDir(QStringLiteral("/proc/self/fd"))
        .entryList(QDir::NoDotAndDotDot | QDir::System)
        .size();
}

} // namespace

class TestSoak : public ParamPanelTest {
    Q_OBJECT
private Q_SLOTS:
    void transfersAndSendingsLeaveNothingBehind();
};

void TestSoak::transfersAndSendingsLeaveNothingBehind() {
    sim().instrument()->generateMemory(3, 10);
    TFormMain& w = window();
    const QString parameters = workedExample();
    const QString result = dir().filePath(QStringLiteral("VEXA.txt"));

    double rssAfterWarmUp = 0;
    qsizetype fdsAfterWarmUp = 0;
    for (int round = 1; round <= kRounds; ++round) {
        sim().clearTranscript(); // the simulator's log is not the program's memory
        answerer().clear();

        answerer().answers = {true}; // from the second round on: replace the result file
        chooseMenu(1);
        editFichierMesures(panelLecture(w))->setText(result);
        QTest::mouseClick(buttonLecture(panelLecture(w)), Qt::LeftButton);
        QVERIFY(answerer().waitForMessages(1));
        QCOMPARE(answerer().messages.last(), msg(MsgId::ReadDone));

        chooseMenu(3);
        choose(parameters);
        QTest::mouseClick(buttonInit(panel()), Qt::LeftButton);
        QVERIFY(answerer().waitForMessages(2));
        QCOMPARE(answerer().messages.last(), msg(MsgId::SendDone));
        QVERIFY(answerer().errors.isEmpty());

        if (round == kWarmUpRounds) {
            rssAfterWarmUp = residentMegabytes();
            fdsAfterWarmUp = openDescriptors();
        }
    }
    const double rss = residentMegabytes();
    const qsizetype fds = openDescriptors();
    qInfo("after %d rounds: %.1f MB resident (%.1f after %d), %lld descriptors (%lld)", kRounds,
          rss, rssAfterWarmUp, kWarmUpRounds, qlonglong(fds), qlonglong(fdsAfterWarmUp));
    QVERIFY2(rss - rssAfterWarmUp <= kRssSlackMb, "resident memory grew");
    QVERIFY2(fds - fdsAfterWarmUp <= kFdSlack, "open file descriptors grew");
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
