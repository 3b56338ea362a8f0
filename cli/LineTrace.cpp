#include "cli/LineTrace.h"
#include "cli/CliMessages.h"

#include "common/Errors.h"
#include "common/Messages.h"
#include "common/TerminalText.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
[[noreturn]] void cannotWrite(const QString& path, int error) {
    throw EFileError(
        msg(MsgId::CannotWriteFileReason).arg(path, QString::fromLocal8Bit(std::strerror(error))));
}
#endif

} // namespace

LineTrace::LineTrace(const QString& path) {
#ifdef Q_OS_UNIX
    // A pipe someone planted at the path (in /tmp, say) must neither keep the tool waiting
    // for a reader nor receive the trace: opened without waiting, kept only if ordinary.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        cannotWrite(path, errno);
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw EFileError(cliMsg(CliMsg::NotAFile).arg(path, msg(MsgId::KindSpecialFile)));
    }
    if (::ftruncate(fd, 0) != 0) {
        const int error = errno;
        ::close(fd);
        cannotWrite(path, error);
    }
    m_file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
#else
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EFileError(msg(MsgId::CannotWriteFileReason).arg(path, m_file.errorString()));
#endif
    m_clock.start();
}

LineTrace::~LineTrace() {
    flushReceived();
}

void LineTrace::attach(TComPort& port) {
    port.OnTraffic = [this](TComPort* p, TComPort::Direction d, const QByteArray& bytes) {
        onTraffic(p, d, bytes);
    };
}

void LineTrace::onTraffic(TComPort* port, TComPort::Direction direction, const QByteArray& bytes) {
    if (port->Port() != m_lastPort) {
        flushReceived();
        m_lastPort = port->Port();
        writeLine("--", terminalSafe(m_lastPort));
    }
    if (direction == TComPort::Direction::Note) {
        flushReceived();
        writeLine("# ", terminalSafe(QString::fromUtf8(bytes)));
        return;
    }
    if (direction == TComPort::Direction::Sent) {
        // Whatever came without a line end before the command is shown as it stood.
        flushReceived();
        writeLine("> ", visibleBytes(bytes));
        return;
    }
    for (const char byte : bytes) {
        m_received += byte;
        if (byte == '\n')
            flushReceived();
    }
}

void LineTrace::flushReceived() {
    if (m_received.isEmpty())
        return;
    writeLine("< ", visibleBytes(m_received));
    m_received.clear();
}

void LineTrace::writeLine(const char* marker, const QString& text) {
    const qint64 ms = m_clock.elapsed();
    const QString stamp =
        QStringLiteral("%1.%2").arg(ms / 1000, 8).arg(ms % 1000, 3, 10, QLatin1Char('0'));
    m_file.write(
        (stamp + QStringLiteral("  ") + QLatin1String(marker) + QStringLiteral(" ") + text + u'\n')
            .toUtf8());
    // Support gets the trace also of a run that ended badly.
    m_file.flush();
}
