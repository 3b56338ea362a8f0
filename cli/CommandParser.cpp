#include "cli/CommandParser.h"
#include "cli/CliMessages.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"

CommandParser::CommandParser(const QString& command, CliMsg description, const QString& arguments)
    : m_command(command), m_arguments(arguments),
      m_help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, cliMsg(CliMsg::HelpOption)),
      m_trace(QStringLiteral("trace"), cliMsg(CliMsg::TraceOption), QStringLiteral("FILE")),
      m_port(QStringLiteral("port"), cliMsg(CliMsg::PortOption), QStringLiteral("PORT")),
      m_json(QStringLiteral("json"), cliMsg(CliMsg::JsonOption)) {
    m_parser.setApplicationDescription(cliMsg(description));
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOption(m_help);
    m_parser.addOption(m_trace);
}

void CommandParser::addOption(const QCommandLineOption& option) {
    m_parser.addOption(option);
}

void CommandParser::addPortOption() {
    m_parser.addOption(m_port);
    m_hasPort = true;
}

void CommandParser::addJsonOption() {
    m_parser.addOption(m_json);
    m_hasJson = true;
}

bool CommandParser::parse(const QStringList& arguments) {
    if (!m_parser.parse(QStringList{QStringLiteral("vexa-cli")} + arguments))
        badUsage(m_parser.errorText(), m_command);
    if (m_parser.isSet(m_help)) {
        // The help is the answer, in JSON or not.
        console::setJsonRequested(false);
        console::out(helpText());
        return false;
    }
    if (m_parser.isSet(m_trace) && m_parser.value(m_trace).isEmpty())
        badUsage(cliMsg(CliMsg::MissingValue).arg(QStringLiteral("--trace")), m_command);
    if (m_hasPort && m_parser.isSet(m_port) && m_parser.value(m_port).isEmpty())
        badUsage(cliMsg(CliMsg::MissingValue).arg(QStringLiteral("--port")), m_command);
    return true;
}

void CommandParser::expectPositional(int min, int max) const {
    const qsizetype n = m_parser.positionalArguments().size();
    if (n < min)
        badUsage(cliMsg(CliMsg::MissingArgument).arg(m_arguments), m_command);
    if (n > max)
        badUsage(cliMsg(CliMsg::UnexpectedArgument).arg(m_parser.positionalArguments().at(max)),
                 m_command);
}

std::optional<QString> CommandParser::port() const {
    if (!m_hasPort || !m_parser.isSet(m_port))
        return std::nullopt;
    return m_parser.value(m_port);
}

std::optional<QString> CommandParser::tracePath() const {
    if (!m_parser.isSet(m_trace))
        return std::nullopt;
    return m_parser.value(m_trace);
}

QString CommandParser::helpText() const {
    // Qt's own usage line names neither the command nor its arguments: ours replaces it.
    QStringList lines = m_parser.helpText().split(u'\n');
    if (!lines.isEmpty())
        lines.removeFirst();
    QString usage = QStringLiteral("vexa-cli ") + m_command + QStringLiteral(" [options]");
    if (!m_arguments.isEmpty())
        usage += u' ' + m_arguments;
    lines.prepend(cliMsg(CliMsg::Usage).arg(usage));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    lines << QString() << exitStatusHelpLines();
    return lines.join(u'\n');
}

void badUsage(const QString& message, const QString& command) {
    const QString help = command.isEmpty()
                             ? QStringLiteral("vexa-cli --help")
                             : QStringLiteral("vexa-cli ") + command + QStringLiteral(" --help");
    throw CliFailure(ExitStatus::BadUsage, message + u'\n' + cliMsg(CliMsg::SeeHelp).arg(help));
}
