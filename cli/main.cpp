// vexa-cli: the window's operations from a terminal or a script, on the same code.

#include "cli/CliLanguage.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "common/Errors.h"
#include "common/Messages.h"
#include "link/EComPort.h"

#include <QCoreApplication>
#include <QJsonObject>

#include <csignal>
#include <exception>

namespace {

struct Command {
    const char* name;
    MsgId summary;
    int (*run)(const QStringList&);
};

const Command kCommands[] = {
    {"ports", MsgId::CliPortsSummary, runPorts},
    {"identify", MsgId::CliIdentifySummary, runIdentify},
    {"transfer", MsgId::CliTransferSummary, runTransfer},
    {"clock", MsgId::CliClockSummary, runClock},
    {"erase", MsgId::CliEraseSummary, runErase},
    {"check", MsgId::CliCheckSummary, runCheck},
    {"send", MsgId::CliSendSummary, runSend},
    {"specific", MsgId::CliSpecificSummary, runSpecific},
    {"archive", MsgId::CliArchiveSummary, runArchive},
    {"watch", MsgId::CliWatchSummary, runWatch},
};

QString mainHelp() {
    QStringList lines{msg(MsgId::CliUsage).arg(QStringLiteral("vexa-cli COMMAND [options]")),
                      msg(MsgId::CliDescription), QString(), msg(MsgId::CliCommandsHeading)};
    QList<QStringList> rows;
    for (const Command& command : kCommands)
        rows << QStringList{QStringLiteral("  ") + QLatin1String(command.name),
                            msg(command.summary)};
    lines << console::tableLines(rows);
    lines << QString() << msg(MsgId::CliCommonOptions) << QString() << exitStatusHelpLines()
          << QString() << msg(MsgId::CliEnvironmentHeading)
          << QStringLiteral("  VEXA_EXTRA_PORTS           ") + msg(MsgId::CliExtraPortsVariable)
          << QStringLiteral("  VEXA_MAINTENANCE_PASSWORD  ") + msg(MsgId::CliPasswordVariable)
          << QStringLiteral("  VEXA_ARCHIVE               ") + msg(MsgId::CliArchiveOption)
          << QStringLiteral("  LC_ALL, LC_MESSAGES, LANG  ") + msg(MsgId::CliLanguageVariables);
    return lines.join(u'\n');
}

int run(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        console::err(mainHelp());
        return code(ExitStatus::BadUsage);
    }
    const QString& first = arguments.constFirst();
    if (first == QLatin1String("--help") || first == QLatin1String("-h") ||
        first == QLatin1String("help")) {
        console::setJsonRequested(false);
        console::out(mainHelp());
        return code(ExitStatus::Done);
    }
    if (first == QLatin1String("--version") || first == QLatin1String("-v")) {
        console::setJsonRequested(false);
        console::out(QStringLiteral("vexa-cli ") + QCoreApplication::applicationVersion());
        return code(ExitStatus::Done);
    }
    for (const Command& command : kCommands)
        if (first == QLatin1String(command.name))
            return command.run(arguments.mid(1));
    badUsage(msg(MsgId::CliUnknownCommand).arg(first));
}

// Known before the command parses its options, so that a mistake in them is answered in
// JSON too.
bool asksForJson(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            return false;
        if (argument == QLatin1String("--json") || argument == QLatin1String("-json"))
            return true;
    }
    return false;
}

struct Ending {
    int status = code(ExitStatus::Done);
    QString message; // for the operator; empty when the command said all it had to
};

// Runs the command; failures become the status and message they stand for.
Ending runCommand(const QStringList& arguments) {
    try {
        return {run(arguments), {}};
    } catch (const CliFailure& e) {
        return {code(e.status()), e.message()};
    } catch (const EComPort& e) {
        return {code(statusOfPortError(e)),
                e.detail().isEmpty() ? e.message() : e.message() + u'\n' + e.detail()};
    } catch (const EFileError& e) {
        return {code(ExitStatus::FileError), e.message()};
    } catch (const EConvertError& e) {
        // A reply that should hold a number does not.
        return {code(ExitStatus::ReadError), e.message()};
    } catch (const VexaError& e) {
        return {code(ExitStatus::Failed), e.message()};
    } catch (const std::exception& e) {
        return {code(ExitStatus::Failed), QString::fromLocal8Bit(e.what())};
    }
}

// --json: exactly one object, whatever way the command ended, with the status the process
// ends with.
void writeJsonEnding(const Ending& ending) {
    QJsonObject object = console::takeJson().value_or(QJsonObject());
    const auto status = static_cast<ExitStatus>(ending.status);
    object.insert(QStringLiteral("status"), statusName(status));
    object.insert(QStringLiteral("exitStatus"), ending.status);
    if (!ending.message.isEmpty() || !object.contains(QStringLiteral("message")))
        object.insert(QStringLiteral("message"), console::messageLines(ending.message).join(u'\n'));
    console::writeJson(object);
}

} // namespace

int main(int argc, char** argv) {
#ifndef Q_OS_WIN
    // A reader that goes away early must not end a transfer halfway: the failed write is
    // seen and dealt with instead.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vexa-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXA_VERSION));
    CliLanguage language;
    language.install(QCoreApplication::applicationFilePath());

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    console::setJsonRequested(asksForJson(arguments));
    Ending ending = runCommand(arguments);
    if (!ending.message.isEmpty())
        console::err(ending.message);
    if (console::jsonRequested())
        writeJsonEnding(ending);
    // The result never reached its reader: a script must not take the run for a success.
    if (console::outputFailed()) {
        console::err(msg(MsgId::CliOutputFailed));
        if (ending.status == code(ExitStatus::Done))
            ending.status = code(ExitStatus::Failed);
    }
    return ending.status;
}
