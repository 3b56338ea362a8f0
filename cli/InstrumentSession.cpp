#include "cli/InstrumentSession.h"

#include "cli/CommandParser.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/PortRecord.h"
#include "link/PortDiagnosis.h"
#include "link/PortReport.h"
#include "operations/SearchWithStatus.h"

InstrumentSession::InstrumentSession(const CommandParser& command)
    : trace(openTrace(command)), feedback(console::stderrIsTerminal()), exchange(port),
      m_requestedPort(command.port()) {
    if (trace)
        trace->attach(port);
    exchange.setLineWakeUps(true);
}

InstrumentSession::~InstrumentSession() {
    port.OnTraffic = nullptr;
}

void InstrumentSession::choosePort() {
    if (m_requestedPort) {
        port.setPort(*m_requestedPort);
        return;
    }
    SearchRecord record;
    const OperationResult result = searchWithStatus(exchange, feedback, {}, &record);
    if (!result.done()) {
        QStringList lines{outcomeMessage(result)};
        lines << toolReportLines(record);
        throw CliFailure(exitStatusOf(result.outcome), lines.join(u'\n'));
    }
}

void InstrumentSession::reachInstrument() {
    choosePort();
    std::optional<QString> identity;
    try {
        identity = presentIdentity(exchange);
    } catch (const EComPort& e) {
        // A port that would not open: what the search would have said of it, and the fix.
        if (!e.attempt())
            throw;
        QStringList lines{e.message()};
        lines << portRecordLines(*e.attempt());
        throw CliFailure(statusOfPortError(e), lines.join(u'\n'));
    }
    if (!identity)
        throw CliFailure(exitStatusOf(Outcome::NoAnswer), silentPortLines(port.Port()).join(u'\n'));
    m_identityReply = *identity;
}

std::unique_ptr<LineTrace> openTrace(const CommandParser& command) {
    if (const auto path = command.tracePath())
        return std::make_unique<LineTrace>(*path);
    return nullptr;
}
