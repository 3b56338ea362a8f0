#include "cli/Commands.h"

namespace {

const CommandEntry kCommands[] = {
    {"ports", CliMsg::PortsSummary, runPorts},
    {"identify", CliMsg::IdentifySummary, runIdentify},
    {"transfer", CliMsg::TransferSummary, runTransfer},
    {"clock", CliMsg::ClockSummary, runClock},
    {"erase", CliMsg::EraseSummary, runErase},
    {"check", CliMsg::CheckSummary, runCheck},
    {"send", CliMsg::SendSummary, runSend},
    {"specific", CliMsg::SpecificSummary, runSpecific},
    {"archive", CliMsg::ArchiveSummary, runArchive},
    {"watch", CliMsg::WatchSummary, runWatch},
};

} // namespace

std::span<const CommandEntry> commands() {
    return kCommands;
}
