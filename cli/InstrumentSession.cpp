#include "cli/InstrumentSession.h"

#include "cli/CommandParser.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/PortRecord.h"
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
        lines << toolReportLines(record);
        throw CliFailure(ExitStatus::NoInstrument, lines.join(u'\n'));
    }
}

void InstrumentSession::reachInstrument() {
    choosePort();
    int presence = -1;
    try {
        presence = checkPresence(exchange, [this](int result) {
            if (result == 0)
                m_identityReply = exchange.ReplyBuffer;
        });
    } catch (const EComPort& e) {
        // A port that would not open: what the search would have said of it, and the fix.
        if (!e.attempt())
            throw;
        QStringList lines{e.message()};
        lines << portRecordLines(*e.attempt());
        throw CliFailure(statusOfPortError(e), lines.join(u'\n'));
    }
    if (presence != 0) {
        QStringList lines{console::messageText(msg(MsgId::NoAnswer)) + QStringLiteral(" (") +
                          deviceDisplayName(describePort(port.Port())) + u')'};
        lines << portRecordLines(describeOpenedPort(port.Port(), PortOutcome::Silent));
        throw CliFailure(ExitStatus::NoAnswer, lines.join(u'\n'));
    }
}

QString InstrumentSession::takeOutcome() {
    return feedback.takeInformation().join(QStringLiteral("\r\n"));
}

std::unique_ptr<LineTrace> openTrace(const CommandParser& command) {
    if (const auto path = command.tracePath())
        return std::make_unique<LineTrace>(*path);
    return nullptr;
}
