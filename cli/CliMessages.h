#pragma once

#include <QString>

// The command-line tool's own texts: its help, its options, its tables and its refusals.
// They are translated like the program's message table, in the same context, so one
// translation file serves the window and the tool.
enum class CliMsg : int {
    Description,            // what the tool is
    Usage,                  // %1 the command's syntax
    CommandsHeading,        // heading of the command list
    CommonOptions,          // options every command takes
    EnvironmentHeading,     // heading of the environment variables
    ExtraPortsVariable,     // VEXA_EXTRA_PORTS
    PasswordVariable,       // VEXA_MAINTENANCE_PASSWORD
    LanguageVariables,      // LC_ALL, LC_MESSAGES, LANG
    ExitStatusesHeading,    // heading of the exit statuses
    ExitDone,               // exit status 0
    ExitFailed,             // exit status 1
    ExitBadUsage,           // exit status 2
    ExitNoInstrument,       // exit status 3
    ExitNoAnswer,           // exit status 4
    ExitCommError,          // exit status 5
    ExitReadError,          // exit status 6
    ExitEmptyMemory,        // exit status 7
    ExitInvalidFile,        // exit status 8
    ExitRangeRefused,       // exit status 9
    ExitFileExists,         // exit status 10
    ExitFileError,          // exit status 11
    ExitNotEveryInstrument, // exit status 12
    ExitPasswordRefused,    // exit status 13
    HelpOption,             // --help
    TraceOption,            // --trace
    PortOption,             // --port
    JsonOption,             // --json
    SeeHelp,                // %1 the help command
    UnknownCommand,         // %1 the word given
    MissingValue,           // %1 the option
    MissingArgument,        // %1 the arguments expected
    UnexpectedArgument,     // %1 the argument
    PortsSummary,           // ports
    PortsDescription,       // ports --help
    IdentifySummary,        // identify
    IdentifyDescription,    // identify --help
    TransferSummary,        // transfer
    TransferDescription,    // transfer --help
    OutputOption,           // --output
    FolderOption,           // --folder
    ForceOption,            // --force
    EveryInstrumentOption,  // --every-instrument
    OutputOrFolder,         // --output and --folder together
    EveryInstrumentAlone,   // --every-instrument with --output or --port
    NoSuchFolder,           // %1 the folder
    FileExists,             // %1 the file
    ResultFileWritten,      // %1 the file, %2 the measurement lines
    EveryInstrumentRead,    // %1 the number of instruments
    NotEveryInstrumentRead, // %1 the number of instruments
    PortLabel,              // column and field
    SerialNumberLabel,      // column and field
    OutcomeLabel,           // column
    FileLabel,              // column
    DescriptionLabel,       // identity field
    ProductReferenceLabel,  // identity field
    SoftwareVersionLabel,   // identity field
    ParameterFileLabel,     // identity field
    PmReferenceLabel,       // identity field
    ClockSummary,           // clock
    ClockDescription,       // clock --help
    AtOption,               // --at
    EraseSummary,           // erase
    EraseDescription,       // erase --help
    YesOption,              // --yes
    EraseNeedsYes,          // refusal without --yes
    CheckSummary,           // check
    CheckDescription,       // check --help
    SoftwareVersionOption,  // --software-version
    MaintenanceOption,      // --maintenance
    SettingLabel,           // column
    ValueLabel,             // column
    RangeLabel,             // column
    SettingPasses,          // result of a setting
    SettingFails,           // result of a setting
    CheckAccepted,          // check passed
    SendSummary,            // send
    SendDescription,        // send --help
    SpecificSummary,        // specific
    SpecificDescription,    // specific --help
    SerialNumberOption,     // --serial-number
    PmReferenceOption,      // --pm-reference
    HighVoltageOption,      // --high-voltage
    ContrastOption,         // --contrast
    MaintenanceFlagOption,  // --maintenance-flag
    UnknownAction,          // %1 the word given
    ValuesOnlyForWrite,     // values with another action
    TextTooLong,            // %1 the option, %2 the limit
    DigitsOnly,             // %1 the option, %2 the limit
    FlagValue,              // %1 the option
    PasswordPrompt,         // prompt on the terminal
    PasswordUnavailable,    // no terminal and no variable
    InstrumentNumberLabel,  // specific field
    PmScintillatorLabel,    // specific field
    HighVoltageLabel,       // specific field
    ContrastLabel,          // specific field
    MaintenanceFlagLabel,   // specific field
    Yes,                    // a flag set
    No,                     // a flag clear
    FieldLabel,             // %1 the name of a field before its value
    FolderNotWritable,      // %1 the folder, %2 the system's reason
    NotAFile,               // %1 the path, %2 what it is
    FixHeld,                // the fix for a port another program holds
    OutputFailed,           // the result could not be written
    ExitPortBusy,           // exit status 14
    SeeAlso,                // %1 the example parameter file
    // The archive
    ArchiveOption,             // --archive
    ArchiveSummary,            // archive
    ArchiveDescription,        // archive --help
    ArchiveListDescription,    // archive list --help
    ArchiveExportDescription,  // archive export --help
    ArchiveOverdueDescription, // archive overdue --help
    ArchiveFlushDescription,   // archive flush --help
    ArchiveSerialOption,       // --serial
    ArchiveSinceOption,        // --since
    ArchiveToOption,           // --to
    ArchiveDaysOption,         // --days
    ArchiveSpoolOption,        // --folder
    ArchiveNeeded,             // no archive given
    ArchiveUnknownAction,      // %1 the word given
    ArchiveBadDate,            // %1 the text given
    ArchiveBadDays,            // --days without a count
    ArchiveStored,             // %1 the archive
    ArchiveFlushed,            // %1 stored, %2 already there, %3 the archive
    ArchiveExported,           // %1 files written, %2 already there, %3 the folder
    ArchiveListed,             // %1 the number of downloads
    ArchiveOverdueCount,       // %1 the number of instruments, %2 the days
    TimeLabel,                 // column
    HostLabel,                 // column
    MeasurementLinesLabel,     // column
    LastSeenLabel,             // column
    // The docking PC
    WatchSummary,             // watch
    WatchDescription,         // watch --help
    WatchFolderOption,        // --folder of watch
    LedgerOption,             // --ledger
    SetClockOption,           // --set-clock
    EraseAfterDownloadOption, // --erase-after-download
    SettleOption,             // --settle
    BadSettle,                // %1 the value
    Watching,                 // %1 the folder, %2 the ledger
    WatchStopped,             // the watcher ends
    DockedInstrument,         // %1 port, %2 serial, %3 outcome, %4 file
    MemoryErased,             // after the erase
    MemoryKeptIncomplete,     // no erase
    MemoryKeptNoFile,         // no erase
    MemoryKeptIdentity,       // no erase
    MemoryKeptNoAnswer,       // no erase
    MemoryKeptFileChanged,    // %1 the reason
    MemoryKeptArchive,        // no erase: the archive does not hold the download yet
};

// The text in the installed language (French when no translation is installed).
QString cliMsg(CliMsg id);

// The tool's own French text, whatever the language.
QString cliMsgSource(CliMsg id);

inline constexpr int kCliMessageCount = static_cast<int>(CliMsg::MemoryKeptArchive) + 1;
