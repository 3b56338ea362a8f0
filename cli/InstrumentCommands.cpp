// clock, erase and send: the window's operations that end with one message.

#include "cli/CliMessages.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/InstrumentSession.h"
#include "common/Errors.h"
#include "common/Messages.h"
#include "operations/ClockAndErase.h"
#include "params/ParamFile.h"
#include "params/ParamSender.h"

#include <QDateTime>
#include <QJsonObject>

namespace {

// Prints the operation's outcome where it belongs and gives its status.
ExitStatus finish(const InstrumentSession& session, const CommandParser& command,
                  const OperationResult& result) {
    const QString message = outcomeMessage(result);
    if (command.json()) {
        console::json({{QStringLiteral("port"), session.portName()},
                       {QStringLiteral("message"), console::messageText(message)}});
        return exitStatusOf(result.outcome);
    }
    for (const QString& line : console::messageLines(message))
        result.done() ? console::out(line) : console::err(line);
    return exitStatusOf(result.outcome);
}

// The date and time of --at, in the one form the help gives, whatever the regional settings.
QDateTime requestedTime(const QString& text) {
    try {
        return readClockText(text, DateTimeSeparators{u'/', u':'});
    } catch (const EConvertError& e) {
        badUsage(e.message(), QStringLiteral("clock"));
    }
}

} // namespace

ExitStatus runClock(const QStringList& arguments) {
    CommandParser command(QStringLiteral("clock"), CliMsg::ClockDescription);
    command.addPortOption();
    command.addJsonOption();
    const QCommandLineOption at(QStringLiteral("at"), cliMsg(CliMsg::AtOption),
                                QStringLiteral("\"dd/mm/yyyy hh:nn:ss\""));
    command.addOption(at);
    if (!command.parse(arguments))
        return ExitStatus::Done;
    command.expectPositional(0, 0);
    std::optional<QDateTime> fixed;
    if (command.isSet(at))
        fixed = requestedTime(command.value(at));

    InstrumentSession session(command);
    session.reachInstrument();
    // The clock edit's text as the window would have it when the instrument's language is
    // known: the time asked for, or the computer's clock at that moment.
    const OperationResult result = setInstrumentClock(session.exchange, session.feedback, [&fixed] {
        return formatClockText(fixed ? *fixed : QDateTime::currentDateTime());
    });
    return finish(session, command, result);
}

ExitStatus runErase(const QStringList& arguments) {
    CommandParser command(QStringLiteral("erase"), CliMsg::EraseDescription);
    command.addPortOption();
    command.addJsonOption();
    const QCommandLineOption yes(QStringLiteral("yes"), cliMsg(CliMsg::YesOption));
    command.addOption(yes);
    if (!command.parse(arguments))
        return ExitStatus::Done;
    command.expectPositional(0, 0);
    // Nothing brings erased measurements back: the operator says so in the command itself.
    if (!command.isSet(yes))
        badUsage(cliMsg(CliMsg::EraseNeedsYes), QStringLiteral("erase"));

    InstrumentSession session(command);
    session.reachInstrument();
    return finish(session, command, eraseInstrumentMemory(session.exchange, session.feedback));
}

ExitStatus runSend(const QStringList& arguments) {
    CommandParser command(QStringLiteral("send"), CliMsg::SendDescription,
                          QStringLiteral("FILE.dat"));
    command.addPortOption();
    command.addJsonOption();
    if (!command.parse(arguments))
        return ExitStatus::Done;
    command.expectPositional(1, 1);
    const QString file = command.positional().constFirst();
    // The window offers the sending only for a file that passed the check at its choice.
    if (!isValidParameterFile(file))
        throw invalidFile(file);

    InstrumentSession session(command);
    session.reachInstrument();
    return finish(session, command, ParamSender(session.exchange, session.feedback).send(file));
}
