#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <chrono>
#include <deque>

class FolderChangeNotifier;
class QTimer;

// Tells when a serial port appears or goes away: one the search would list (ListComPorts),
// or a path of VEXA_EXTRA_PORTS coming into existence (a symbolic link made in its folder
// counts). A port is announced once it has existed for the settle time, so that programs that
// seize a new adapter for a moment (brltty, ModemManager) are done with it; one that goes
// before that is never announced. Ports present at start() are known, not announced.
//
// It sleeps while nothing changes: on Linux it looks again only when /dev, /dev/serial/by-id
// or the folder of an extra path changes, and a timer runs only while a port settles. Where
// that notification cannot be had it looks every second.
//
// Signals go out one at a time, in order, never nested: a slot may run an operation with its
// own event loop (a whole transfer); what happens meanwhile is told after it returns, and a
// port that came and went meanwhile is not told at all.
class PortWatcher : public QObject {
    Q_OBJECT
public:
    enum class Wakeup { SystemNotification, Polling };

    // `wakeup` Polling makes it look every second even where notification is available.
    explicit PortWatcher(QObject* parent = nullptr, Wakeup wakeup = Wakeup::SystemNotification);
    ~PortWatcher() override;

    static constexpr std::chrono::milliseconds kDefaultSettleTime{1000};
    static constexpr std::chrono::milliseconds kPollInterval{1000};

    void setSettleTime(std::chrono::milliseconds settle);
    std::chrono::milliseconds settleTime() const { return m_settle; }

    // Takes the ports present now as known and starts watching; does nothing when running.
    void start();
    // Stops watching and forgets every port; nothing is told after it, even from a slot.
    void stop();
    bool isRunning() const { return m_running; }
    // True when the system's notification could not be had and it looks every second.
    bool isPolling() const;

    // The ports present and settled (announced, or known at start), sorted.
    QStringList ports() const;

Q_SIGNALS:
    void portAppeared(const QString& name);
    void portVanished(const QString& name);

private:
    struct Notice {
        bool appeared;
        QString name;
    };

    void look(const QSet<QString>& replaced = {});
    QSet<QString> presentPorts() const;
    QStringList watchedFolders() const;
    void settleDue();
    void armSettleTimer();
    void tell(bool appeared, const QString& name);
    void deliver();

    Wakeup m_wakeup;
    std::chrono::milliseconds m_settle = kDefaultSettleTime;
    bool m_running = false;
    bool m_delivering = false;
    FolderChangeNotifier* m_folders = nullptr;
    QTimer* m_pollTimer = nullptr;
    QTimer* m_settleTimer = nullptr;
    QElapsedTimer m_clock;
    QSet<QString> m_settled;
    QHash<QString, qint64> m_settling; // name -> m_clock time at which it is settled
    std::deque<Notice> m_outbox;
};
