#include "support/PtyPeer.h"

#include "common/Errors.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

PtyPeer::PtyPeer(QObject* parent) : QObject(parent) {
    try {
        m_pty.open(QString());
    } catch (const VexaError& e) {
        qWarning("PtyPeer: %s", qPrintable(e.message()));
        return;
    }
    m_path = m_pty.slavePath();
    const int master = m_pty.masterFd();
    m_readNotifier = new QSocketNotifier(master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyPeer::readAvailable);
    m_writeNotifier = new QSocketNotifier(master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyPeer::flushOutgoing);
}

PtyPeer::~PtyPeer() {
    hangUp();
}

void PtyPeer::readAvailable() {
    if (!m_pty.isOpen())
        return;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(m_pty.masterFd(), buffer, sizeof buffer);
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
    while (m_pty.isOpen() && m_received.size() < bytes) {
        pollfd pfd{m_pty.masterFd(), POLLIN, 0};
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

bool PtyPeer::waitUntilProgramCanRead(int timeoutMs) const {
    if (!m_pty.isOpen())
        return false;
    // The pair's slave descriptor reads the same queue as the program's port.
    pollfd pfd{m_pty.slaveFd(), POLLIN, 0};
    return ::poll(&pfd, 1, timeoutMs) > 0 && (pfd.revents & POLLIN);
}

void PtyPeer::send(const QByteArray& bytes) {
    if (!m_pty.isOpen())
        return;
    m_outgoing += bytes;
    flushOutgoing();
}

void PtyPeer::sendLater(int ms, const QByteArray& bytes) {
    QTimer::singleShot(ms, this, [this, bytes] { send(bytes); });
}

void PtyPeer::flushOutgoing() {
    while (m_pty.isOpen() && !m_outgoing.isEmpty()) {
        const ssize_t put =
            ::write(m_pty.masterFd(), m_outgoing.constData(), size_t(m_outgoing.size()));
        if (put > 0) {
            m_outgoing.remove(0, put);
            continue;
        }
        if (put < 0 && errno == EINTR)
            continue;
        break; // the terminal's queue is full: go on when it drains
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(m_pty.isOpen() && !m_outgoing.isEmpty());
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
    m_pty.close();
    m_outgoing.clear();
}

bool PtyPeer::lineSettings(termios& settings) const {
    return m_pty.isOpen() && ::tcgetattr(m_pty.slaveFd(), &settings) == 0;
}

void PtyPeer::hangUpLater(int ms) {
    QTimer::singleShot(ms, this, [this] { hangUp(); });
}
