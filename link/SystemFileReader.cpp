#include "link/SystemFileReader.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

std::optional<SystemFile> readSystemFile(const QString& path, qsizetype limit) {
    SystemFile file;
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    // Looked at before it is opened: opening a device may already act on it.
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    const int fd =
        ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    // The name may have been given to something else since.
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    file.owner = status.st_uid;
    file.bytes.resize(limit);
    qsizetype got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, file.bytes.data() + got, size_t(limit - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    ::close(fd);
    file.bytes.truncate(got);
#else
    QFile qfile(path);
    if (!qfile.open(QIODevice::ReadOnly))
        return std::nullopt;
    file.bytes = qfile.read(limit);
#endif
    return file;
}
