// clock, erase and send: the window's operations that end with one message.

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

// Prints the operation's message where it belongs and gives its status.
int finish(InstrumentSession& session, const CommandParser& command) {
    const QString outcome = session.takeOutcome();
    const ExitStatus status = statusOfOutcome(outcome);
    if (command.json()) {
        console::json({{QStringLiteral("port"), session.portName()},
                       {QStringLiteral("message"), console::messageText(outcome)}});
        return code(status);
    }
    for (const QString& line : console::messageLines(outcome))
        status == ExitStatus::Done ? console::out(line) : console::err(line);
    return code(status);
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

int runClock(const QStringList& arguments) {
    CommandParser command(QStringLiteral("clock"), MsgId::CliClockDescription);
    command.addPortOption();
    command.addJsonOption();
    const QCommandLineOption at(QStringLiteral("at"), msg(MsgId::CliAtOption),
                                QStringLiteral("\"dd/mm/yyyy hh:nn:ss\""));
    command.addOption(at);
    if (!command.parse(arguments))
        return code(ExitStatus::Done);
    command.expectPositional(0, 0);
    std::optional<QDateTime> fixed;
    if (command.isSet(at))
        fixed = requestedTime(command.value(at));

    InstrumentSession session(command);
    session.reachInstrument();
    // The clock edit's text as the window would have it when the instrument's language is
    // known: the time asked for, or the computer's clock at that moment.
    setInstrumentClock(session.exchange, session.feedback, [&fixed] {
        return formatClockText(fixed ? *fixed : QDateTime::currentDateTime());
    });
    return finish(session, command);
}

int runErase(const QStringList& arguments) {
    CommandParser command(QStringLiteral("erase"), MsgId::CliEraseDescription);
    command.addPortOption();
    command.addJsonOption();
    const QCommandLineOption yes(QStringLiteral("yes"), msg(MsgId::CliYesOption));
    command.addOption(yes);
    if (!command.parse(arguments))
        return code(ExitStatus::Done);
    command.expectPositional(0, 0);
    // Nothing brings erased measurements back: the operator says so in the command itself.
    if (!command.isSet(yes))
        badUsage(msg(MsgId::CliEraseNeedsYes), QStringLiteral("erase"));

    InstrumentSession session(command);
    session.reachInstrument();
    eraseInstrumentMemory(session.exchange, session.feedback);
    return finish(session, command);
}

int runSend(const QStringList& arguments) {
    CommandParser command(QStringLiteral("send"), MsgId::CliSendDescription,
                          QStringLiteral("FILE.dat"));
    command.addPortOption();
    command.addJsonOption();
    if (!command.parse(arguments))
        return code(ExitStatus::Done);
    command.expectPositional(1, 1);
    const QString file = command.positional().constFirst();
    // The window offers the sending only for a file that passed the check at its choice.
    if (!isValidParameterFile(file))
        throw CliFailure(ExitStatus::InvalidFile, console::messageText(msg(MsgId::InvalidFile)) +
                                                      QStringLiteral(": ") + file);

    InstrumentSession session(command);
    session.reachInstrument();
    ParamSender(session.exchange, session.feedback).send(file);
    return finish(session, command);
}
