// watch: the docking PC. Every instrument docked is downloaded as it appears, with a line in
// the ledger, until SIGTERM or SIGINT.

#include "cli/ArchiveHook.h"
#include "cli/CliMessages.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/DockingStation.h"
#include "cli/ExitStatus.h"
#include "cli/InstrumentSession.h"
#include "cli/StopSignals.h"
#include "cli/WritableTarget.h"
#include "common/Messages.h"
#include "link/PortWatcher.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

#include <cmath>

namespace {

struct WatchArguments {
    DockingOptions options;
    QString ledger;
    std::chrono::milliseconds settle = PortWatcher::kDefaultSettleTime;
};

std::chrono::milliseconds settleTime(const QString& text) {
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    // A minute is far more than any program takes to let go of a new adapter.
    if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > 60)
        badUsage(cliMsg(CliMsg::BadSettle).arg(text), QStringLiteral("watch"));
    return std::chrono::milliseconds(std::llround(seconds * 1000));
}

WatchArguments parseWatch(CommandParser& command, const QStringList& arguments, bool& help) {
    const QCommandLineOption folder(QStringLiteral("folder"), cliMsg(CliMsg::WatchFolderOption),
                                    QStringLiteral("DIR"));
    const QCommandLineOption ledger(QStringLiteral("ledger"), cliMsg(CliMsg::LedgerOption),
                                    QStringLiteral("FILE"));
    const QCommandLineOption clock(QStringLiteral("set-clock"), cliMsg(CliMsg::SetClockOption));
    const QCommandLineOption erase(QStringLiteral("erase-after-download"),
                                   cliMsg(CliMsg::EraseAfterDownloadOption));
    const QCommandLineOption settle(QStringLiteral("settle"), cliMsg(CliMsg::SettleOption),
                                    QStringLiteral("SECONDS"));
    const QCommandLineOption archive = archiveOption();
    for (const auto& option : {folder, ledger, clock, erase, settle, archive})
        command.addOption(option);
    help = !command.parse(arguments);
    WatchArguments watch;
    if (help)
        return watch;
    command.expectPositional(0, 0);
    if (!command.isSet(folder) || command.value(folder).isEmpty())
        badUsage(cliMsg(CliMsg::MissingValue).arg(QStringLiteral("--folder")),
                 QStringLiteral("watch"));
    // The ledger names result files that outlive the folder the watcher was started from.
    watch.options.folder = QFileInfo(command.value(folder)).absoluteFilePath();
    watch.options.setClock = command.isSet(clock);
    watch.options.eraseAfterDownload = command.isSet(erase);
    watch.ledger = command.isSet(ledger)
                       ? command.value(ledger)
                       : QDir(watch.options.folder).filePath(QStringLiteral("ledger.csv"));
    if (command.isSet(settle))
        watch.settle = settleTime(command.value(settle));
    if (const auto location = archiveLocation(command, archive))
        watch.options.archive = ArchiveTarget{*location, archiveSpoolFolder(watch.options.folder)};
    return watch;
}

// Before the first port is looked at: a watcher that could keep neither files nor ledger
// must say so at once, not when the first instrument is docked.
void checkTargets(const WatchArguments& watch) {
    if (!QFileInfo(watch.options.folder).isDir())
        throw CliFailure(ExitStatus::FileError,
                         cliMsg(CliMsg::NoSuchFolder).arg(watch.options.folder));
    requireWritableFolder(watch.options.folder);
    requireWritableFile(watch.ledger);
}

} // namespace

ExitStatus runWatch(const QStringList& arguments) {
    CommandParser command(QStringLiteral("watch"), CliMsg::WatchDescription);
    command.addJsonOption();
    bool help = false;
    const WatchArguments watch = parseWatch(command, arguments, help);
    if (help)
        return ExitStatus::Done;
    checkTargets(watch);

    StopSignals signals;
    InstrumentSession session(command);
    DockingStation station(session, watch.options, watch.ledger, command.json());
    station.setSettleTime(watch.settle);
    QEventLoop loop;
    QObject::connect(&signals, &StopSignals::stopRequested, &station, &DockingStation::requestStop);
    QObject::connect(&station, &DockingStation::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    // From here on every line of --json is one object of its own; the end adds none.
    console::setJsonRequested(false);
    station.start();
    // Once the ports present at the start are done: from here on it waits.
    console::err(cliMsg(CliMsg::Watching)
                     .arg(QDir::toNativeSeparators(watch.options.folder),
                          QDir::toNativeSeparators(watch.ledger)));
    if (!signals.requested() && !station.failure())
        loop.exec();
    if (station.failure())
        std::rethrow_exception(station.failure());
    console::err(cliMsg(CliMsg::WatchStopped));
    return ExitStatus::Done;
}
