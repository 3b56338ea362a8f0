#include "cli/InstrumentSession.h"

#include "cli/CommandParser.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "common/Messages.h"
#include "link/PortDiagnosis.h"
#include "link/PortReport.h"
#include "operations/SearchWithStatus.h"

InstrumentSession::InstrumentSession(const CommandParser& command)
    : trace(openTrace(command)), feedback(console::stderrIsTerminal()), exchange(port),
      m_requestedPort(command.port()) {
    if (trace)
        trace->attach(port);
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
    if (searchWithStatus(exchange, feedback, {}, &record) != 0) {
        QStringList lines{msg(MsgId::NotDetected)};
        lines << searchReportLines(record);
        throw CliFailure(ExitStatus::NoInstrument, lines.join(u'\n'));
    }
}

void InstrumentSession::reachInstrument() {
    choosePort();
    const int presence = checkPresence(exchange, [this](int result) {
        if (result == 0)
            m_identityReply = exchange.ReplyBuffer;
    });
    if (presence != 0)
        throw CliFailure(ExitStatus::NoAnswer, console::messageText(msg(MsgId::NoAnswer)) +
                                                   QStringLiteral(" (") +
                                                   portDisplayName(port.Port()) + u')');
}

QString InstrumentSession::takeOutcome() {
    return feedback.takeInformation().join(QStringLiteral("\r\n"));
}

std::unique_ptr<LineTrace> openTrace(const CommandParser& command) {
    if (const auto path = command.tracePath())
        return std::make_unique<LineTrace>(*path);
    return nullptr;
}
