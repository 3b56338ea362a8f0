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
        console::out(mainHelp());
        return code(ExitStatus::Done);
    }
    if (first == QLatin1String("--version") || first == QLatin1String("-v")) {
        console::out(QStringLiteral("vexa-cli ") + QCoreApplication::applicationVersion());
        return code(ExitStatus::Done);
    }
    for (const Command& command : kCommands)
        if (first == QLatin1String(command.name))
            return command.run(arguments.mid(1));
    badUsage(msg(MsgId::CliUnknownCommand).arg(first));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vexa-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXA_VERSION));
    CliLanguage language;
    language.install(QCoreApplication::applicationFilePath());

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    try {
        return run(arguments);
    } catch (const CliFailure& e) {
        if (!e.message().isEmpty())
            console::err(e.message());
        return code(e.status());
    } catch (const EComPort& e) {
        console::err(e.message());
        if (!e.detail().isEmpty())
            console::err(e.detail());
        return code(ExitStatus::CommError);
    } catch (const EFileError& e) {
        console::err(e.message());
        return code(ExitStatus::FileError);
    } catch (const EConvertError& e) {
        // A reply that should hold a number does not.
        console::err(e.message());
        return code(ExitStatus::ReadError);
    } catch (const VexaError& e) {
        console::err(e.message());
        return code(ExitStatus::Failed);
    } catch (const std::exception& e) {
        console::err(QString::fromLocal8Bit(e.what()));
        return code(ExitStatus::Failed);
    }
}
