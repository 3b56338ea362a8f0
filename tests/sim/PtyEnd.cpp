#include "PtyEnd.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

PtyEnd::PtyEnd(const QString& path) {
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    termios mode{};
    ::tcgetattr(m_fd, &mode);
    ::cfmakeraw(&mode);
    ::cfsetspeed(&mode, B38400);
    ::tcsetattr(m_fd, TCSANOW, &mode);
    ::tcflush(m_fd, TCIOFLUSH);
}

PtyEnd::~PtyEnd() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void PtyEnd::send(const QByteArray& bytes) {
    qsizetype done = 0;
    while (m_fd >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EAGAIN) {
            pollfd p{m_fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
        } else if (n < 0 && errno != EINTR) {
            return;
        }
    }
}

QByteArray PtyEnd::read(const QByteArray& until, int timeoutMs) {
    m_chunks.clear();
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    while (m_fd >= 0 && (until.isEmpty() || !got.contains(until))) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            break;
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, int(left)) <= 0)
            continue;
        if (p.revents & (POLLHUP | POLLERR) && !(p.revents & POLLIN))
            break;
        char buffer[4096];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0) {
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            break;
        }
        got.append(buffer, n);
        m_chunks.append({clock.elapsed(), QByteArray(buffer, n)});
    }
    return got;
}

QByteArray PtyEnd::readUntil(const QByteArray& until, int timeoutMs) {
    return read(until, timeoutMs);
}

QByteArray PtyEnd::readFor(int ms) {
    return read(QByteArray(), ms);
}

QByteArray PtyEnd::exchange(const QByteArray& command, int timeoutMs) {
    sendLine(command);
    return readUntil("\r\n", timeoutMs);
}

bool PtyEnd::waitForHangUp(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (m_fd >= 0) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return false;
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, int(left)) <= 0)
            continue;
        if (p.revents & (POLLHUP | POLLERR))
            return true;
        char buffer[256];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n == 0 || (n < 0 && errno == EIO))
            return true;
    }
    return false;
}
