#pragma once

#include "common/Outcome.h"

#include <QString>
#include <optional>

class CommandExchange;
class OperatorFeedback;

// The instrument's own settings as the maintenance group shows them: the texts of its four
// edits and its check box.
struct SpecificParameters {
    QString serialNumber; // instrument number
    QString pmReference;  // photomultiplier / scintillator reference
    QString highVoltage;
    QString contrast;
    bool maintenance = false;

    bool operator==(const SpecificParameters&) const = default;
};

// What the maintenance group's edits show before anything was read or loaded.
inline const SpecificParameters kInitialSpecificFields{
    QStringLiteral("999"), QStringLiteral("000/000"), QStringLiteral("1000"), QStringLiteral("512"),
    false};

// What the maintenance group's edits hold: the instrument number and the reference take at
// most 16 typed characters (a longer text put in by the program stays whole); the HT and
// contrast edits hold at most 4 characters however the text comes.
inline constexpr int kSpecificTypedTextLimit = 16;
inline constexpr int kSpecificNumberLength = 4;
// The values as the edits hold them once put in: HT and contrast cut to their length.
SpecificParameters asHeldByFields(SpecificParameters values);

// LectureHeader's numbers: 0 read, an error number the instrument reported, or these.
inline constexpr int kSpecificRead = 0;
inline constexpr int kSpecificNoAnswer = -1;
inline constexpr int kSpecificTimedOut = -2;

struct SpecificReading {
    OperationResult result; // Done, NoAnswer, CommError or InstrumentError with its number
    // The values to show; empty when the fields must stay as they are (no answer, error
    // reply). A short reply gives empty texts and a clear box.
    std::optional<SpecificParameters> values;
};

// Reads the specific parameters with "#k". A reply whose error number or maintenance
// character is not a number raises EConvertError; the port is closed on every path.
SpecificReading readSpecificParameters(CommandExchange& exchange);

// The result as LectureHeader gives it: kSpecificRead, kSpecificNoAnswer, kSpecificTimedOut
// or the instrument's error number.
int LectureHeader(const OperationResult& result);

// The fields of a "#k" reply of at least 56 characters (CR LF counted).
SpecificParameters parseSpecificLine(const QString& reply);

// "#K " and the five values at their positions; a field longer than its width is kept
// whole and pushes the later ones to the right.
QString composeSpecificCommand(const SpecificParameters& values);

// The first character of the instrument number or reference that the 8-bit line cannot carry
// (it would reach the instrument as "?"), if any.
std::optional<QChar> firstUnsendableCharacter(const SpecificParameters& values);

// "Ecrire Instrument": sends the values and tells the operator how it went.
OperationResult writeSpecificParameters(CommandExchange& exchange, OperatorFeedback& feedback,
                                        const SpecificParameters& values);

// The .par file: one INI section with keys SN, PM, PWM and CONTR. The maintenance flag is
// never stored.
inline const QString kSpecificSection = QStringLiteral("VEXA Paramètres spécifiques");

// The four texts of a .par file (maintenance left clear), or nothing when a key is
// missing or holds "inconnu".
std::optional<SpecificParameters> loadSpecificParameterFile(const QString& path);

// Writes the four texts into the file's section, keeping every other line of an existing
// file. Raises EFileError when the file cannot be written.
void saveSpecificParameterFile(const QString& path, const SpecificParameters& values);
