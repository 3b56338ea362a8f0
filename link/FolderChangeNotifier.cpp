#include "link/FolderChangeNotifier.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_LINUX
// No IN_MODIFY or IN_ACCESS: every write to /dev/null or to a terminal would wake us.
// IN_ATTRIB catches udev giving a new device its group and mode.
constexpr uint32_t kWatchMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB |
                                IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_EXCL_UNLINK;
constexpr uint32_t kReplacingEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
#endif

} // namespace

FolderChangeNotifier::FolderChangeNotifier(QObject* parent) : QObject(parent) {}

FolderChangeNotifier::~FolderChangeNotifier() {
    stop();
}

QString FolderChangeNotifier::entryKey(const QString& path) {
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? QDir::cleanPath(info.absolutePath()) : folder) + u'/' +
           info.fileName();
}

bool FolderChangeNotifier::watch(const QStringList& folders) {
    stop();
#ifdef Q_OS_LINUX
    m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0)
        return false;
    m_wanted = folders;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &FolderChangeNotifier::readEvents);
    updateWatches();
    if (m_folderOfWatch.isEmpty()) { // not one folder could be watched (no watches left)
        stop();
        return false;
    }
    return true;
#else
    Q_UNUSED(folders);
    return false;
#endif
}

void FolderChangeNotifier::stop() {
    delete m_notifier;
    m_notifier = nullptr;
#ifdef Q_OS_LINUX
    if (m_fd >= 0)
        ::close(m_fd);
#endif
    m_fd = -1;
    m_wanted.clear();
    m_folderOfWatch.clear();
}

bool FolderChangeNotifier::isWatching() const {
    return m_fd >= 0;
}

QString FolderChangeNotifier::watchTargetOf(const QString& folder) const {
    QString path = QDir::cleanPath(folder);
    while (!QFileInfo(path).isDir()) {
        const QString up = QFileInfo(path).path();
        if (up == path)
            return {};
        path = up;
    }
    return QFileInfo(path).canonicalFilePath();
}

// Watches each wanted folder, or its nearest existing parent. Repeated until nothing moves:
// a folder created between looking and watching its parent would otherwise go unseen.
void FolderChangeNotifier::updateWatches() {
#ifdef Q_OS_LINUX
    for (int round = 0; round < 8; ++round) {
        QSet<QString> targets;
        for (const QString& folder : std::as_const(m_wanted))
            if (const QString target = watchTargetOf(folder); !target.isEmpty())
                targets.insert(target);
        bool moved = false;
        for (auto it = m_folderOfWatch.begin(); it != m_folderOfWatch.end();) {
            if (targets.remove(it.value())) {
                ++it;
                continue;
            }
            ::inotify_rm_watch(m_fd, it.key());
            it = m_folderOfWatch.erase(it);
        }
        for (const QString& target : std::as_const(targets)) {
            const int wd =
                ::inotify_add_watch(m_fd, QFile::encodeName(target).constData(), kWatchMask);
            if (wd >= 0 && !m_folderOfWatch.contains(wd)) {
                m_folderOfWatch.insert(wd, target);
                moved = true;
            }
        }
        if (!moved)
            return;
    }
#endif
}

void FolderChangeNotifier::readEvents() {
#ifdef Q_OS_LINUX
    QSet<QString> replaced;
    alignas(inotify_event) char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // EAGAIN: all read
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_IGNORED) {
                m_folderOfWatch.remove(event->wd);
                continue;
            }
            if (!(event->mask & kReplacingEvents) || event->len == 0)
                continue;
            const QString folder = m_folderOfWatch.value(event->wd);
            if (!folder.isEmpty())
                replaced.insert(folder + u'/' + QFile::decodeName(event->name));
        }
    }
    updateWatches();
    Q_EMIT changed(replaced);
#endif
}
