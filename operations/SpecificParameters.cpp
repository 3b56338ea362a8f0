#include "operations/SpecificParameters.h"

#include "common/Cp1252.h"
#include "common/Errors.h"
#include "common/IniFile.h"
#include "common/IntConv.h"
#include "common/OperatorFeedback.h"
#include "common/RestoreGuard.h"
#include "common/TextFields.h"
#include "link/CommandExchange.h"
#include "link/TComPort.h"

#include <QStringList>

namespace {

constexpr int kLineLength = 56;
constexpr int kFieldWidth = 20;
constexpr int kNumberWidth = 4;

const QString kSerialPrefix = QStringLiteral("SN: ");
const QString kPmPrefix = QStringLiteral("PM: ");
const QString kMissing = QStringLiteral("inconnu");

const QString kKeySerial = QStringLiteral("SN");
const QString kKeyPm = QStringLiteral("PM");
const QString kKeyHighVoltage = QStringLiteral("PWM");
const QString kKeyContrast = QStringLiteral("CONTR");

// Characters `from` to `to` of the reply, counted from 1.
QString positions(const QString& reply, int from, int to) {
    return fieldAt(reply, from, to - from + 1);
}

} // namespace

SpecificParameters parseSpecificLine(const QString& reply) {
    SpecificParameters values;
    values.serialNumber = positions(reply, 4, 23).remove(kSerialPrefix);
    values.pmReference = positions(reply, 25, 44).remove(kPmPrefix);
    values.highVoltage = positions(reply, 46, 49);
    values.contrast = positions(reply, 51, 54);
    // Read as a Boolean: "0" is clear, any other number set, anything else an error.
    values.maintenance = strToInt(positions(reply, 56, 56)) != 0;
    return values;
}

SpecificParameters asHeldByFields(SpecificParameters values) {
    values.highVoltage.truncate(kSpecificNumberLength);
    values.contrast.truncate(kSpecificNumberLength);
    return values;
}

SpecificReading readSpecificParameters(CommandExchange& exchange) {
    RestoreGuard portOpen;
    openPort(exchange.port(), portOpen);
    SpecificReading reading{resultOf(Operation::SpecificRead, Outcome::Done), std::nullopt};
    if (exchange.ConnectSonde() != 0) {
        reading.result.outcome = Outcome::NoAnswer;
    } else if (!exchange.exchangeLine(QStringLiteral("#k"))) {
        reading.result.outcome = Outcome::CommError;
    } else {
        const QString& reply = exchange.ReplyBuffer;
        if (reply.size() >= 2 && reply.at(1) == u'e') {
            reading.result.instrumentError = strToInt(positions(reply, 4, 6));
            // An error numbered 0 reads as a reading that left the fields as they were.
            if (reading.result.instrumentError != kSpecificRead)
                reading.result.outcome = Outcome::InstrumentError;
        } else if (reply.size() < kLineLength) {
            reading.values = SpecificParameters{};
        } else {
            reading.values = parseSpecificLine(reply);
        }
    }
    return reading;
}

int LectureHeader(const OperationResult& result) {
    switch (result.outcome) {
    case Outcome::NoAnswer:
        return kSpecificNoAnswer;
    case Outcome::CommError:
        return kSpecificTimedOut;
    default:
        return result.instrumentError;
    }
}

QString composeSpecificCommand(const SpecificParameters& v) {
    return QStringLiteral("#K ") +
           QString(kSerialPrefix + v.serialNumber).leftJustified(kFieldWidth) + u' ' +
           QString(kPmPrefix + v.pmReference).leftJustified(kFieldWidth) + u' ' +
           CompleterZeros(v.highVoltage, kNumberWidth) + u' ' +
           CompleterZeros(v.contrast, kNumberWidth) + u' ' + (v.maintenance ? u'1' : u'0');
}

std::optional<QChar> firstUnsendableCharacter(const SpecificParameters& values) {
    for (const QString* text : {&values.serialNumber, &values.pmReference})
        for (QChar c : *text)
            if (!isCp1252Representable(QStringView(&c, 1)))
                return c;
    return std::nullopt;
}

OperationResult writeSpecificParameters(CommandExchange& exchange, OperatorFeedback& feedback,
                                        const SpecificParameters& values) {
    RestoreGuard portOpen;
    openPort(exchange.port(), portOpen);
    OperationResult result = resultOf(Operation::SpecificWrite, Outcome::NoAnswer);
    if (exchange.ConnectSonde() == 0) {
        const bool ok =
            exchange.exchangeLine(composeSpecificCommand(values)) && exchange.replyAcknowledged();
        result.outcome = ok ? Outcome::Done : Outcome::CommError;
    }
    feedback.showInformation(outcomeMessage(result));
    return result;
}

std::optional<SpecificParameters> loadSpecificParameterFile(const QString& path) {
    const IniFile file(path);
    SpecificParameters values;
    values.serialNumber = file.ReadString(kSpecificSection, kKeySerial, kMissing);
    values.pmReference = file.ReadString(kSpecificSection, kKeyPm, kMissing);
    values.highVoltage = file.ReadString(kSpecificSection, kKeyHighVoltage, kMissing);
    values.contrast = file.ReadString(kSpecificSection, kKeyContrast, kMissing);
    for (const QString* text :
         {&values.serialNumber, &values.pmReference, &values.highVoltage, &values.contrast}) {
        if (*text == kMissing)
            return std::nullopt;
    }
    return values;
}

void saveSpecificParameterFile(const QString& path, const SpecificParameters& values) {
    IniFile(path).writeStrings(kSpecificSection, {{kKeySerial, values.serialNumber},
                                                  {kKeyPm, values.pmReference},
                                                  {kKeyHighVoltage, values.highVoltage},
                                                  {kKeyContrast, values.contrast}});
}
