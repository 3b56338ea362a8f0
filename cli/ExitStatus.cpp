#include "cli/ExitStatus.h"

#include "cli/CliMessages.h"
#include "cli/Console.h"
#include "link/InstrumentSearch.h"

#include <array>

namespace {

struct StatusRow {
    const char* name;
    CliMsg help;
};

const std::array<StatusRow, kExitStatusCount> kStatuses = {{
    {"done", CliMsg::ExitDone},
    {"failed", CliMsg::ExitFailed},
    {"bad-usage", CliMsg::ExitBadUsage},
    {"no-instrument", CliMsg::ExitNoInstrument},
    {"no-answer", CliMsg::ExitNoAnswer},
    {"communication-error", CliMsg::ExitCommError},
    {"read-error", CliMsg::ExitReadError},
    {"empty-memory", CliMsg::ExitEmptyMemory},
    {"invalid-file", CliMsg::ExitInvalidFile},
    {"range-refused", CliMsg::ExitRangeRefused},
    {"file-exists", CliMsg::ExitFileExists},
    {"file-error", CliMsg::ExitFileError},
    {"not-every-instrument", CliMsg::ExitNotEveryInstrument},
    {"password-refused", CliMsg::ExitPasswordRefused},
    {"port-busy", CliMsg::ExitPortBusy},
}};

} // namespace

ExitStatus exitStatusOf(Outcome outcome) {
    // No default: a new outcome does not compile until it has its status.
    switch (outcome) {
    case Outcome::Done:
        return ExitStatus::Done;
    case Outcome::NoInstrument:
        return ExitStatus::NoInstrument;
    case Outcome::NoAnswer:
        return ExitStatus::NoAnswer;
    case Outcome::CommError:
        return ExitStatus::CommError;
    case Outcome::ReadError:
    case Outcome::InstrumentError:
        return ExitStatus::ReadError;
    case Outcome::EmptyMemory:
        return ExitStatus::EmptyMemory;
    case Outcome::InvalidFile:
        return ExitStatus::InvalidFile;
    case Outcome::FileError:
        return ExitStatus::FileError;
    case Outcome::PortBusy:
        return ExitStatus::PortBusy;
    case Outcome::Cancelled:
        return ExitStatus::Failed;
    }
    return ExitStatus::Failed;
}

ExitStatus statusOfPortError(const EComPort& error) {
    return exitStatusOf(resultOfPortError(Operation::Search, error).outcome);
}

CliFailure::CliFailure(const OperationResult& result)
    : VexaError(console::messageText(outcomeMessage(result))),
      m_status(exitStatusOf(result.outcome)) {}

CliFailure invalidFile(const QString& path) {
    const OperationResult result = resultOf(Operation::Send, Outcome::InvalidFile);
    return CliFailure(exitStatusOf(result.outcome),
                      console::messageText(outcomeMessage(result)) + QStringLiteral(": ") + path);
}

QString statusName(ExitStatus status) {
    return QString::fromLatin1(kStatuses[code(status)].name);
}

QStringList exitStatusHelpLines() {
    QStringList lines{cliMsg(CliMsg::ExitStatusesHeading)};
    for (int i = 0; i < kExitStatusCount; ++i)
        lines << QStringLiteral("  %1  %2").arg(i, 2).arg(cliMsg(kStatuses[i].help));
    return lines;
}
