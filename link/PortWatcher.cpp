#include "link/PortWatcher.h"

#include "link/FolderChangeNotifier.h"
#include "link/TComPort.h"

#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include <algorithm>

PortWatcher::PortWatcher(QObject* parent, Wakeup wakeup)
    : QObject(parent), m_wakeup(wakeup), m_folders(new FolderChangeNotifier(this)),
      m_pollTimer(new QTimer(this)), m_settleTimer(new QTimer(this)) {
    m_pollTimer->setInterval(kPollInterval);
    m_settleTimer->setSingleShot(true);
    m_settleTimer->setTimerType(Qt::PreciseTimer);
    connect(m_folders, &FolderChangeNotifier::changed, this, &PortWatcher::look);
    connect(m_pollTimer, &QTimer::timeout, this, [this] { look(); });
    // Looks again rather than trusting the last look: a linked device can go while its link
    // stays, and nothing in the watched folders tells that.
    connect(m_settleTimer, &QTimer::timeout, this, [this] { look(); });
}

PortWatcher::~PortWatcher() {
    stop();
}

void PortWatcher::setSettleTime(std::chrono::milliseconds settle) {
    m_settle = std::max(settle, std::chrono::milliseconds(0));
}

void PortWatcher::start() {
    if (m_running)
        return;
    m_running = true;
    m_clock.start();
    m_settling.clear();
    m_outbox.clear();
    // Watching before listing: a port that comes in between is seen by the next look.
    if (m_wakeup == Wakeup::Polling || !m_folders->watch(watchedFolders()))
        m_pollTimer->start();
    m_settled = presentPorts();
}

void PortWatcher::stop() {
    m_running = false;
    m_folders->stop();
    m_pollTimer->stop();
    m_settleTimer->stop();
    m_settled.clear();
    m_settling.clear();
    m_outbox.clear();
}

bool PortWatcher::isPolling() const {
    return m_pollTimer->isActive();
}

QStringList PortWatcher::ports() const {
    QStringList names(m_settled.begin(), m_settled.end());
    names.sort();
    return names;
}

QStringList PortWatcher::watchedFolders() const {
    QStringList folders{QStringLiteral("/dev"), QStringLiteral("/dev/serial/by-id")};
    for (const QString& path : extraPortPaths())
        folders.append(QFileInfo(path).absolutePath());
    folders.removeDuplicates();
    return folders;
}

QSet<QString> PortWatcher::presentPorts() const {
    QStringList listed;
    ListComPorts(listed);
    const QStringList extra = extraPortPaths();
    QSet<QString> present;
    for (const QString& name : std::as_const(listed))
        if (!extra.contains(name) || QFileInfo::exists(name))
            present.insert(name);
    return present;
}

void PortWatcher::look(const QSet<QString>& replaced) {
    if (!m_running)
        return;
    const QSet<QString> present = presentPorts();
    auto gone = [&](const QString& name) {
        return !present.contains(name) ||
               (!replaced.isEmpty() && replaced.contains(FolderChangeNotifier::entryKey(name)));
    };
    const QSet<QString> settled = m_settled;
    for (const QString& name : settled)
        if (gone(name)) {
            m_settled.remove(name);
            tell(false, name);
        }
    for (auto it = m_settling.begin(); it != m_settling.end();)
        it = gone(it.key()) ? m_settling.erase(it) : std::next(it);

    const qint64 due = m_clock.elapsed() + m_settle.count();
    for (const QString& name : present)
        if (!m_settled.contains(name) && !m_settling.contains(name))
            m_settling.insert(name, due);
    settleDue();
    deliver();
}

void PortWatcher::settleDue() {
    const qint64 now = m_clock.elapsed();
    QStringList due;
    for (auto it = m_settling.cbegin(); it != m_settling.cend(); ++it)
        if (it.value() <= now)
            due.append(it.key());
    due.sort();
    for (const QString& name : std::as_const(due)) {
        m_settling.remove(name);
        m_settled.insert(name);
        tell(true, name);
    }
    armSettleTimer();
}

void PortWatcher::armSettleTimer() {
    if (m_settling.isEmpty()) {
        m_settleTimer->stop();
        return;
    }
    const qint64 next = *std::min_element(m_settling.cbegin(), m_settling.cend());
    m_settleTimer->start(int(std::max<qint64>(1, next - m_clock.elapsed())));
}

void PortWatcher::tell(bool appeared, const QString& name) {
    if (!appeared) {
        // Gone before its arrival was told: the receiver never hears of it.
        const auto told = std::find_if(m_outbox.begin(), m_outbox.end(), [&](const Notice& n) {
            return n.appeared && n.name == name;
        });
        if (told != m_outbox.end()) {
            m_outbox.erase(told);
            return;
        }
    }
    m_outbox.push_back({appeared, name});
}

void PortWatcher::deliver() {
    if (m_delivering)
        return;
    m_delivering = true;
    const QPointer<PortWatcher> self(this);
    while (!m_outbox.empty()) {
        const Notice notice = m_outbox.front();
        m_outbox.pop_front();
        if (notice.appeared)
            Q_EMIT portAppeared(notice.name);
        else
            Q_EMIT portVanished(notice.name);
        if (!self)
            return;
    }
    m_delivering = false;
}
