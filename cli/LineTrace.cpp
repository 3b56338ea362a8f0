#include "cli/LineTrace.h"

#include "common/Errors.h"
#include "common/Messages.h"

LineTrace::LineTrace(const QString& path) : m_file(path) {
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EFileError(msg(MsgId::CannotWriteFileReason).arg(path, m_file.errorString()));
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
        writeLine("--", m_lastPort);
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

QString visibleBytes(const QByteArray& bytes) {
    QString text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (byte) {
        case '\r':
            text += QStringLiteral("\\r");
            break;
        case '\n':
            text += QStringLiteral("\\n");
            break;
        case '\t':
            text += QStringLiteral("\\t");
            break;
        case '\\':
            text += QStringLiteral("\\\\");
            break;
        default:
            if (byte >= 0x20 && byte < 0x7f)
                text += QLatin1Char(c);
            else
                text += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
        }
    }
    return text;
}
