// The Lecture panel in the real window: the proposed result file, the "..." dialog, a
// transfer from the "Transfert" button, and a memo that copes with a full memory.
#include "support/WindowTest.h"

#include "common/Messages.h"
#include "link/TComPort.h"
#include "ui/SplashScreen.h"
#include "ui/TransferPanel.h"

#include "support/TestFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

const QDateTime kFixedNow(QDate(2015, 3, 7), QTime(14, 5, 42));

QStringList fileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<missing>")};
    QByteArray bytes = file.readAll();
    if (!bytes.endsWith("\r\n"))
        return {QStringLiteral("<no final CR LF>")};
    bytes.chop(2);
    QStringList lines;
    for (const QByteArray& line : bytes.split('\n'))
        lines.append(QString::fromLatin1(line.endsWith('\r') ? line.chopped(1) : line));
    return lines;
}

} // namespace

class TestLecturePanel : public WindowTest {
    Q_OBJECT

private Q_SLOTS:
    void entryProposesNameInStartFolder();
    void transferFromTheWindow();
    void existingResultIsReplacedOnlyWhenTheOperatorSaysSo();
    void memoIsFastReadOnlyAndUnwrapped();
    void memoDrawsOnlyTheNewRows();

private:
    bool prepare() override {
        window().setClock([] { return kFixedNow; });
        return true;
    }
};

void TestLecturePanel::entryProposesNameInStartFolder() {
    TFormMain& w = window();
    chooseMenu(1);
    TransferPanel* panel = panelLecture(w);
    const QString proposed = dir().path() + QStringLiteral("/VEXA1503071405.txt");
    QCOMPARE(editFichierMesures(panel)->text(), proposed);
    QCOMPARE(dialogs().fileName(DialogKind::SaveResult), proposed);
    QVERIFY(editFichierMesures(panel)->isReadOnly());

    // A start folder without a final separator gets one.
    const QString folder = dir().path() + QStringLiteral("/Mesures");
    dialogs().setInitialDir(DialogKind::SaveResult, folder);
    chooseMenu(1);
    QCOMPARE(editFichierMesures(panel)->text(), folder + QStringLiteral("/VEXA1503071405.txt"));

    // "...": opens on the proposed name; a choice replaces the text, a cancel keeps it.
    const QString chosen = dir().path() + QStringLiteral("/ailleurs/choisi.txt");
    dialogs().answers = {chosen, std::nullopt};
    buttonSelectFichierMesures(panel)->click();
    QCOMPARE(dialogs().asked, QList<DialogKind>{DialogKind::SaveResult});
    QCOMPARE(dialogs().startPaths.last(), folder + QStringLiteral("/VEXA1503071405.txt"));
    QCOMPARE(editFichierMesures(panel)->text(), chosen);
    buttonSelectFichierMesures(panel)->click();
    QCOMPARE(editFichierMesures(panel)->text(), chosen);

    // The next proposal is again in the start folder, not in the chosen one.
    chooseMenu(1);
    QCOMPARE(editFichierMesures(panel)->text(), folder + QStringLiteral("/VEXA1503071405.txt"));
    QVERIFY(answerer().errors.isEmpty());
}

void TestLecturePanel::transferFromTheWindow() {
    TFormMain& w = window();
    sim().instrument()->generateMemory(2, 3, true);
    // Slow enough for the window's state to be seen during the transfer.
    sim().setReplyDelay(15);
    chooseMenu(1);
    TransferPanel* panel = panelLecture(w);
    QVERIFY(buttonLecture(panel)->isEnabled());

    bool sawDisabledWithStatus = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (!w.isEnabled() && splashScreen()->isVisible())
            sawDisabledWithStatus = true;
    });
    watch.start(5);
    bool enabledAtMessage = false;
    bool statusHiddenAtMessage = false;
    bool portOpenAtMessage = false;
    answerer().onDialog = [&](const QString&) {
        enabledAtMessage = w.isEnabled();
        statusHiddenAtMessage = !splashScreen()->isVisible();
        portOpenAtMessage = comPort(w).Connected();
    };

    QTest::mouseClick(buttonLecture(panel), Qt::LeftButton);

    QCOMPARE(answerer().messages, QStringList{msg(MsgId::ReadDone)});
    QVERIFY(sawDisabledWithStatus);
    QVERIFY(enabledAtMessage);
    QVERIFY(statusHiddenAtMessage);
    QVERIFY(portOpenAtMessage);
    QVERIFY(!comPort(w).Connected());

    // The memo shows exactly the lines of the file.
    const QStringList lines = fileLines(editFichierMesures(panel)->text());
    QCOMPARE(lines.size(), 2 + sim().instrument()->storedLines().size());
    QCOMPARE(memoLecture(panel)->lines(), lines);
    QCOMPARE(memoLecture(panel)->blockCount(), lines.size());

    // No answer: the memo keeps the previous transfer.
    sim().setSilent(true);
    answerer().onDialog = nullptr;
    answerer().answers = {true}; // replace the file just written
    QTest::mouseClick(buttonLecture(panel), Qt::LeftButton);
    QCOMPARE(answerer().questions.size(), 1);
    QCOMPARE(answerer().messages.last(), msg(MsgId::NoAnswer));
    QCOMPARE(memoLecture(panel)->lines(), lines);
    QVERIFY(w.isEnabled());
}

void TestLecturePanel::existingResultIsReplacedOnlyWhenTheOperatorSaysSo() {
    TFormMain& w = window();
    sim().instrument()->generateMemory(1, 2);
    chooseMenu(1);
    TransferPanel* panel = panelLecture(w);
    const QString path = editFichierMesures(panel)->text();
    QTest::mouseClick(buttonLecture(panel), Qt::LeftButton);
    QVERIFY(answerer().questions.isEmpty()); // nothing there yet
    const QByteArray first = fileBytes(path);
    QVERIFY(first.contains("#R"));

    // Another instrument in the same minute: same proposed name. "Non" leaves all as it was.
    sim().instrument()->generateMemory(1, 5);
    sim().clearTranscript();
    answerer().clear();
    chooseMenu(1);
    QCOMPARE(editFichierMesures(panel)->text(), path);
    sim().clearTranscript();
    QTest::mouseClick(buttonLecture(panel), Qt::LeftButton);
    QCOMPARE(answerer().questions, QStringList{msg(MsgId::ReplaceResultFile).arg(path)});
    QVERIFY(answerer().messages.isEmpty());
    QVERIFY(sim().receivedLines().isEmpty());
    QCOMPARE(fileBytes(path), first);

    // "Oui" replaces it.
    answerer().answers = {true};
    QTest::mouseClick(buttonLecture(panel), Qt::LeftButton);
    QCOMPARE(answerer().messages, QStringList{msg(MsgId::ReadDone)});
    const QByteArray second = fileBytes(path);
    QVERIFY(second != first);

    // Chosen in the "..." dialog, which asked already: no second question, for that
    // transfer only.
    answerer().clear();
    dialogs().answers = {path};
    QTest::mouseClick(buttonSelectFichierMesures(panel), Qt::LeftButton);
    QTest::mouseClick(buttonLecture(panel), Qt::LeftButton);
    QVERIFY(answerer().questions.isEmpty());
    QCOMPARE(answerer().messages, QStringList{msg(MsgId::ReadDone)});
    QTest::mouseClick(buttonLecture(panel), Qt::LeftButton);
    QCOMPARE(answerer().questions.size(), 1);

    // Agreed to, but the memory is empty: the earlier results stay, and it is said.
    sim().instrument()->setStoredLines({});
    answerer().clear();
    answerer().answers = {true};
    QTest::mouseClick(buttonLecture(panel), Qt::LeftButton);
    QCOMPARE(answerer().messages, QStringList{msg(MsgId::NoMeasurement) + "\r\n" +
                                              msg(MsgId::EarlierFileKept).arg(path)});
    QCOMPARE(fileBytes(path), second);
}

void TestLecturePanel::memoIsFastReadOnlyAndUnwrapped() {
    LectureMemo memo;
    memo.resize(590, 258);
    memo.show();
    QVERIFY(memo.isReadOnly());
    QVERIFY(!memo.isUndoRedoEnabled());
    QCOMPARE(memo.lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(memo.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(QFontInfo(memo.font()).fixedPitch());

    // A line shows up by itself shortly after it arrives.
    memo.appendLine(QStringLiteral("#R first"));
    QTRY_COMPARE(memo.toPlainText(), QStringLiteral("#R first"));

    constexpr int kLines = 100000;
    const QString longLine =
        QStringLiteral("#R 001 0001 07/03/2015 14:05:10 000412 cps ") + QString(200, u'x');
    memo.clearLines();
    for (int i = 0; i < kLines; ++i)
        memo.appendLine(i == 5 ? longLine : QStringLiteral("#R %1 cps").arg(i));
    memo.flush();
    QCoreApplication::processEvents();

    QCOMPARE(memo.blockCount(), kLines);
    const QStringList lines = memo.lines();
    QCOMPARE(lines.size(), kLines);
    QCOMPARE(lines.at(5), longLine);
    QCOMPARE(lines.last(), QStringLiteral("#R %1 cps").arg(kLines - 1));
    // One received line is one memo line: nothing wraps, the long line scrolls sideways.
    QVERIFY(memo.horizontalScrollBar()->maximum() > 0);

    // Batch after batch the scroll bar is repainted only when its slider moves: while the
    // slider shrinks and once more at the end of the memo, not at every batch.
    memo.clearLines();
    QCoreApplication::processEvents();
    int barPaints = 0;
    struct PaintCounter : QObject {
        int& count;
        explicit PaintCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* event) override {
            count += event->type() == QEvent::Paint;
            return false;
        }
    } counter(barPaints);
    memo.verticalScrollBar()->installEventFilter(&counter);
    constexpr int kBatches = 60;
    for (int batch = 0; batch < kBatches; ++batch) {
        for (int i = 0; i < 20; ++i)
            memo.appendLine(QStringLiteral("#R %1 cps").arg(i));
        memo.flush();
        QCoreApplication::processEvents();
    }
    QVERIFY(barPaints > 0);
    QVERIFY2(barPaints < kBatches / 2, qPrintable(QString::number(barPaints)));
    QCOMPARE(memo.verticalScrollBar()->value(), memo.verticalScrollBar()->maximum());
    memo.verticalScrollBar()->removeEventFilter(&counter);

    memo.clearLines();
    QVERIFY(memo.lines().isEmpty());

    // A silent identity request gives an empty first line: it stays a line of its own, so
    // the memo keeps matching the result file.
    memo.appendLine(QString());
    memo.flush();
    memo.appendLine(QStringLiteral("#T summary"));
    memo.flush();
    QCOMPARE(memo.lines(), QStringList({QString(), QStringLiteral("#T summary")}));
    QCOMPARE(memo.blockCount(), 2);
}

// A batch scrolls the rows already drawn and draws the new ones; redrawing every visible
// row at each batch was the memo's whole cost during a transfer.
void TestLecturePanel::memoDrawsOnlyTheNewRows() {
    LectureMemo memo;
    memo.resize(590, 258);
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    for (int i = 0; i < 40; ++i)
        memo.appendLine(QStringLiteral("#R %1 cps").arg(i));
    memo.flush();

    struct PaintRecorder : QObject {
        QRegion painted;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
    } recorder;
    memo.viewport()->installEventFilter(&recorder);
    QTRY_VERIFY(!recorder.painted.isEmpty());

    for (int batch = 0; batch < 3; ++batch) {
        recorder.painted = QRegion();
        memo.appendLine(QStringLiteral("#R new %1").arg(batch));
        memo.appendLine(QStringLiteral("#R newer %1").arg(batch));
        memo.flush();
        QTRY_VERIFY(!recorder.painted.isEmpty());
        const int rowHeight = memo.fontMetrics().lineSpacing();
        QVERIFY2(recorder.painted.boundingRect().height() <= 4 * rowHeight,
                 qPrintable(QString::number(recorder.painted.boundingRect().height())));
        QCOMPARE(memo.verticalScrollBar()->value(), memo.verticalScrollBar()->maximum());
    }
    QCOMPARE(memo.lines().size(), 46);
    QCOMPARE(memo.lines().last(), QStringLiteral("#R newer 2"));
}

QTEST_MAIN(TestLecturePanel)
#include "tst_lecture_panel.moc"
