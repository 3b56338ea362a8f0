#include "support/InstrumentWindowFixture.h"

#include "common/Messages.h"
#include "link/CommandExchange.h"
#include "link/TComPort.h"
#include "sim/InstrumentSimulator.h"
#include "ui/BusyAnimation.h"
#include "ui/InstrumentPanel.h"
#include "ui/MegaMenu.h"
#include "ui/ParameterFilePanel.h"
#include "ui/Pictures.h"
#include "ui/SplashScreen.h"
#include "ui/TransferPanel.h"

#include "support/TestFiles.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QTextEdit>
#include <QWindow>
#include <QtTest>

namespace {

const QString kNotDetected = QStringLiteral("Aucun instrument n'a été détecté");
const QString kNoAnswer = QStringLiteral("     L'instrument ne répond pas      ");

QString detectedOn(const QString& port) {
    return QStringLiteral("      Instrument détecté sur ") + port + QStringLiteral("      ");
}

// Runs what is already queued, then tells whether a search may still come. None needs more
// time to show: one started directly has its "#i" in the transcript before the call that
// started it returns, and one started later waits for the auto-connect timer.
bool noSearchPending(const TFormMain& window) {
    QCoreApplication::processEvents();
    return !timerAutoConnect(window)->isActive();
}

int countLines(const InstrumentSimulator& sim, const QByteArray& line) {
    int n = 0;
    for (const QByteArray& l : sim.receivedLines())
        n += l == line;
    return n;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startupFindsTheInstrument();
    void startupWithoutPortsThenConnexion();
    void foundPortNamedAsListed();
    void silentPortThenInstrumentAnswers();
    void searchOrderStopsAtFirstAnswer();
    void heldPortIsSkippedSilently();
    void menuShowsOnlyTheChosenPanel();
    void homeEntryWithInstrumentGone();
    void unopenablePortGoesToErrorReport();
    void maintenanceOpensNoPort();
    void passwordRefusals();
    void passwordAcceptedByEnter();
    void passwordCancelSearchesAgain();
    void passwordPlatformCloseRunsNoSearch();
    void windowCloseTakesThePasswordDialogAlong();
    void secondClickDuringAnExchangeIsIgnored();
    void statusWindowShowsTextOnSecondLine();
    void busyAnimationRunsOnlyWhileSeen();
    void statusTextDrawnOncePerFrameAndLastTextShown();
    void picturesAreSharpOnDoublingScreens();

private:
    // Starts the window with `ports` and waits for the search's message.
    void startAndAnswer(MainWindowFixture& f, DialogAnswerer& answerer);
};

void TestMainWindow::startAndAnswer(MainWindowFixture& f, DialogAnswerer& answerer) {
    f.create();
    QVERIFY(answerer.waitForMessages(1));
}

void TestMainWindow::startupFindsTheInstrument() {
    InstrumentSimulator sim;
    sim.start();
    MainWindowFixture f;
    f.ports = {sim.slavePath()};
    DialogAnswerer answerer;
    bool statusShown = false;
    answerer.onDialog = [&](const QString&) { statusShown = splashScreen()->isVisible(); };
    f.create();
    QVERIFY(!megaMenu(f.main)->isEnabled());
    QVERIFY(answerer.waitForMessages(1));
    QCOMPARE(answerer.messages.first(), detectedOn(sim.slavePath()));
    QVERIFY(!statusShown); // hidden before the message
    QVERIFY(megaMenu(f.main)->isEnabled());
    QVERIFY(groupBoxIdent(f.main)->isVisible());
    QVERIFY(!panelInfoConnexion(f.main)->isVisible());
    const auto expected =
        InstrumentIdentity::fromReply(QString::fromLatin1(sim.instrument()->identityLine()));
    const auto shown = shownIdentity(f.main);
    QCOMPARE(shown.description, expected.description);
    QCOMPARE(shown.serialNumber, expected.serialNumber);
    QCOMPARE(shown.productReference, expected.productReference);
    QCOMPARE(shown.pmReference, expected.pmReference);
    QCOMPARE(shown.softwareVersion, expected.softwareVersion);
    QCOMPARE(shown.description.size(), 20);
    QVERIFY(!shown.pmReference.contains(u'\r'));
    QCOMPARE(comPort(f.main).Port(), sim.slavePath());
    QVERIFY(!comPort(f.main).Connected());
    QCOMPARE(sim.receivedLines(), QList<QByteArray>({"#i"}));
}

void TestMainWindow::startupWithoutPortsThenConnexion() {
    MainWindowFixture f;
    DialogAnswerer answerer;
    startAndAnswer(f, answerer);
    QCOMPARE(answerer.messages, QStringList({kNotDetected}));
    QVERIFY(!megaMenu(f.main)->isEnabled());
    QVERIFY(panelInfoConnexion(f.main)->isVisible());
    QVERIFY(!groupBoxIdent(f.main)->isVisible());
    // Beside the prompt, what the search met: here, not a single port.
    auto* details = parts::child<QTextEdit>(f.main.get(), "SearchDetails");
    QVERIFY(details->isVisible());
    QVERIFY(details->toPlainText().startsWith(msg(MsgId::NoPortListed)));
    // The prompt and its button keep their places in the window.
    QCOMPARE(buttonConnexion(f.main)->mapTo(f.main.get(), QPoint()),
             QPoint(8 + 20 + 468, 41 + 240 + 56));

    // A second failure keeps the menu disabled, and tells about each port tried.
    InstrumentSimulator silent;
    silent.setSilent(true);
    silent.start();
    const QString notes = f.dir.filePath("notes.txt");
    QVERIFY(writeFileBytes(notes, "x"));
    f.ports = {silent.slavePath(), notes};
    QTest::mouseClick(buttonConnexion(f.main), Qt::LeftButton);
    QVERIFY(answerer.waitForMessages(2));
    QCOMPARE(answerer.messages.last(), kNotDetected);
    QVERIFY(!megaMenu(f.main)->isEnabled());
    QCOMPARE(silent.receivedLines(), QList<QByteArray>({"#i"}));
    const QString shown = details->toPlainText();
    QVERIFY2(shown.contains(msg(MsgId::PortSilent).arg(silent.slavePath())), qPrintable(shown));
    QVERIFY2(shown.contains(notes), qPrintable(shown));

    InstrumentSimulator sim;
    sim.start();
    f.ports = {sim.slavePath()};
    QTest::mouseClick(buttonConnexion(f.main), Qt::LeftButton);
    QVERIFY(answerer.waitForMessages(3));
    QCOMPARE(answerer.messages.last(), detectedOn(sim.slavePath()));
    QVERIFY(megaMenu(f.main)->isEnabled());
    QVERIFY(!panelInfoConnexion(f.main)->isVisible());
    QVERIFY(groupBoxIdent(f.main)->isVisible());
    QVERIFY(!details->isVisibleTo(f.main.get()));
}

void TestMainWindow::foundPortNamedAsListed() {
    // Reached through a link of the user's own (a udev rule, /dev/serial/by-id): the message
    // leads with that name, then the device it stands for.
    MainWindowFixture f;
    InstrumentSimulator sim;
    sim.setLinkPath(f.dir.filePath("vexameter"));
    sim.start();
    f.ports = {sim.linkPath()};
    DialogAnswerer answerer;
    startAndAnswer(f, answerer);
    QCOMPARE(answerer.messages,
             QStringList({detectedOn(sim.linkPath() + " (" + sim.slavePath() + ")")}));
}

void TestMainWindow::silentPortThenInstrumentAnswers() {
    InstrumentSimulator sim;
    sim.setSilent(true);
    sim.start();
    MainWindowFixture f;
    f.ports = {sim.slavePath()};
    DialogAnswerer answerer;
    startAndAnswer(f, answerer);
    QCOMPARE(answerer.messages.first(), kNotDetected);
    QVERIFY(panelInfoConnexion(f.main)->isVisible());
    QVERIFY(!megaMenu(f.main)->isEnabled());

    sim.setSilent(false);
    QTest::mouseClick(buttonConnexion(f.main), Qt::LeftButton);
    QVERIFY(answerer.waitForMessages(2));
    QCOMPARE(answerer.messages.last(), detectedOn(sim.slavePath()));
    QVERIFY(megaMenu(f.main)->isEnabled());
}

void TestMainWindow::searchOrderStopsAtFirstAnswer() {
    InstrumentSimulator silent, answering, after;
    silent.setSilent(true);
    silent.start();
    answering.start();
    after.start();
    MainWindowFixture f;
    f.ports = {silent.slavePath(), answering.slavePath(), after.slavePath()};
    DialogAnswerer answerer;
    QElapsedTimer clock;
    clock.start();
    startAndAnswer(f, answerer);
    QCOMPARE(answerer.messages.first(), detectedOn(answering.slavePath()));
    QVERIFY2(clock.elapsed() >= 1900, "the silent port costs one time-out");
    QVERIFY(clock.elapsed() < 6000);
    QCOMPARE(countLines(silent, "#i"), 1);
    QCOMPARE(countLines(answering, "#i"), 1);
    QVERIFY(after.receivedLines().isEmpty());
    QCOMPARE(comPort(f.main).Port(), answering.slavePath());
}

void TestMainWindow::heldPortIsSkippedSilently() {
    InstrumentSimulator held, answering;
    held.start();
    answering.start();
    QSerialPort other(held.slavePath());
    QVERIFY(other.open(QIODevice::ReadWrite)); // another program holds it
    MainWindowFixture f;
    f.ports = {held.slavePath(), answering.slavePath()};
    DialogAnswerer answerer;
    startAndAnswer(f, answerer);
    QCOMPARE(answerer.messages, QStringList({detectedOn(answering.slavePath())}));
    QVERIFY(answerer.errors.isEmpty());
    QVERIFY(held.receivedLines().isEmpty());
}

void TestMainWindow::menuShowsOnlyTheChosenPanel() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    TFormMain& w = *f.main;
    const char* panels[] = {"PanelAccueil", "PanelLecture", "PanelInitialisation", "PanelHeader"};
    for (int entry = 3; entry >= 0; --entry) {
        sim.clearTranscript();
        answerer.clear();
        chooseMenuEntry(w, entry);
        QVERIFY(sim.receivedLines().contains("#i"));
        for (int p = 0; p < 4; ++p)
            QCOMPARE(isShown(w, panels[p]), p == entry);
        QCOMPARE(groupBoxIdent(w)->isVisible(), entry == 0);
        QVERIFY(!comPort(w).Connected());
    }
}

void TestMainWindow::homeEntryWithInstrumentGone() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    chooseMenuEntry(f.main, 1);
    sim.setSilent(true); // switched off, the port itself still opens
    answerer.clear();
    chooseMenuEntry(f.main, 0);
    QCOMPARE(answerer.messages, QStringList({kNoAnswer}));
    QVERIFY(panelAccueil(f.main)->isVisible());
    QVERIFY(panelInfoConnexion(f.main)->isVisible());
    QVERIFY(!groupBoxIdent(f.main)->isVisible());
    QVERIFY(megaMenu(f.main)->isEnabled());
    QVERIFY(!comPort(f.main).Connected());

    // Entry 2 with no answer also falls back to the home panel.
    answerer.clear();
    chooseMenuEntry(f.main, 2);
    QCOMPARE(answerer.messages, QStringList({kNoAnswer}));
    QVERIFY(panelAccueil(f.main)->isVisible());
    QVERIFY(!isShown(f.main, "PanelInitialisation"));
}

void TestMainWindow::unopenablePortGoesToErrorReport() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    sim.stop(); // unplugged: the device is gone
    answerer.clear();
    chooseMenuEntry(f.main, 1);
    QTRY_COMPARE(answerer.errors.size(), 1);
    const QStringList report = answerer.errors.first().split(u'\n');
    QCOMPARE(report.size(), 2);
    QVERIFY(report.first().startsWith(QStringLiteral("Unable to open com port")));
    // "… (Error: n)": a closing parenthesis sorts below the full stop, so none is added.
    QVERIFY(report.first().endsWith(u')'));
    // Under the fixed message, the user's own words: which port, and that it has gone.
    QVERIFY2(report.last().contains(comPort(f.main).Port()), qPrintable(report.last()));
    for (const char* p : {"PanelAccueil", "PanelLecture", "PanelInitialisation", "PanelHeader"})
        QVERIFY(!isShown(f.main, p));
    QVERIFY(!groupBoxIdent(f.main)->isVisible());
    QVERIFY(imageWait(f.main)->isVisible());
}

void TestMainWindow::maintenanceOpensNoPort() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    sim.stop(); // even unplugged
    answerer.clear();
    chooseMenuEntry(f.main, 4);
    QVERIFY(answerer.errors.isEmpty());
    QVERIFY(!f.main->isEnabled());
    QVERIFY(f.password->isVisible());
    for (const char* p : {"PanelAccueil", "PanelLecture"})
        QVERIFY(!isShown(f.main, p));
    QVERIFY(!groupBoxIdent(f.main)->isVisible());
    f.password->close();
    QVERIFY(f.main->isEnabled());
}

void TestMainWindow::passwordRefusals() {
    // The menu bar is enabled once an instrument was found.
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    chooseMenuEntry(f.main, 4);
    for (const QString& attempt : {QStringLiteral("morvel"), QStringLiteral("MORVEL52"),
                                   QStringLiteral("morvel52 "), QString()}) {
        answerer.clear();
        editPassword(f.password)->setText(attempt);
        QTest::mouseClick(buttonOK(f.password), Qt::LeftButton);
        QCOMPARE(answerer.messages, QStringList({"     Mot de passe incorrect      "}));
        QVERIFY(editPassword(f.password)->text().isEmpty());
        QVERIFY(f.password->isVisible());
        QVERIFY(!f.main->MaintenanceMode());
    }
    QCOMPARE(editPassword(f.password)->maxLength(), 16);
    QCOMPARE(editPassword(f.password)->echoMode(), QLineEdit::Password);
}

void TestMainWindow::passwordAcceptedByEnter() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    chooseMenuEntry(f.main, 4);
    sim.clearTranscript();
    answerer.clear();
    editPassword(f.password)->setFocus();
    QTest::keyClicks(editPassword(f.password), QStringLiteral("morvel52"));
    QTest::keyClick(editPassword(f.password), Qt::Key_Return);
    QVERIFY(f.main->MaintenanceMode());
    QVERIFY(!f.password->isVisible());
    QVERIFY(f.main->isEnabled());
    QVERIFY(panelAccueil(f.main)->isVisible());
    QVERIFY(groupBoxIdent(f.main)->isVisible());
    QCOMPARE(sim.receivedLines(), QList<QByteArray>({"#i"})); // searched again
    QVERIFY(answerer.messages.isEmpty());                     // without a message

    // Shown again, the field starts empty; cancelling never clears the mode.
    chooseMenuEntry(f.main, 4);
    QVERIFY(editPassword(f.password)->text().isEmpty());
    QTest::mouseClick(buttonAnnuler(f.password), Qt::LeftButton);
    QVERIFY(f.main->MaintenanceMode());
}

void TestMainWindow::passwordCancelSearchesAgain() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& f = rig.f;
    // The instrument is now on another port.
    rig.sim.stop();
    InstrumentSimulator sim;
    sim.start();
    f.ports = {sim.slavePath()};
    chooseMenuEntry(f.main, 4);
    QVERIFY(f.password->isVisible());
    editPassword(f.password)->setText(QStringLiteral("wrong"));
    QTest::mouseClick(buttonAnnuler(f.password), Qt::LeftButton);
    QVERIFY(!f.main->MaintenanceMode());
    QVERIFY(panelAccueil(f.main)->isVisible());
    QVERIFY(groupBoxIdent(f.main)->isVisible());
    QCOMPARE(sim.receivedLines(), QList<QByteArray>({"#i"}));
    QCOMPARE(comPort(f.main).Port(), sim.slavePath());
    // The search from the dialog leaves the menu and the prompt as they were.
    QVERIFY(megaMenu(f.main)->isEnabled());
    QVERIFY(!panelInfoConnexion(f.main)->isVisible());
}

void TestMainWindow::passwordPlatformCloseRunsNoSearch() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    chooseMenuEntry(f.main, 4);
    sim.clearTranscript();
    f.password->close(); // the platform's close command
    QVERIFY(f.main->isEnabled());
    QVERIFY(panelAccueil(f.main)->isVisible());
    QVERIFY(!groupBoxIdent(f.main)->isVisible());
    QVERIFY(noSearchPending(*f.main));
    QVERIFY(sim.receivedLines().isEmpty());
}

void TestMainWindow::windowCloseTakesThePasswordDialogAlong() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    chooseMenuEntry(f.main, 4);
    QVERIFY(f.password->isVisible());
    QCOMPARE(f.password->windowHandle()->transientParent(), f.main->windowHandle());
    // Its rounded frame is drawn whole, bottom edge included.
    const auto* frame = f.password->findChild<QWidget*>(QStringLiteral("PanelMaintenance"));
    QVERIFY(f.password->rect().adjusted(1, 1, -1, -1).contains(frame->geometry()));
    sim.clearTranscript();

    // A window manager closes the disabled window all the same.
    QVERIFY(f.main->close());
    QVERIFY(!f.password->isVisible());
    QVERIFY(QFile::exists(settingsPath(f.main))); // the folders saved as at every close
    // No window is left that would keep the program running.
    for (QWindow* window : QGuiApplication::topLevelWindows())
        QVERIFY2(!window->isVisible() || window->transientParent(),
                 qPrintable(window->objectName()));
    QVERIFY(noSearchPending(*f.main));
    QVERIFY(sim.receivedLines().isEmpty());
}

void TestMainWindow::secondClickDuringAnExchangeIsIgnored() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    sim.clearTranscript();
    sim.setReplyDelay(600);
    bool repainted = false;
    TFormMain* main = f.main.get(); // clang 14 cannot capture a structured binding
    QTimer::singleShot(200, main, [&] {
        QVERIFY(exchange(main).isWaiting());
        chooseMenuEntry(main, 2);       // ignored: the first exchange still waits
        buttonConnexion(main)->click(); // ignored too
        main->repaint();
        repainted = true;
    });
    chooseMenuEntry(f.main, 1);
    QVERIFY(repainted);
    QVERIFY(panelLecture(f.main)->isVisible());
    QVERIFY(!isShown(f.main, "PanelInitialisation"));
    QVERIFY(noSearchPending(*f.main));
    QCOMPARE(sim.receivedLines(), QList<QByteArray>({"#i"}));
}

void TestMainWindow::statusWindowShowsTextOnSecondLine() {
    MainWindowFixture f;
    DialogAnswerer answerer;
    startAndAnswer(f, answerer);
    operatorFeedback(f.main)->AfficheInfo(QStringLiteral("Lecture en cours"));
    QCOMPARE(splashScreen()->lines(), QStringList({"", "Lecture en cours", ""}));
    operatorFeedback(f.main)->AfficheInfo(QStringLiteral("autre"));
    QCOMPARE(splashScreen()->lines(), QStringList({"", "autre", ""}));
    QCOMPARE(splashScreen()->size(), QSize(400, 100));
    QVERIFY(splashScreen()->windowFlags() & Qt::WindowStaysOnTopHint);
}

void TestMainWindow::busyAnimationRunsOnlyWhileSeen() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    TFormMain* main = f.main.get();
    QVERIFY(!busyAnimation(main)->isRunning()); // under the home panel
    // While the menu asks the instrument no panel is shown: the animation is seen.
    sim.setReplyDelay(300);
    bool ranDuringCheck = false;
    QTimer::singleShot(100, main, [&] { ranDuringCheck = busyAnimation(main)->isRunning(); });
    chooseMenuEntry(main, 1);
    QVERIFY(ranDuringCheck);
    QVERIFY(!busyAnimation(main)->isRunning());
    // Every panel hidden (an error report left it so): it runs, but not in a hidden window.
    sim.stop();
    chooseMenuEntry(main, 1);
    QTRY_COMPARE(answerer.errors.size(), 1);
    QVERIFY(imageWait(main)->isVisible());
    QVERIFY(busyAnimation(main)->isRunning());
    main->hide();
    QVERIFY(!busyAnimation(main)->isRunning());
    main->show();
    QVERIFY(busyAnimation(main)->isRunning());
}

// Paints of `widget` from now on, with the lines it drew.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(SplashScreen* splash) : m_splash(splash) {
        splash->installEventFilter(this);
    }
    QList<QStringList> drawn;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            drawn.append(m_splash->lines());
        return false;
    }

private:
    SplashScreen* m_splash;
};

void TestMainWindow::statusTextDrawnOncePerFrameAndLastTextShown() {
    SplashScreen splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QTest::qWait(40);
    PaintRecorder paints(&splash);
    // The first text after a quiet frame is drawn before AfficheInfo returns.
    splash.AfficheInfo(QStringLiteral("1"));
    QCOMPARE(paints.drawn, QList<QStringList>({{"", "1", ""}}));
    // A burst within one frame: nothing more at once, then only the last text.
    for (int i = 2; i <= 200; ++i)
        splash.AfficheInfo(QString::number(i));
    QCOMPARE(paints.drawn.size(), 1);
    QTRY_COMPARE(paints.drawn.size(), 2);
    QCOMPARE(paints.drawn.last(), QStringList({"", "200", ""}));
    QTest::qWait(60);
    QCOMPARE(paints.drawn.size(), 2);
}

void TestMainWindow::picturesAreSharpOnDoublingScreens() {
    // A screen that draws a point with two pixels gets a drawing of twice the size, not the
    // picture blown up.
    for (const char* name : {"logo", "padlock", "flag_fr", "flag_en"}) {
        const QString path = QStringLiteral(":/images/%1.png").arg(QLatin1String(name));
        const QPixmap plain = resourcePicture(path, 1);
        const QPixmap sharp = resourcePicture(path, 2);
        QVERIFY2(!plain.isNull(), name);
        QCOMPARE(plain.devicePixelRatio(), 1.0);
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        QCOMPARE(sharp.size(), plain.size() * 2);
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(plain.size()));
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
