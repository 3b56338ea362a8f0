// specific: the instrument's own settings, in maintenance mode only.

#include "cli/CliMessages.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/InstrumentSession.h"
#include "common/MaintenancePassword.h"
#include "common/Messages.h"
#include "operations/SpecificParameters.h"

#include <QJsonObject>

namespace {

const QString kCommand = QStringLiteral("specific");
const char* const kPasswordVariable = "VEXA_MAINTENANCE_PASSWORD";

// The maintenance password from the environment, or typed on the terminal without echo;
// never from the command line, where every user of the computer could read it.
void requireMaintenancePassword() {
    QString typed;
    if (qEnvironmentVariableIsSet(kPasswordVariable)) {
        typed = qEnvironmentVariable(kPasswordVariable);
    } else {
        const auto line = console::readHiddenLine(cliMsg(CliMsg::PasswordPrompt));
        if (!line)
            throw CliFailure(ExitStatus::PasswordRefused, cliMsg(CliMsg::PasswordUnavailable));
        typed = *line;
    }
    if (!isMaintenancePassword(typed))
        throw CliFailure(ExitStatus::PasswordRefused,
                         console::messageText(msg(MsgId::WrongPassword)));
}

// "Lire Instrument": the values, or the failure the window would have shown.
SpecificParameters readFromInstrument(InstrumentSession& session) {
    const SpecificReading reading = readSpecificParameters(session.exchange);
    const OperationResult& result = reading.result;
    if (result.outcome == Outcome::InstrumentError)
        throw CliFailure(exitStatusOf(result.outcome),
                         console::messageText(outcomeMessage(result)) +
                             QStringLiteral(" (%1)").arg(result.instrumentError));
    if (!result.done())
        throw CliFailure(result);
    // An error reply numbered 0 leaves the fields as they were: the window's first ones.
    return reading.values.value_or(kInitialSpecificFields);
}

void printValues(const SpecificParameters& values, bool json, const QString& port) {
    if (json) {
        console::json({{QStringLiteral("port"), port},
                       {QStringLiteral("serialNumber"), values.serialNumber},
                       {QStringLiteral("pmReference"), values.pmReference},
                       {QStringLiteral("highVoltage"), values.highVoltage},
                       {QStringLiteral("contrast"), values.contrast},
                       {QStringLiteral("maintenance"), values.maintenance}});
        return;
    }
    const QList<QStringList> rows = {
        {cliMsg(CliMsg::FieldLabel).arg(cliMsg(CliMsg::InstrumentNumberLabel)),
         values.serialNumber},
        {cliMsg(CliMsg::FieldLabel).arg(cliMsg(CliMsg::PmScintillatorLabel)), values.pmReference},
        {cliMsg(CliMsg::FieldLabel).arg(cliMsg(CliMsg::HighVoltageLabel)), values.highVoltage},
        {cliMsg(CliMsg::FieldLabel).arg(cliMsg(CliMsg::ContrastLabel)), values.contrast},
        {cliMsg(CliMsg::FieldLabel).arg(cliMsg(CliMsg::MaintenanceFlagLabel)),
         cliMsg(values.maintenance ? CliMsg::Yes : CliMsg::No)},
    };
    for (const QString& line : console::tableLines(rows))
        console::out(line.trimmed());
}

// The values the operator gives for "Ecrire Instrument", checked as the edits would take
// them when typed.
struct TypedValues {
    std::optional<QString> serialNumber, pmReference, highVoltage, contrast;
    std::optional<bool> maintenance;

    SpecificParameters over(SpecificParameters values) const {
        values.serialNumber = serialNumber.value_or(values.serialNumber);
        values.pmReference = pmReference.value_or(values.pmReference);
        values.highVoltage = highVoltage.value_or(values.highVoltage);
        values.contrast = contrast.value_or(values.contrast);
        values.maintenance = maintenance.value_or(values.maintenance);
        return values;
    }
};

void checkText(const QString& option, const std::optional<QString>& text) {
    if (text && text->size() > kSpecificTypedTextLimit)
        badUsage(cliMsg(CliMsg::TextTooLong).arg(option).arg(kSpecificTypedTextLimit), kCommand);
}

void checkDigits(const QString& option, const std::optional<QString>& text) {
    if (!text)
        return;
    bool digits = text->size() <= kSpecificNumberLength;
    for (QChar c : *text)
        digits = digits && c >= u'0' && c <= u'9';
    if (!digits)
        badUsage(cliMsg(CliMsg::DigitsOnly).arg(option).arg(kSpecificNumberLength), kCommand);
}

void writeToInstrument(InstrumentSession& session, const SpecificParameters& values, bool json) {
    const OperationResult result =
        writeSpecificParameters(session.exchange, session.feedback, values);
    if (!result.done())
        throw CliFailure(result);
    if (json)
        printValues(values, true, session.portName());
    else
        console::out(console::messageText(outcomeMessage(result)));
}

// What the command line asked for.
struct SpecificRequest {
    QString action; // read, write, load or save
    QString file;   // load and save
    TypedValues typed;
    bool json = false;
};

struct SpecificOptions {
    QCommandLineOption serial{QStringLiteral("serial-number"), cliMsg(CliMsg::SerialNumberOption),
                              QStringLiteral("TEXT")};
    QCommandLineOption pm{QStringLiteral("pm-reference"), cliMsg(CliMsg::PmReferenceOption),
                          QStringLiteral("TEXT")};
    QCommandLineOption hv{QStringLiteral("high-voltage"), cliMsg(CliMsg::HighVoltageOption),
                          QStringLiteral("N")};
    QCommandLineOption contrast{QStringLiteral("contrast"), cliMsg(CliMsg::ContrastOption),
                                QStringLiteral("N")};
    QCommandLineOption flag{QStringLiteral("maintenance-flag"),
                            cliMsg(CliMsg::MaintenanceFlagOption), QStringLiteral("0|1")};
};

TypedValues typedValues(const CommandParser& command, const SpecificOptions& o) {
    auto given = [&](const QCommandLineOption& option) {
        return command.isSet(option) ? std::optional<QString>(command.value(option)) : std::nullopt;
    };
    TypedValues typed{given(o.serial), given(o.pm), given(o.hv), given(o.contrast), {}};
    if (const auto f = given(o.flag)) {
        if (*f != QLatin1String("0") && *f != QLatin1String("1"))
            badUsage(cliMsg(CliMsg::FlagValue).arg(QStringLiteral("--maintenance-flag")), kCommand);
        typed.maintenance = *f == QLatin1String("1");
    }
    return typed;
}

// The values as the edits would take them when typed, and only with write.
void checkTyped(const SpecificRequest& request) {
    const TypedValues& typed = request.typed;
    const bool anyTyped = typed.serialNumber || typed.pmReference || typed.highVoltage ||
                          typed.contrast || typed.maintenance;
    if (anyTyped && request.action != QLatin1String("write"))
        badUsage(cliMsg(CliMsg::ValuesOnlyForWrite), kCommand);
    checkText(QStringLiteral("--serial-number"), typed.serialNumber);
    checkText(QStringLiteral("--pm-reference"), typed.pmReference);
    checkDigits(QStringLiteral("--high-voltage"), typed.highVoltage);
    checkDigits(QStringLiteral("--contrast"), typed.contrast);
    if (const auto c = firstUnsendableCharacter(typed.over({})))
        badUsage(msg(MsgId::UnsendableCharacter).arg(*c), kCommand);
}

SpecificRequest requestOf(const CommandParser& command, const SpecificOptions& options) {
    command.expectPositional(1, 2);
    SpecificRequest request;
    request.action = command.positional().constFirst();
    const bool needsFile =
        request.action == QLatin1String("load") || request.action == QLatin1String("save");
    if (!needsFile && request.action != QLatin1String("read") &&
        request.action != QLatin1String("write"))
        badUsage(cliMsg(CliMsg::UnknownAction).arg(request.action), kCommand);
    command.expectPositional(needsFile ? 2 : 1, needsFile ? 2 : 1);
    request.file = needsFile ? command.positional().at(1) : QString();
    request.typed = typedValues(command, options);
    request.json = command.json();
    checkTyped(request);
    return request;
}

// A file to put into the instrument is read before anything is said on the line.
std::optional<SpecificParameters> fileToLoad(const SpecificRequest& request) {
    if (request.action != QLatin1String("load"))
        return std::nullopt;
    const auto fromFile = loadSpecificParameterFile(request.file);
    if (!fromFile)
        throw invalidFile(request.file);
    if (const auto c = firstUnsendableCharacter(*fromFile))
        throw CliFailure(ExitStatus::InvalidFile, msg(MsgId::UnsendableCharacter).arg(*c));
    return fromFile;
}

void act(InstrumentSession& session, const SpecificRequest& request,
         const std::optional<SpecificParameters>& fromFile) {
    // The Initialisation entry reads the instrument before its group is shown.
    const SpecificParameters current = readFromInstrument(session);
    if (request.action == QLatin1String("read")) {
        printValues(current, request.json, session.portName());
    } else if (request.action == QLatin1String("save")) {
        saveSpecificParameterFile(request.file, current);
        printValues(current, request.json, session.portName());
        if (!request.json)
            console::out(kFileSavedMessage.trimmed() + QStringLiteral(" : ") + request.file);
    } else if (fromFile) {
        // "Charger Fichier" never touches the maintenance box: it keeps the instrument's.
        SpecificParameters values = asHeldByFields(*fromFile);
        values.maintenance = current.maintenance;
        writeToInstrument(session, values, request.json);
    } else {
        writeToInstrument(session, asHeldByFields(request.typed.over(current)), request.json);
    }
}

} // namespace

ExitStatus runSpecific(const QStringList& arguments) {
    CommandParser command(kCommand, CliMsg::SpecificDescription,
                          QStringLiteral("read|write|load FILE.par|save FILE.par"));
    command.addPortOption();
    command.addJsonOption();
    const SpecificOptions o;
    for (const auto& option : {o.serial, o.pm, o.hv, o.contrast, o.flag})
        command.addOption(option);
    if (!command.parse(arguments))
        return ExitStatus::Done;
    const SpecificRequest request = requestOf(command, o);
    requireMaintenancePassword();
    const auto fromFile = fileToLoad(request);
    InstrumentSession session(command);
    session.reachInstrument();
    act(session, request, fromFile);
    return ExitStatus::Done;
}
