#pragma once

#include "cli/LineTrace.h"
#include "cli/TerminalFeedback.h"
#include "link/CommandExchange.h"
#include "link/InstrumentSearch.h"
#include "link/TComPort.h"

#include <QString>
#include <memory>
#include <optional>

class CommandParser;

// What a command talks to the instrument with: the port, the exchange on it, the terminal
// feedback, and the trace when --trace asks for one.
class InstrumentSession {
public:
    explicit InstrumentSession(const CommandParser& command);
    ~InstrumentSession();

    // The instrument as the window reaches it before an operation: the --port given, or the
    // port the search finds first (the window's search, same order, same first-answer
    // rule); then the menu's presence check on it. Raises CliFailure with NoInstrument when
    // the search finds none (its record of every port goes to standard error), NoAnswer
    // when the port stays silent, PortBusy or CommError when it would not open.
    void reachInstrument();

    // The port to talk to: the --port given, else the search's; nothing found raises as above.
    void choosePort();

    // The identity from the reply to the last presence check.
    InstrumentIdentity identity() const { return InstrumentIdentity::fromReply(m_identityReply); }
    QString portName() const { return port.Port(); }

    // Declared first, so that the trace outlives the port that reports to it.
    std::unique_ptr<LineTrace> trace;
    TerminalFeedback feedback;
    TComPort port;
    CommandExchange exchange;

private:
    std::optional<QString> m_requestedPort;
    QString m_identityReply;
};

// The trace --trace asks for, or none.
std::unique_ptr<LineTrace> openTrace(const CommandParser& command);
