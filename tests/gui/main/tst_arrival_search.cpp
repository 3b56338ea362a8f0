// The window notices an instrument plugged in while its connection prompt waits, and only
// then.

#include "link/PortWatcher.h"
#include "sim/InstrumentSimulator.h"
#include "support/MainWindowFixture.h"
#include "ui/ArrivalSearch.h"
#include "ui/MegaMenu.h"

#include <QtTest>

namespace {

const QString kNotDetected = QStringLiteral("Aucun instrument n'a été détecté");

} // namespace

class TestArrivalSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void pluggedInWhilePromptWaitsIsFound();
    void noSearchWhileAnInstrumentIsConnected();

private:
    QTemporaryDir m_dock;
    QString docked() const { return m_dock.filePath(QStringLiteral("vexameter")); }
};

void TestArrivalSearch::init() {
    QFile::remove(docked());
    qputenv("VEXA_EXTRA_PORTS", docked().toLocal8Bit());
}

void TestArrivalSearch::pluggedInWhilePromptWaitsIsFound() {
    MainWindowFixture f;
    f.ports = {docked()};
    DialogAnswerer answerer;
    f.create();
    QVERIFY(answerer.waitForMessages(1));
    QCOMPARE(answerer.messages.first(), kNotDetected);
    QVERIFY(panelInfoConnexion(f.main)->isVisible());

    InstrumentSimulator sim;
    sim.setLinkPath(docked());
    sim.start();
    // No click: the port's arrival starts the search, which finds it.
    QVERIFY(answerer.waitForMessages(2));
    QVERIFY2(answerer.messages.last().contains(docked()), qPrintable(answerer.messages.last()));
    QVERIFY(megaMenu(f.main)->isEnabled());
    QVERIFY(!panelInfoConnexion(f.main)->isVisible());
    QCOMPARE(sim.receivedLines(), QList<QByteArray>({"#i"}));
    // Connected: the window no longer watches.
    QVERIFY(!f.main->findChild<ArrivalSearch*>()->isWatching());
}

void TestArrivalSearch::noSearchWhileAnInstrumentIsConnected() {
    InstrumentSimulator connected;
    connected.start();
    MainWindowFixture f;
    f.ports = {connected.slavePath(), docked()};
    DialogAnswerer answerer;
    f.create();
    QVERIFY(answerer.waitForMessages(1));
    QVERIFY(megaMenu(f.main)->isEnabled());

    // A watcher of the test's own, with the window's settle time, bounds the wait: once it
    // has told the arrival, the window's would have too.
    PortWatcher witness;
    witness.start();
    QSignalSpy arrived(&witness, &PortWatcher::portAppeared);
    InstrumentSimulator second;
    second.setLinkPath(docked());
    second.start();
    QVERIFY(arrived.wait(10000));
    QCoreApplication::processEvents();
    QVERIFY(!timerAutoConnect(f.main)->isActive());
    QCOMPARE(answerer.messages.size(), 1);
    QCOMPARE(second.receivedLines(), QList<QByteArray>());
    QCOMPARE(connected.receivedLines(), QList<QByteArray>({"#i"}));
}

QTEST_MAIN(TestArrivalSearch)
#include "tst_arrival_search.moc"
