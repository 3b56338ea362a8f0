#pragma once

#include <QString>
#include <optional>

// How an operation on the instrument or on a file ended. The window shows it as a message,
// the command-line tool turns it into its exit status and its JSON; neither ever reads one
// back from a message's text, so rewording or translating a message changes nothing else.
enum class Outcome {
    Done,            // the operation did what it was asked
    NoInstrument,    // the search found no instrument on any port
    NoAnswer,        // the presence check got no reply
    CommError,       // a later exchange timed out, lacked "OK", or the line went away
    ReadError,       // a reply could not be read (the stored-file count)
    EmptyMemory,     // the instrument's memory holds no measurement
    InstrumentError, // the instrument replied with an error number
    InvalidFile,     // a file lacks a record or key
    FileError,       // a file could not be read or written
    PortBusy,        // another program holds the port
    Cancelled,       // the caller withdrew before anything was changed; nothing is said
};

// Which operation it was: the message of a success is the operation's own.
enum class Operation {
    Search,
    Transfer,
    SpecificRead,
    SpecificWrite,
    Clock,
    Erase,
    Send,
};

// What an operation returns: its outcome and what the caller may want to know about it.
struct OperationResult {
    Operation operation = Operation::Search;
    Outcome outcome = Outcome::Done;
    int instrumentError = 0; // InstrumentError: the number in the instrument's reply
    QString reason;          // FileError: the system's reason; PortBusy: who holds the port
    QString port;            // Search, Done: the port that answered, as the operator knows it
    QString keptFile;        // Transfer: an earlier result file left in place
    QString resultFile;      // Transfer: the file written; empty when none was
    // Transfer: the stored files the "#T" reply announced; none when it never came or was
    // unreadable.
    std::optional<int> filesAnnounced;
    int measurementLines = 0; // Transfer: stored lines marked "#R" or "#G"
    int fileHeaderLines = 0;  // Transfer: stored lines marked "#L"

    bool done() const { return outcome == Outcome::Done; }
    bool fileWritten() const { return !resultFile.isEmpty(); }
};

inline OperationResult resultOf(Operation operation, Outcome outcome) {
    OperationResult result;
    result.operation = operation;
    result.outcome = outcome;
    return result;
}

// The message the window shows for a result, in the installed language: the one mapping
// from outcomes to texts.
QString outcomeMessage(const OperationResult& result);
