#include "gui/InstrumentWindowFixture.h"

#include "common/Messages.h"
#include "link/CommandExchange.h"
#include "link/TComPort.h"
#include "sim/InstrumentSimulator.h"
#include "ui/InitialisationPanel.h"
#include "ui/LecturePanel.h"
#include "ui/MegaMenu.h"
#include "ui/ParametresPanel.h"
#include "ui/SplashScreen.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QWindow>
#include <QtTest>

namespace {

const QString kNotDetected = QStringLiteral("Aucun instrument n'a été détecté");
const QString kNoAnswer = QStringLiteral("     L'instrument ne répond pas      ");

QString detectedOn(const QString& port) {
    return QStringLiteral("      Instrument détecté sur ") + port + QStringLiteral("      ");
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
    answerer.onDialog = [&](const QString&) { statusShown = f.main->splashScreen()->isVisible(); };
    f.create();
    QVERIFY(!f.main->megaMenu()->isEnabled());
    QVERIFY(answerer.waitForMessages(1));
    QCOMPARE(answerer.messages.first(), detectedOn(sim.slavePath()));
    QVERIFY(!statusShown); // hidden before the message
    QVERIFY(f.main->megaMenu()->isEnabled());
    QVERIFY(f.main->groupBoxIdent()->isVisible());
    QVERIFY(!f.main->panelInfoConnexion()->isVisible());
    const auto expected = InstrumentIdentity::fromReply(QString::fromLatin1(sim.identityLine()));
    const auto shown = f.main->shownIdentity();
    QCOMPARE(shown.description, expected.description);
    QCOMPARE(shown.serialNumber, expected.serialNumber);
    QCOMPARE(shown.productReference, expected.productReference);
    QCOMPARE(shown.pmReference, expected.pmReference);
    QCOMPARE(shown.softwareVersion, expected.softwareVersion);
    QCOMPARE(shown.description.size(), 20);
    QVERIFY(!shown.pmReference.contains(u'\r'));
    QCOMPARE(f.main->comPort().Port(), sim.slavePath());
    QVERIFY(!f.main->comPort().Connected());
    QCOMPARE(sim.receivedLines(), QList<QByteArray>({"#i"}));
}

void TestMainWindow::startupWithoutPortsThenConnexion() {
    MainWindowFixture f;
    DialogAnswerer answerer;
    startAndAnswer(f, answerer);
    QCOMPARE(answerer.messages, QStringList({kNotDetected}));
    QVERIFY(!f.main->megaMenu()->isEnabled());
    QVERIFY(f.main->panelInfoConnexion()->isVisible());
    QVERIFY(!f.main->groupBoxIdent()->isVisible());

    // A second failure keeps the menu disabled.
    QTest::mouseClick(f.main->buttonConnexion(), Qt::LeftButton);
    QVERIFY(answerer.waitForMessages(2));
    QCOMPARE(answerer.messages.last(), kNotDetected);
    QVERIFY(!f.main->megaMenu()->isEnabled());

    InstrumentSimulator sim;
    sim.start();
    f.ports = {sim.slavePath()};
    QTest::mouseClick(f.main->buttonConnexion(), Qt::LeftButton);
    QVERIFY(answerer.waitForMessages(3));
    QCOMPARE(answerer.messages.last(), detectedOn(sim.slavePath()));
    QVERIFY(f.main->megaMenu()->isEnabled());
    QVERIFY(!f.main->panelInfoConnexion()->isVisible());
    QVERIFY(f.main->groupBoxIdent()->isVisible());
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
    QVERIFY(f.main->panelInfoConnexion()->isVisible());
    QVERIFY(!f.main->megaMenu()->isEnabled());

    sim.setSilent(false);
    QTest::mouseClick(f.main->buttonConnexion(), Qt::LeftButton);
    QVERIFY(answerer.waitForMessages(2));
    QCOMPARE(answerer.messages.last(), detectedOn(sim.slavePath()));
    QVERIFY(f.main->megaMenu()->isEnabled());
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
    QCOMPARE(f.main->comPort().Port(), answering.slavePath());
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
    QWidget* panels[] = {w.panelAccueil(), w.panelLecture(), w.panelInitialisation(),
                         w.panelHeader()};
    for (int entry = 3; entry >= 0; --entry) {
        sim.clearTranscript();
        answerer.clear();
        w.MegaMenuMenuItemClick(entry);
        QVERIFY(sim.receivedLines().contains("#i"));
        for (int p = 0; p < 4; ++p)
            QCOMPARE(panels[p]->isVisible(), p == entry);
        QCOMPARE(w.groupBoxIdent()->isVisible(), entry == 0);
        QVERIFY(!w.comPort().Connected());
    }
}

void TestMainWindow::homeEntryWithInstrumentGone() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    f.main->MegaMenuMenuItemClick(1);
    sim.setSilent(true); // switched off, the port itself still opens
    answerer.clear();
    f.main->MegaMenuMenuItemClick(0);
    QCOMPARE(answerer.messages, QStringList({kNoAnswer}));
    QVERIFY(f.main->panelAccueil()->isVisible());
    QVERIFY(f.main->panelInfoConnexion()->isVisible());
    QVERIFY(!f.main->groupBoxIdent()->isVisible());
    QVERIFY(f.main->megaMenu()->isEnabled());
    QVERIFY(!f.main->comPort().Connected());

    // Entry 2 with no answer also falls back to the home panel.
    answerer.clear();
    f.main->MegaMenuMenuItemClick(2);
    QCOMPARE(answerer.messages, QStringList({kNoAnswer}));
    QVERIFY(f.main->panelAccueil()->isVisible());
    QVERIFY(!f.main->panelInitialisation()->isVisible());
}

void TestMainWindow::unopenablePortGoesToErrorReport() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    sim.stop(); // unplugged: the device is gone
    answerer.clear();
    QTest::mouseClick(f.main->megaMenu()->item(1), Qt::LeftButton);
    QTRY_COMPARE(answerer.errors.size(), 1);
    QVERIFY(answerer.errors.first().startsWith(QStringLiteral("Unable to open com port")));
    // "… (Error: n)": a closing parenthesis sorts below the full stop, so none is added.
    QVERIFY(answerer.errors.first().endsWith(u')'));
    for (QWidget* p : {f.main->panelAccueil(), static_cast<QWidget*>(f.main->panelLecture()),
                       static_cast<QWidget*>(f.main->panelInitialisation()),
                       static_cast<QWidget*>(f.main->panelHeader())})
        QVERIFY(!p->isVisible());
    QVERIFY(!f.main->groupBoxIdent()->isVisible());
    QVERIFY(f.main->imageWait()->isVisible());
}

void TestMainWindow::maintenanceOpensNoPort() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    sim.stop(); // even unplugged
    answerer.clear();
    f.main->MegaMenuMenuItemClick(4);
    QVERIFY(answerer.errors.isEmpty());
    QVERIFY(!f.main->isEnabled());
    QVERIFY(f.password->isVisible());
    for (QWidget* p : {f.main->panelAccueil(), static_cast<QWidget*>(f.main->panelLecture())})
        QVERIFY(!p->isVisible());
    QVERIFY(!f.main->groupBoxIdent()->isVisible());
    f.password->close();
    QVERIFY(f.main->isEnabled());
}

void TestMainWindow::passwordRefusals() {
    MainWindowFixture f;
    DialogAnswerer answerer;
    startAndAnswer(f, answerer);
    f.main->MegaMenuMenuItemClick(4);
    for (const QString& attempt : {QStringLiteral("morvel"), QStringLiteral("MORVEL52"),
                                   QStringLiteral("morvel52 "), QString()}) {
        answerer.clear();
        f.password->editPassword()->setText(attempt);
        QTest::mouseClick(f.password->buttonOK(), Qt::LeftButton);
        QCOMPARE(answerer.messages, QStringList({"     Mot de passe incorrect      "}));
        QVERIFY(f.password->editPassword()->text().isEmpty());
        QVERIFY(f.password->isVisible());
        QVERIFY(!f.main->MaintenanceMode());
    }
    QCOMPARE(f.password->editPassword()->maxLength(), 16);
    QCOMPARE(f.password->editPassword()->echoMode(), QLineEdit::Password);
}

void TestMainWindow::passwordAcceptedByEnter() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    f.main->MegaMenuMenuItemClick(4);
    sim.clearTranscript();
    answerer.clear();
    f.password->editPassword()->setFocus();
    QTest::keyClicks(f.password->editPassword(), QStringLiteral("morvel52"));
    QTest::keyClick(f.password->editPassword(), Qt::Key_Return);
    QVERIFY(f.main->MaintenanceMode());
    QVERIFY(!f.password->isVisible());
    QVERIFY(f.main->isEnabled());
    QVERIFY(f.main->panelAccueil()->isVisible());
    QVERIFY(f.main->groupBoxIdent()->isVisible());
    QCOMPARE(sim.receivedLines(), QList<QByteArray>({"#i"})); // searched again
    QVERIFY(answerer.messages.isEmpty());                     // without a message

    // Shown again, the field starts empty; cancelling never clears the mode.
    f.main->MegaMenuMenuItemClick(4);
    QVERIFY(f.password->editPassword()->text().isEmpty());
    QTest::mouseClick(f.password->buttonAnnuler(), Qt::LeftButton);
    QVERIFY(f.main->MaintenanceMode());
}

void TestMainWindow::passwordCancelSearchesAgain() {
    MainWindowFixture f;
    DialogAnswerer answerer;
    startAndAnswer(f, answerer); // nothing found
    InstrumentSimulator sim;
    sim.start();
    f.ports = {sim.slavePath()};
    f.main->MegaMenuMenuItemClick(4);
    f.password->editPassword()->setText(QStringLiteral("wrong"));
    QTest::mouseClick(f.password->buttonAnnuler(), Qt::LeftButton);
    QVERIFY(!f.main->MaintenanceMode());
    QVERIFY(f.main->panelAccueil()->isVisible());
    QVERIFY(f.main->groupBoxIdent()->isVisible());
    QCOMPARE(sim.receivedLines(), QList<QByteArray>({"#i"}));
    QCOMPARE(f.main->comPort().Port(), sim.slavePath());
    // The search from the dialog leaves the menu and the prompt as they were.
    QVERIFY(!f.main->megaMenu()->isEnabled());
    QVERIFY(f.main->panelInfoConnexion()->isVisible());
}

void TestMainWindow::passwordPlatformCloseRunsNoSearch() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    f.main->MegaMenuMenuItemClick(4);
    sim.clearTranscript();
    f.password->close(); // the platform's close command
    QVERIFY(f.main->isEnabled());
    QVERIFY(f.main->panelAccueil()->isVisible());
    QVERIFY(!f.main->groupBoxIdent()->isVisible());
    QTest::qWait(100);
    QVERIFY(sim.receivedLines().isEmpty());
}

void TestMainWindow::windowCloseTakesThePasswordDialogAlong() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    f.main->MegaMenuMenuItemClick(4);
    QVERIFY(f.password->isVisible());
    QCOMPARE(f.password->windowHandle()->transientParent(), f.main->windowHandle());
    sim.clearTranscript();

    // A window manager closes the disabled window all the same.
    QVERIFY(f.main->close());
    QVERIFY(!f.password->isVisible());
    QVERIFY(QFile::exists(f.main->settingsPath())); // the folders saved as at every close
    // No window is left that would keep the program running.
    for (QWindow* window : QGuiApplication::topLevelWindows())
        QVERIFY2(!window->isVisible() || window->transientParent(),
                 qPrintable(window->objectName()));
    QTest::qWait(100);
    QVERIFY(sim.receivedLines().isEmpty());
}

void TestMainWindow::secondClickDuringAnExchangeIsIgnored() {
    WithInstrument rig;
    QVERIFY(rig.start());
    auto& [sim, f, answerer] = rig;
    sim.clearTranscript();
    sim.setReplyDelay(600);
    bool repainted = false;
    QTimer::singleShot(200, f.main.get(), [&] {
        QVERIFY(f.main->exchange().isWaiting());
        f.main->MegaMenuMenuItemClick(2); // ignored: the first exchange still waits
        f.main->ButtonConnexionClick();   // ignored too
        f.main->repaint();
        repainted = true;
    });
    f.main->MegaMenuMenuItemClick(1);
    QVERIFY(repainted);
    QVERIFY(f.main->panelLecture()->isVisible());
    QVERIFY(!f.main->panelInitialisation()->isVisible());
    QTest::qWait(100);
    QCOMPARE(sim.receivedLines(), QList<QByteArray>({"#i"}));
    QVERIFY(!f.main->timerAutoConnect()->isActive());
}

void TestMainWindow::statusWindowShowsTextOnSecondLine() {
    MainWindowFixture f;
    DialogAnswerer answerer;
    startAndAnswer(f, answerer);
    f.main->AfficheInfo(QStringLiteral("Lecture en cours"));
    QCOMPARE(f.main->splashScreen()->lines(), QStringList({"", "Lecture en cours", ""}));
    f.main->AfficheInfo(QStringLiteral("autre"));
    QCOMPARE(f.main->splashScreen()->lines(), QStringList({"", "autre", ""}));
    QCOMPARE(f.main->splashScreen()->size(), QSize(400, 100));
    QVERIFY(f.main->splashScreen()->windowFlags() & Qt::WindowStaysOnTopHint);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
