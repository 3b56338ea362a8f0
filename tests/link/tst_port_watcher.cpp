// Ports coming and going as links to a simulated instrument in a folder named by
// VEXA_EXTRA_PORTS: what the watcher tells, when, and that it sleeps meanwhile.
#include "link/PortWatcher.h"
#include "sim/InstrumentSimulator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace std::chrono_literals;

namespace {

// Counts the timer events that reach an object tree: a watcher that wakes up by itself.
class TimerEventCounter : public QObject {
public:
    explicit TimerEventCounter(QObject* tree) {
        tree->installEventFilter(this);
        for (QObject* child : tree->findChildren<QObject*>())
            child->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Timer)
            ++count;
        return false;
    }
};

} // namespace

class TestPortWatcher : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void toldAfterSettleKnownPortsNot_data();
    void toldAfterSettleKnownPortsNot();
    void portGoneBeforeSettleIsNeverTold();
    void vanishedAndPluggedInAgain();
    void folderMadeLater();
    void idleWatcherSleeps();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    bool plug(const QString& name) { return QFile::link(m_sim->slavePath(), path(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<InstrumentSimulator> m_sim;
};

void TestPortWatcher::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("VEXA_EXTRA_PORTS", QFile::encodeName(path("known") + u':' + path("docked") + u':' +
                                                  path("brief") + u':' + path("later/sub/port")));
    m_sim = std::make_unique<InstrumentSimulator>();
    m_sim->start();
}

void TestPortWatcher::cleanup() {
    m_sim.reset();
    m_dir.reset();
    qunsetenv("VEXA_EXTRA_PORTS");
}

void TestPortWatcher::toldAfterSettleKnownPortsNot_data() {
    QTest::addColumn<PortWatcher::Wakeup>("wakeup");
    QTest::newRow("notification") << PortWatcher::Wakeup::SystemNotification;
    QTest::newRow("polling") << PortWatcher::Wakeup::Polling;
}

void TestPortWatcher::toldAfterSettleKnownPortsNot() {
    QFETCH(PortWatcher::Wakeup, wakeup);
    QVERIFY(plug("known"));
    PortWatcher watcher(nullptr, wakeup);
    watcher.setSettleTime(300ms);
    QSignalSpy appeared(&watcher, &PortWatcher::portAppeared);
    watcher.start();
    QCOMPARE(watcher.isPolling(), wakeup == PortWatcher::Wakeup::Polling);
    QVERIFY(watcher.ports().contains(path("known")));

    QElapsedTimer clock;
    clock.start();
    QVERIFY(plug("docked"));
    QVERIFY(appeared.wait(5000));
    QVERIFY2(clock.elapsed() >= 300, "told before the settle time");
    QCOMPARE(appeared.size(), 1);
    QCOMPARE(appeared[0][0].toString(), path("docked"));
    QVERIFY(watcher.ports().contains(path("docked")));
}

// brltty takes a new adapter and lets it go within the settle time: its port is never told.
void TestPortWatcher::portGoneBeforeSettleIsNeverTold() {
    PortWatcher watcher;
    QSignalSpy appeared(&watcher, &PortWatcher::portAppeared);
    QSignalSpy vanished(&watcher, &PortWatcher::portVanished);
    watcher.start();

    QVERIFY(plug("brief"));
    QCoreApplication::processEvents(); // the watcher sees it come
    QVERIFY(QFile::remove(path("brief")));
    QCoreApplication::processEvents();
    // Settling after the brief one, so told after it, were it told.
    QVERIFY(plug("docked"));
    QVERIFY(appeared.wait(5000));
    QCOMPARE(appeared.size(), 1);
    QCOMPARE(appeared[0][0].toString(), path("docked"));
    QCOMPARE(vanished.size(), 0);
}

void TestPortWatcher::vanishedAndPluggedInAgain() {
    m_sim->stop();
    m_sim->setLinkPath(path("docked"));
    m_sim->start();
    PortWatcher watcher;
    watcher.setSettleTime(200ms);
    QSignalSpy appeared(&watcher, &PortWatcher::portAppeared);
    QSignalSpy vanished(&watcher, &PortWatcher::portVanished);
    watcher.start(); // docked already: known, not told

    m_sim->stop(); // unplugged: its link goes
    QVERIFY(vanished.wait(5000));
    QCOMPARE(vanished[0][0].toString(), path("docked"));
    m_sim->start();
    QVERIFY(appeared.wait(5000));
    QCOMPARE(appeared.size(), 1);
    QCOMPARE(appeared[0][0].toString(), path("docked"));

    // Unplugged and plugged in again while the watcher does not look (a transfer runs
    // elsewhere): the link is back under the same name, yet it is another device.
    QVERIFY(QFile::remove(path("docked")));
    QVERIFY(plug("docked"));
    QTRY_COMPARE(appeared.size(), 2);
    QCOMPARE(vanished.size(), 2);
}

void TestPortWatcher::folderMadeLater() {
    PortWatcher watcher;
    watcher.setSettleTime(100ms);
    QSignalSpy appeared(&watcher, &PortWatcher::portAppeared);
    watcher.start();
    QVERIFY(!watcher.isPolling());
    QVERIFY(QDir(m_dir->path()).mkpath("later/sub"));
    QCoreApplication::processEvents(); // the new folder is watched from now on
    QVERIFY(plug("later/sub/port"));
    QVERIFY(appeared.wait(5000));
    QCOMPARE(appeared[0][0].toString(), path("later/sub/port"));
}

void TestPortWatcher::idleWatcherSleeps() {
    PortWatcher watcher;
    watcher.setSettleTime(100ms);
    QSignalSpy appeared(&watcher, &PortWatcher::portAppeared);
    watcher.start();
    QVERIFY(plug("docked"));
    QVERIFY(appeared.wait(5000)); // its settle timer has run once

    for (const QTimer* timer : watcher.findChildren<QTimer*>())
        QVERIFY(!timer->isActive());
    const TimerEventCounter idle(&watcher);
    // A watcher that has to poll wakes up; the wait ends after two of its looks.
    PortWatcher polling(nullptr, PortWatcher::Wakeup::Polling);
    polling.start();
    const TimerEventCounter looks(&polling);
    QTRY_VERIFY_WITH_TIMEOUT(looks.count >= 2, 10000);
    QCOMPARE(idle.count, 0);
}

QTEST_GUILESS_MAIN(TestPortWatcher)
#include "tst_port_watcher.moc"
