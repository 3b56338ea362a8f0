// specific: the instrument's own settings, in maintenance mode only.

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
        const auto line = console::readHiddenLine(msg(MsgId::CliPasswordPrompt));
        if (!line)
            throw CliFailure(ExitStatus::PasswordRefused, msg(MsgId::CliPasswordUnavailable));
        typed = *line;
    }
    if (!isMaintenancePassword(typed))
        throw CliFailure(ExitStatus::PasswordRefused,
                         console::messageText(msg(MsgId::WrongPassword)));
}

// "Lire Instrument": the values, or the failure the window would have shown.
SpecificParameters readFromInstrument(InstrumentSession& session) {
    const SpecificReading reading = LectureHeader(session.exchange);
    switch (reading.result) {
    case kSpecificRead:
        // An error reply numbered 0 leaves the fields as they were: the window's first ones.
        return reading.values.value_or(kInitialSpecificFields);
    case kSpecificNoAnswer:
        throw CliFailure(ExitStatus::NoAnswer, console::messageText(msg(MsgId::NoAnswer)));
    case kSpecificTimedOut:
        throw CliFailure(ExitStatus::CommError, console::messageText(msg(MsgId::CommError)));
    default:
        throw CliFailure(ExitStatus::ReadError, console::messageText(msg(MsgId::UnknownCommand)) +
                                                    QStringLiteral(" (%1)").arg(reading.result));
    }
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
        {msg(MsgId::CliFieldLabel).arg(msg(MsgId::CliInstrumentNumberLabel)), values.serialNumber},
        {msg(MsgId::CliFieldLabel).arg(msg(MsgId::CliPmScintillatorLabel)), values.pmReference},
        {msg(MsgId::CliFieldLabel).arg(msg(MsgId::CliHighVoltageLabel)), values.highVoltage},
        {msg(MsgId::CliFieldLabel).arg(msg(MsgId::CliContrastLabel)), values.contrast},
        {msg(MsgId::CliFieldLabel).arg(msg(MsgId::CliMaintenanceFlagLabel)),
         msg(values.maintenance ? MsgId::CliYes : MsgId::CliNo)},
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
        badUsage(msg(MsgId::CliTextTooLong).arg(option).arg(kSpecificTypedTextLimit), kCommand);
}

void checkDigits(const QString& option, const std::optional<QString>& text) {
    if (!text)
        return;
    bool digits = text->size() <= kSpecificNumberLength;
    for (QChar c : *text)
        digits = digits && c >= u'0' && c <= u'9';
    if (!digits)
        badUsage(msg(MsgId::CliDigitsOnly).arg(option).arg(kSpecificNumberLength), kCommand);
}

void writeToInstrument(InstrumentSession& session, const SpecificParameters& values, bool json) {
    writeSpecificParameters(session.exchange, session.feedback, values);
    const QString outcome = session.takeOutcome();
    const ExitStatus status = statusOfOutcome(outcome);
    if (status != ExitStatus::Done)
        throw CliFailure(status, console::messageText(outcome));
    if (json)
        printValues(values, true, session.portName());
    else
        console::out(console::messageText(outcome));
}

} // namespace

int runSpecific(const QStringList& arguments) {
    CommandParser command(kCommand, MsgId::CliSpecificDescription,
                          QStringLiteral("read|write|load FILE.par|save FILE.par"));
    command.addPortOption();
    command.addJsonOption();
    const QCommandLineOption serial(QStringLiteral("serial-number"),
                                    msg(MsgId::CliSerialNumberOption), QStringLiteral("TEXT"));
    const QCommandLineOption pm(QStringLiteral("pm-reference"), msg(MsgId::CliPmReferenceOption),
                                QStringLiteral("TEXT"));
    const QCommandLineOption hv(QStringLiteral("high-voltage"), msg(MsgId::CliHighVoltageOption),
                                QStringLiteral("N"));
    const QCommandLineOption contrast(QStringLiteral("contrast"), msg(MsgId::CliContrastOption),
                                      QStringLiteral("N"));
    const QCommandLineOption flag(QStringLiteral("maintenance-flag"),
                                  msg(MsgId::CliMaintenanceFlagOption), QStringLiteral("0|1"));
    for (const auto& option : {serial, pm, hv, contrast, flag})
        command.addOption(option);
    if (!command.parse(arguments))
        return code(ExitStatus::Done);
    command.expectPositional(1, 2);
    const QString action = command.positional().constFirst();
    const bool needsFile = action == QLatin1String("load") || action == QLatin1String("save");
    if (!needsFile && action != QLatin1String("read") && action != QLatin1String("write"))
        badUsage(msg(MsgId::CliUnknownAction).arg(action), kCommand);
    command.expectPositional(needsFile ? 2 : 1, needsFile ? 2 : 1);
    const QString file = needsFile ? command.positional().at(1) : QString();

    TypedValues typed;
    auto given = [&](const QCommandLineOption& o) {
        return command.isSet(o) ? std::optional<QString>(command.value(o)) : std::nullopt;
    };
    typed.serialNumber = given(serial);
    typed.pmReference = given(pm);
    typed.highVoltage = given(hv);
    typed.contrast = given(contrast);
    if (const auto f = given(flag)) {
        if (*f != QLatin1String("0") && *f != QLatin1String("1"))
            badUsage(msg(MsgId::CliFlagValue).arg(QStringLiteral("--maintenance-flag")), kCommand);
        typed.maintenance = *f == QLatin1String("1");
    }
    const bool anyTyped = typed.serialNumber || typed.pmReference || typed.highVoltage ||
                          typed.contrast || typed.maintenance;
    if (anyTyped && action != QLatin1String("write"))
        badUsage(msg(MsgId::CliValuesOnlyForWrite), kCommand);
    checkText(QStringLiteral("--serial-number"), typed.serialNumber);
    checkText(QStringLiteral("--pm-reference"), typed.pmReference);
    checkDigits(QStringLiteral("--high-voltage"), typed.highVoltage);
    checkDigits(QStringLiteral("--contrast"), typed.contrast);
    if (const auto c = firstUnsendableCharacter(typed.over({})))
        badUsage(msg(MsgId::UnsendableCharacter).arg(*c), kCommand);

    requireMaintenancePassword();

    // A file to put into the instrument is read before anything is said on the line.
    std::optional<SpecificParameters> fromFile;
    if (action == QLatin1String("load")) {
        fromFile = loadSpecificParameterFile(file);
        if (!fromFile)
            throw CliFailure(ExitStatus::InvalidFile,
                             console::messageText(msg(MsgId::InvalidFile)) + QStringLiteral(": ") +
                                 file);
        if (const auto c = firstUnsendableCharacter(*fromFile))
            throw CliFailure(ExitStatus::InvalidFile, msg(MsgId::UnsendableCharacter).arg(*c));
    }

    InstrumentSession session(command);
    session.reachInstrument();
    // The Initialisation entry reads the instrument before its group is shown.
    const SpecificParameters current = readFromInstrument(session);
    if (action == QLatin1String("read")) {
        printValues(current, command.json(), session.portName());
    } else if (action == QLatin1String("save")) {
        saveSpecificParameterFile(file, current);
        printValues(current, command.json(), session.portName());
        if (!command.json())
            console::out(kFileSavedMessage.trimmed() + QStringLiteral(" : ") + file);
    } else if (action == QLatin1String("load")) {
        // "Charger Fichier" never touches the maintenance box: it keeps the instrument's.
        SpecificParameters values = asHeldByFields(*fromFile);
        values.maintenance = current.maintenance;
        writeToInstrument(session, values, command.json());
    } else {
        writeToInstrument(session, asHeldByFields(typed.over(current)), command.json());
    }
    return code(ExitStatus::Done);
}
