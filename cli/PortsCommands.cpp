// ports and identify: what the search meets, and who answers.

#include "cli/CliMessages.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/InstrumentSession.h"
#include "cli/PortRecord.h"
#include "link/PortDiagnosis.h"
#include "link/PortReport.h"
#include "operations/SearchWithStatus.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QString outcomeName(PortOutcome outcome) {
    switch (outcome) {
    case PortOutcome::Answered:
        return QStringLiteral("answered");
    case PortOutcome::Silent:
        return QStringLiteral("silent");
    case PortOutcome::Absent:
        return QStringLiteral("absent");
    case PortOutcome::PermissionDenied:
        return QStringLiteral("permission-denied");
    case PortOutcome::Held:
        return QStringLiteral("held");
    case PortOutcome::NotSerial:
        return QStringLiteral("not-serial");
    case PortOutcome::Failed:
        return QStringLiteral("failed");
    case PortOutcome::SameDevice:
        return QStringLiteral("same-device");
    }
    return {};
}

QJsonArray trimmedLines(const QStringList& lines) {
    QJsonArray array;
    for (const QString& line : lines)
        array.append(line.trimmed());
    return array;
}

QJsonObject identityJson(const InstrumentIdentity& id) {
    return {{QStringLiteral("description"), id.description},
            {QStringLiteral("productReference"), id.productReference},
            {QStringLiteral("softwareVersion"), id.softwareVersion},
            {QStringLiteral("parameterFile"), id.parameterFile},
            {QStringLiteral("serialNumber"), id.serialNumber},
            {QStringLiteral("pmReference"), id.pmReference}};
}

} // namespace

ExitStatus runPorts(const QStringList& arguments) {
    CommandParser command(QStringLiteral("ports"), CliMsg::PortsDescription);
    command.addJsonOption();
    if (!command.parse(arguments))
        return ExitStatus::Done;
    command.expectPositional(0, 0);

    InstrumentSession session(command);
    SearchRecord record;
    const OperationResult result =
        searchWithStatus(session.exchange, session.feedback, {}, &record);
    const bool found = result.done();
    const ExitStatus status = exitStatusOf(result.outcome);
    if (command.json()) {
        QJsonArray ports;
        for (const PortAttempt& attempt : std::as_const(record.ports))
            ports.append(QJsonObject{{QStringLiteral("name"), attempt.listedName},
                                     {QStringLiteral("device"), attempt.device},
                                     {QStringLiteral("outcome"), outcomeName(attempt.outcome)},
                                     {QStringLiteral("reason"), portReason(attempt)},
                                     {QStringLiteral("fixes"), trimmedLines(toolFixes(attempt))}});
        console::json({{QStringLiteral("ports"), ports},
                       {QStringLiteral("found"),
                        found ? QJsonValue(session.portName()) : QJsonValue(QJsonValue::Null)},
                       {QStringLiteral("notes"), trimmedLines(systemNoteLines(record))}});
        return status;
    }
    for (const QString& line : toolReportLines(record))
        console::out(line);
    // The tool names the port as given, without the adapter the window adds.
    OperationResult shown = result;
    shown.port = session.portName();
    console::out(console::messageText(outcomeMessage(shown)));
    return status;
}

ExitStatus runIdentify(const QStringList& arguments) {
    CommandParser command(QStringLiteral("identify"), CliMsg::IdentifyDescription);
    command.addPortOption();
    command.addJsonOption();
    if (!command.parse(arguments))
        return ExitStatus::Done;
    command.expectPositional(0, 0);

    InstrumentSession session(command);
    session.reachInstrument();
    const InstrumentIdentity id = session.identity();
    if (command.json()) {
        QJsonObject object = identityJson(id);
        object.insert(QStringLiteral("port"), session.portName());
        console::json(object);
        return ExitStatus::Done;
    }
    const QList<QStringList> rows = {
        {cliMsg(CliMsg::PortLabel), session.portName()},
        {cliMsg(CliMsg::DescriptionLabel), id.description},
        {cliMsg(CliMsg::ProductReferenceLabel), id.productReference},
        {cliMsg(CliMsg::SoftwareVersionLabel), id.softwareVersion},
        {cliMsg(CliMsg::ParameterFileLabel), id.parameterFile},
        {cliMsg(CliMsg::SerialNumberLabel), id.serialNumber},
        {cliMsg(CliMsg::PmReferenceLabel), id.pmReference},
    };
    QList<QStringList> shown;
    // A short reply leaves its line end inside a field: not for the terminal.
    for (const QStringList& row : rows)
        shown << QStringList{cliMsg(CliMsg::FieldLabel).arg(row[0]),
                             QString(row[1]).remove(u'\r').remove(u'\n').trimmed()};
    for (const QString& line : console::tableLines(shown))
        console::out(line.trimmed());
    return ExitStatus::Done;
}
