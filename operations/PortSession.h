#pragma once

#include "link/CommandExchange.h"
#include "link/TComPort.h"

#include <QString>

// Holds the serial port open for one operation: opened on construction, closed on every
// way out, so that a failure half-way never leaves the port held between user actions.
class PortSession {
public:
    explicit PortSession(TComPort& port) : m_port(port) { m_port.Open(); }
    ~PortSession() { close(); }
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    // Closing twice is harmless; the destructor's close then does nothing.
    void close() noexcept {
        try {
            m_port.Close();
        } catch (...) {
            // Nothing sensible is left to do with a port that cannot even be closed.
        }
    }

private:
    TComPort& m_port;
};

// One send-and-wait exchange; true when a complete (CR LF-terminated) reply came.
inline bool exchangeLine(CommandExchange& exchange, const QString& command) {
    exchange.EcrireCommande(command);
    exchange.AttendreReponse();
    return exchange.ReplyComplete;
}

// The reply as a memo or file line: every CR LF pair taken out, nothing else changed.
inline QString withoutLineEnds(const QString& reply) {
    return QString(reply).remove(QStringLiteral("\r\n"));
}
