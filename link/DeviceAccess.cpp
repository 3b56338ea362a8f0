#include "link/DeviceAccess.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>
#endif

namespace {

#ifdef Q_OS_UNIX
QString userNameOf(uid_t uid) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(uid);
}

QString groupNameOf(gid_t gid) {
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->gr_name);
    return QString::number(gid);
}

bool groupExists(const char* name) {
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    return ::getgrnam_r(name, &entry, buffer.data(), buffer.size(), &found) == 0 && found;
}

bool processHasGroup(gid_t gid) {
    if (::getegid() == gid)
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    const int got = ::getgroups(count, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[size_t(i)] == gid)
            return true;
    return false;
}

// The user database's view, which a new session will have: someone just added to a
// group is listed here before their running session gets it.
bool userListedInGroup(uid_t uid, gid_t gid) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return false;
    int count = 64;
    std::vector<gid_t> groups;
    for (int tries = 0; tries < 4; ++tries) {
        groups.resize(size_t(count));
        if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) >= 0) {
            groups.resize(size_t(count));
            for (gid_t g : groups)
                if (g == gid)
                    return true;
            return false;
        }
    }
    return false;
}
#endif

} // namespace

DeviceAccess deviceAccess(const QString& path) {
    DeviceAccess access;
#ifdef Q_OS_UNIX
    const uid_t uid = ::geteuid();
    access.userName = userNameOf(uid);
    access.serialGroup = serialPortGroup();
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    if (::stat(native.constData(), &status) != 0) {
        access.kind = errno == EACCES ? DeviceAccess::Unreachable : DeviceAccess::Missing;
        return access;
    }
    if (S_ISCHR(status.st_mode))
        access.kind = DeviceAccess::CharDevice;
    else if (S_ISREG(status.st_mode))
        access.kind = DeviceAccess::RegularFile;
    else if (S_ISDIR(status.st_mode))
        access.kind = DeviceAccess::Directory;
    else
        access.kind = DeviceAccess::OtherFile;
    access.owner = userNameOf(status.st_uid);
    access.group = groupNameOf(status.st_gid);
    access.groupMayReadWrite = (status.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    // The effective ids decide what an open may do; access() would ask about the real ones.
    access.mayOpen = ::faccessat(AT_FDCWD, native.constData(), R_OK | W_OK, AT_EACCESS) == 0;
    access.processHasGroup = processHasGroup(status.st_gid);
    access.userListedInGroup = access.processHasGroup || userListedInGroup(uid, status.st_gid);
#else
    const QFileInfo info(path);
    access.kind = info.exists() ? DeviceAccess::CharDevice : DeviceAccess::Missing;
    access.mayOpen = true;
#endif
    return access;
}

QString serialPortGroup() {
#ifdef Q_OS_UNIX
    if (!groupExists("dialout") && groupExists("uucp"))
        return QStringLiteral("uucp");
#endif
    return QStringLiteral("dialout");
}
