#include "cli/ExitStatus.h"

#include "common/Messages.h"
#include "link/EComPort.h"
#include "link/PortAttempt.h"

#include <array>
#include <utility>

namespace {

struct StatusRow {
    const char* name;
    MsgId help;
};

const std::array<StatusRow, kExitStatusCount> kStatuses = {{
    {"done", MsgId::CliExitDone},
    {"failed", MsgId::CliExitFailed},
    {"bad-usage", MsgId::CliExitBadUsage},
    {"no-instrument", MsgId::CliExitNoInstrument},
    {"no-answer", MsgId::CliExitNoAnswer},
    {"communication-error", MsgId::CliExitCommError},
    {"read-error", MsgId::CliExitReadError},
    {"empty-memory", MsgId::CliExitEmptyMemory},
    {"invalid-file", MsgId::CliExitInvalidFile},
    {"range-refused", MsgId::CliExitRangeRefused},
    {"file-exists", MsgId::CliExitFileExists},
    {"file-error", MsgId::CliExitFileError},
    {"not-every-instrument", MsgId::CliExitNotEveryInstrument},
    {"password-refused", MsgId::CliExitPasswordRefused},
    {"port-busy", MsgId::CliExitPortBusy},
}};

} // namespace

ExitStatus statusOfOutcome(const QString& message) {
    // The operations tell their outcome as the window shows it; a message may carry more
    // after its first part (an earlier result file kept), so the start decides.
    static const std::pair<MsgId, ExitStatus> outcomes[] = {
        {MsgId::NoAnswer, ExitStatus::NoAnswer},
        {MsgId::CommError, ExitStatus::CommError},
        {MsgId::ReadError, ExitStatus::ReadError},
        {MsgId::NoMeasurement, ExitStatus::EmptyMemory},
        {MsgId::UnknownCommand, ExitStatus::ReadError},
        {MsgId::InvalidFile, ExitStatus::InvalidFile},
        {MsgId::ReadDone, ExitStatus::Done},
        {MsgId::ClockDone, ExitStatus::Done},
        {MsgId::EraseDone, ExitStatus::Done},
        {MsgId::SpecificWriteDone, ExitStatus::Done},
        {MsgId::SendDone, ExitStatus::Done},
    };
    for (const auto& [id, status] : outcomes)
        if (message.startsWith(msg(id)))
            return status;
    return ExitStatus::Failed;
}

ExitStatus statusOfPortError(const EComPort& error) {
    const bool held = error.attempt() && error.attempt()->outcome == PortOutcome::Held;
    return held ? ExitStatus::PortBusy : ExitStatus::CommError;
}

QString statusName(ExitStatus status) {
    return QString::fromLatin1(kStatuses[code(status)].name);
}

QStringList exitStatusHelpLines() {
    QStringList lines{msg(MsgId::CliExitStatusesHeading)};
    for (int i = 0; i < kExitStatusCount; ++i)
        lines << QStringLiteral("  %1  %2").arg(i, 2).arg(msg(kStatuses[i].help));
    return lines;
}
