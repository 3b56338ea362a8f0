#include "support/PtyPeer.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

PtyPeer::PtyPeer(QObject* parent) : QObject(parent) {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        qWarning("PtyPeer: cannot create a pseudo-terminal: %s", strerror(errno));
        hangUp();
        return;
    }
    m_path = QString::fromLocal8Bit(::ptsname(m_master));
    m_slave = ::open(m_path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_slave >= 0) {
        // Raw both ways: the line discipline must neither echo nor translate CR and LF,
        // also when the program restores the terminal's settings at close.
        termios tio{};
        if (::tcgetattr(m_slave, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(m_slave, TCSANOW, &tio);
        }
    }
    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyPeer::readAvailable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyPeer::flushOutgoing);
}

PtyPeer::~PtyPeer() {
    hangUp();
}

void PtyPeer::readAvailable() {
    if (m_master < 0)
        return;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(m_master, buffer, sizeof buffer);
        if (got > 0) {
            m_received.append(buffer, got);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        break;
    }
    splitLines();
}

void PtyPeer::splitLines() {
    for (;;) {
        const qsizetype end = m_received.indexOf("\r\n", m_lineStart);
        if (end < 0)
            return;
        const QByteArray line = m_received.mid(m_lineStart, end - m_lineStart);
        m_lineStart = end + 2;
        ++m_lines;
        if (onLine)
            onLine(line);
        else if (!m_autoReply.isEmpty())
            send(m_autoReply);
    }
}

bool PtyPeer::waitForReceived(qsizetype bytes, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (m_master >= 0 && m_received.size() < bytes) {
        pollfd pfd{m_master, POLLIN, 0};
        const int left = int(deadline.remainingTime());
        if (left <= 0 || ::poll(&pfd, 1, left) <= 0)
            break;
        const qsizetype before = m_received.size();
        readAvailable();
        if (m_received.size() == before)
            break;
    }
    return m_received.size() >= bytes;
}

void PtyPeer::send(const QByteArray& bytes) {
    if (m_master < 0)
        return;
    m_outgoing += bytes;
    flushOutgoing();
}

void PtyPeer::sendLater(int ms, const QByteArray& bytes) {
    QTimer::singleShot(ms, this, [this, bytes] { send(bytes); });
}

void PtyPeer::flushOutgoing() {
    while (m_master >= 0 && !m_outgoing.isEmpty()) {
        const ssize_t put = ::write(m_master, m_outgoing.constData(), size_t(m_outgoing.size()));
        if (put > 0) {
            m_outgoing.remove(0, put);
            continue;
        }
        if (put < 0 && errno == EINTR)
            continue;
        break; // the terminal's queue is full: go on when it drains
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(m_master >= 0 && !m_outgoing.isEmpty());
}

void PtyPeer::hangUp() {
    // May run from inside a notifier's own signal (an onLine handler that hangs up).
    for (QSocketNotifier* notifier : {m_readNotifier, m_writeNotifier}) {
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
    m_readNotifier = nullptr;
    m_writeNotifier = nullptr;
    if (m_slave >= 0)
        ::close(m_slave);
    m_slave = -1;
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
    m_outgoing.clear();
}

bool PtyPeer::lineSettings(termios& settings) const {
    return m_slave >= 0 && ::tcgetattr(m_slave, &settings) == 0;
}

void PtyPeer::hangUpLater(int ms) {
    QTimer::singleShot(ms, this, [this] { hangUp(); });
}
