#include "link/SystemFacts.h"

#include "link/SystemFileParsers.h"
#include "link/SystemFileReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <utility>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace {

// Where serial programs put their lock files, the usual places first.
const char* const kLockFolders[] = {
    "run/lock",  "var/lock", "var/lock/lockdev", "var/spool/locks", "var/spool/uucp",
    "etc/locks", "tmp",      "var/tmp"};

// The kernel keeps this many characters of a process name.
constexpr qsizetype kKernelNameLength = 15;

QByteArray readSmall(const QString& path) {
    const auto file = readSystemFile(path);
    return file ? file->bytes : QByteArray();
}

QString readText(const QString& path) {
    return parseSysText(readSmall(path));
}

quint16 readHexId(const QString& path) {
    return parseHexId(readSmall(path));
}

// The names a device's lock file may have: Qt's (the path below /dev, or the whole path,
// with '/' turned into '_') and the classic one (the file name alone).
QStringList lockFileNames(const QString& device) {
    const QString prefix = QStringLiteral("LCK..");
    QString qtName = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    qtName.replace(u'/', u'_');
    QStringList names{prefix + qtName};
    const QString classic = prefix + QFileInfo(device).fileName();
    if (classic != names.first())
        names.append(classic);
    return names;
}

// The descriptors in a folder and where their symbolic links point, read without following
// them: a descriptor's target may be anything, and looking at it must not wait on it.
QList<std::pair<QString, QString>> linkTargets(const QString& folder) {
    QList<std::pair<QString, QString>> targets;
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(folder);
    DIR* dir = ::opendir(native.constData());
    if (!dir)
        return targets;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        char target[PATH_MAX];
        const QByteArray link = native + '/' + entry->d_name;
        const ssize_t length = ::readlink(link.constData(), target, sizeof target);
        if (length > 0)
            targets.append(
                {QFile::decodeName(entry->d_name), QFile::decodeName(QByteArray(target, length))});
    }
    ::closedir(dir);
#else
    Q_UNUSED(folder);
#endif
    return targets;
}

// The index of a pseudo-terminal's far end: 3 for /dev/pts/3.
std::optional<int> ptyIndex(const QString& device) {
    static const QString prefix = QStringLiteral("/dev/pts/");
    if (!device.startsWith(prefix))
        return std::nullopt;
    bool ok = false;
    const int index = device.mid(prefix.size()).toInt(&ok);
    return ok ? std::optional<int>(index) : std::nullopt;
}

bool isPtyMaster(const QString& target) {
    return target == u"/dev/ptmx" || target == u"/dev/pts/ptmx";
}

} // namespace

SystemFacts::SystemFacts(QString root, QStringList lockFolders)
    : m_root(std::move(root)), m_lockFolders(std::move(lockFolders)) {
    if (m_lockFolders.isEmpty())
        for (const char* folder : kLockFolders)
            m_lockFolders.append(under(QString::fromLatin1(folder)));
}

QString SystemFacts::under(const QString& path) const {
    return QDir(m_root).filePath(path);
}

QList<qint64> SystemFacts::processIds() const {
    QList<qint64> ids;
    const QStringList entries = QDir(under(QStringLiteral("proc"))).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (ok && pid > 0)
            ids.append(pid);
    }
    return ids;
}

bool SystemFacts::isLive(qint64 pid) const {
    if (!QFileInfo::exists(under(QStringLiteral("proc/%1").arg(pid))))
        return false;
    // An ended process waiting for its parent holds nothing any more.
    const auto stat = parseProcessStat(readSmall(under(QStringLiteral("proc/%1/stat").arg(pid))));
    return !stat || (stat->state != 'Z' && stat->state != 'X');
}

QString SystemFacts::processName(qint64 pid) const {
    const QString folder = under(QStringLiteral("proc/%1").arg(pid));
    QString name = parseProcessComm(readSmall(folder + QStringLiteral("/comm")));
    if (name.isEmpty())
        if (const auto stat = parseProcessStat(readSmall(folder + QStringLiteral("/stat"))))
            name = stat->name;
    if (name.size() < kKernelNameLength)
        return name;
    // Cut by the kernel: the program's file name gives the whole of it.
    const QString program = programOfCommandLine(readSmall(folder + QStringLiteral("/cmdline")));
    return program.startsWith(name) ? program : name;
}

std::optional<LockHolder> SystemFacts::lockHolder(const QString& device) const {
    const QStringList names = lockFileNames(device);
    for (const QString& folder : m_lockFolders) {
        for (const QString& name : names) {
            const auto file = readSystemFile(folder + u'/' + name);
            const auto claim = file ? parseLockFile(file->bytes) : std::nullopt;
            // A lock whose program has gone claims nothing.
            if (!claim || !isLive(claim->pid))
                continue;
            LockHolder holder;
            holder.pid = claim->pid;
            holder.name = processName(claim->pid);
            // Qt's lock files name the program on their second line.
            if (holder.name.isEmpty())
                holder.name = claim->name;
#ifdef Q_OS_UNIX
            struct stat process {};
            const QByteArray proc =
                QFile::encodeName(under(QStringLiteral("proc/%1").arg(claim->pid)));
            holder.certain = file->owner == 0 || (::stat(proc.constData(), &process) == 0 &&
                                                  process.st_uid == file->owner);
#endif
            return holder;
        }
    }
    return std::nullopt;
}

QString SystemFacts::blockingLockFile(const QString& device) const {
#ifdef Q_OS_UNIX
    const QStringList names = lockFileNames(device);
    for (const QString& folder : m_lockFolders) {
        for (const QString& name : names) {
            const QString path = folder + u'/' + name;
            struct stat status {};
            if (::lstat(QFile::encodeName(path).constData(), &status) == 0 &&
                !S_ISREG(status.st_mode))
                return path;
        }
    }
#else
    Q_UNUSED(device);
#endif
    return {};
}

QList<ProcessRef> SystemFacts::programsUsing(const QString& device) const {
    QList<ProcessRef> users;
    const qint64 self = m_root == u"/" ? QCoreApplication::applicationPid() : -1;
    const std::optional<int> index = ptyIndex(device);
    const QList<qint64> ids = processIds();
    for (qint64 pid : ids) {
        if (pid == self)
            continue;
        // Only our own processes' descriptors are visible to an ordinary user.
        const QString fds = under(QStringLiteral("proc/%1/fd").arg(pid));
        const auto targets = linkTargets(fds);
        bool uses = false;
        bool farEnd = false;
        for (const auto& [fd, target] : targets) {
            uses = uses || target == device;
            if (index && isPtyMaster(target)) {
                const QString info = under(QStringLiteral("proc/%1/fdinfo/").arg(pid)) + fd;
                farEnd = farEnd || parseTtyIndex(readSmall(info)) == index;
            }
        }
        if (uses && !farEnd)
            users.append(ProcessRef{pid, processName(pid)});
    }
    return users;
}

bool SystemFacts::isTerminal(const QString& device) const {
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(device).constData(), &status) != 0 || !S_ISCHR(status.st_mode))
        return false;
    const auto drivers = readSystemFile(under(QStringLiteral("proc/tty/drivers")), 65536);
    if (!drivers || drivers->bytes.isEmpty())
        return true;
    return ttyDriversCover(drivers->bytes, major(status.st_rdev), minor(status.st_rdev));
#else
    Q_UNUSED(device);
    return true;
#endif
}

bool SystemFacts::isRunning(const QString& name) const {
    const QString kernelName = name.left(kKernelNameLength);
    const QList<qint64> ids = processIds();
    for (qint64 pid : ids)
        if (parseProcessComm(readSmall(under(QStringLiteral("proc/%1/comm").arg(pid)))) ==
            kernelName)
            return true;
    return false;
}

bool SystemFacts::brlttyInstalled() const {
    for (const char* folder : {"usr/bin", "bin", "usr/sbin", "sbin", "usr/local/bin"})
        if (QFileInfo::exists(under(QString::fromLatin1(folder) + QStringLiteral("/brltty"))))
            return true;
    return false;
}

UsbAdapter SystemFacts::adapterOf(const QString& device) const {
    UsbAdapter adapter;
    const QString node = QFileInfo(under(QStringLiteral("sys/class/tty/") +
                                         QFileInfo(device).fileName() + QStringLiteral("/device")))
                             .canonicalFilePath();
    if (!node.isEmpty()) {
        adapter.driver =
            QFileInfo(QFile::symLinkTarget(node + QStringLiteral("/driver"))).fileName();
        // The USB device is the first folder above the port that carries USB ids.
        const QString sys = QFileInfo(under(QStringLiteral("sys"))).canonicalFilePath();
        for (QString dir = node; dir.size() > sys.size() && dir.startsWith(sys);
             dir = QFileInfo(dir).path()) {
            if (QFileInfo::exists(dir + QStringLiteral("/idVendor"))) {
                adapter.vendorId = readHexId(dir + QStringLiteral("/idVendor"));
                adapter.productId = readHexId(dir + QStringLiteral("/idProduct"));
                adapter.product = readText(dir + QStringLiteral("/product"));
                adapter.manufacturer = readText(dir + QStringLiteral("/manufacturer"));
                break;
            }
        }
    }
    // Systems without the kernel's device tree: Qt knows the ports it lists.
    if (m_root == u"/" && adapter.product.isEmpty() && !adapter.hasUsbIds()) {
        const QSerialPortInfo info(device);
        if (!info.isNull()) {
            adapter.product = info.description();
            adapter.manufacturer = info.manufacturer();
            if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
                adapter.vendorId = info.vendorIdentifier();
                adapter.productId = info.productIdentifier();
            }
        }
    }
    return adapter;
}

QList<UsbAdapter> SystemFacts::usbDevices() const {
    QList<UsbAdapter> devices;
    const QDir bus(under(QStringLiteral("sys/bus/usb/devices")));
    const QStringList entries = bus.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        const QString dir = bus.filePath(entry);
        // Interfaces sit beside their devices and carry no ids of their own.
        if (!QFileInfo::exists(dir + QStringLiteral("/idVendor")))
            continue;
        UsbAdapter device;
        device.vendorId = readHexId(dir + QStringLiteral("/idVendor"));
        device.productId = readHexId(dir + QStringLiteral("/idProduct"));
        device.product = readText(dir + QStringLiteral("/product"));
        device.manufacturer = readText(dir + QStringLiteral("/manufacturer"));
        devices.append(device);
    }
    return devices;
}
