#pragma once

#include "common/Errors.h"
#include "common/Outcome.h"

class EComPort;

#include <QString>
#include <QStringList>

// What vexa-cli tells the shell. Scripts rely on these numbers: never renumber one, only
// add new ones at the end.
enum class ExitStatus : int {
    Done = 0,
    Failed = 1,              // an error none of the others names
    BadUsage = 2,            // unknown command or option, missing or contradictory arguments
    NoInstrument = 3,        // the search found no instrument on any port
    NoAnswer = 4,            // the instrument did not answer the presence check
    CommError = 5,           // a later exchange timed out, lacked "OK", or the line went away
    ReadError = 6,           // a reply could not be read (stored-file count, error reply)
    EmptyMemory = 7,         // the instrument's memory holds no measurement
    InvalidFile = 8,         // a parameter file lacks a record or key
    RangeRefused = 9,        // the range check refuses a setting
    FileExists = 10,         // the result file exists and --force was not given
    FileError = 11,          // a file could not be read or written
    NotEveryInstrument = 12, // --every-instrument: an instrument found was not read
    PasswordRefused = 13,    // the maintenance password is wrong or could not be asked
    PortBusy = 14,           // another program has the port open, or holds its lock
};
inline constexpr int kExitStatusCount = 15;

inline int code(ExitStatus status) {
    return static_cast<int>(status);
}

// The status that tells a script an operation's outcome.
ExitStatus exitStatusOf(Outcome outcome);

// A port that would not open: busy when another program has it, else a communication error.
ExitStatus statusOfPortError(const EComPort& error);

// A machine-readable name of a status ("done", "no-answer", ...), for --json.
QString statusName(ExitStatus status);

// "  0  done" ... for the help texts, in the installed language.
QStringList exitStatusHelpLines();

// Ends a command with a status and a message for the operator (may be empty).
class CliFailure : public VexaError {
public:
    CliFailure(ExitStatus status, const QString& message) : VexaError(message), m_status(status) {}
    // An operation that failed, with the window's message for it.
    explicit CliFailure(const OperationResult& result);
    ExitStatus status() const { return m_status; }

private:
    ExitStatus m_status;
};

// A file that lacks a record or key, named after the window's message.
CliFailure invalidFile(const QString& path);
