// vexa-cli: the window's operations from a terminal or a script, on the same code.

#include "cli/CliLanguage.h"
#include "cli/CliMessages.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "common/Errors.h"
#include "common/Messages.h"
#include "link/EComPort.h"
#include "link/InstrumentSearch.h"

#include <QCoreApplication>
#include <QJsonObject>

#include <csignal>
#include <exception>

namespace {

QString mainHelp() {
    QStringList lines{cliMsg(CliMsg::Usage).arg(QStringLiteral("vexa-cli COMMAND [options]")),
                      cliMsg(CliMsg::Description), QString(), cliMsg(CliMsg::CommandsHeading)};
    QList<QStringList> rows;
    for (const CommandEntry& command : commands())
        rows << QStringList{QStringLiteral("  ") + QLatin1String(command.name),
                            cliMsg(command.summary)};
    lines << console::tableLines(rows);
    lines << QString() << cliMsg(CliMsg::CommonOptions) << QString() << exitStatusHelpLines()
          << QString() << cliMsg(CliMsg::EnvironmentHeading)
          << QStringLiteral("  VEXA_EXTRA_PORTS           ") + cliMsg(CliMsg::ExtraPortsVariable)
          << QStringLiteral("  VEXA_MAINTENANCE_PASSWORD  ") + cliMsg(CliMsg::PasswordVariable)
          << QStringLiteral("  VEXA_ARCHIVE               ") + cliMsg(CliMsg::ArchiveOption)
          << QStringLiteral("  LC_ALL, LC_MESSAGES, LANG  ") + cliMsg(CliMsg::LanguageVariables)
          << QString()
          << cliMsg(CliMsg::SeeAlso)
                 .arg(QStringLiteral("/usr/share/doc/vexa-reader/examples/example.dat"));
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
    for (const CommandEntry& command : commands())
        if (first == QLatin1String(command.name))
            return code(command.run(arguments.mid(1)));
    badUsage(cliMsg(CliMsg::UnknownCommand).arg(first));
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
        return {code(exitStatusOf(Outcome::FileError)), e.message()};
    } catch (const EConvertError& e) {
        // A reply that should hold a number does not.
        return {code(exitStatusOf(Outcome::ReadError)), e.message()};
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
        console::err(cliMsg(CliMsg::OutputFailed));
        if (ending.status == code(ExitStatus::Done))
            ending.status = code(ExitStatus::Failed);
    }
    return ending.status;
}
