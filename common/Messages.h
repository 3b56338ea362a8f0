#pragma once

#include <QString>

// The program's message table. Every text the program shows on its own (information
// dialog, status window, tool-tip pieces, its own error reports) comes from here, so a
// translation replaces them all at once. Leading and trailing blanks belong to the texts.
enum class MsgId : int {
    NoAnswer = 65104,       // the presence check got no reply
    CommError,              // a later exchange timed out or lacked "OK"
    Searching,              // status text of the search
    NotDetected,            // search found nothing
    DetectedOn,             // search found the instrument; %1 is the port
    ReadingStatus,          // status text at the start of a transfer
    ReadingProgress,        // %1 file counter, %2 file count, %3 measurement counter
    ReadError,              // stored-file count unreadable
    NoMeasurement,          // stored-file count is 0
    ReadDone,               // transfer or reading finished
    ClockDone,              // clock set
    EraseDone,              // memory erased (two lines)
    UnknownCommand,         // instrument reported an error number
    SpecificWriteDone,      // specific parameters written
    InvalidFile,            // a file lacking a record or key
    BadParameters,          // editor values out of range
    SendingIdentification,  // status text while "#P" is sent
    SendingMeasurement,     // status text while "#R" is sent
    SendingGeneral,         // status text while "#G" is sent
    SendDone,               // parameters sent (two lines)
    WrongPassword,          // maintenance password refused
    RangePrefix,            // "Plage : "
    RangeTo,                // " à "
    RangeMinThresholdTo,    // "Seuil min à "
    RangeMinToMaxThreshold, // "Seuil min à Seuil max"
    RangeToFullBattery,     // " à Tension batterie pleine"
    RangeToEmptyBattery,    // " à Tension batterie vide"
    CannotWriteIni,         // settings or .par file; %1 is its full path
    InvalidDateTime,        // %1 is the text
    InvalidInteger,         // %1 is the text
    CannotReadFile,         // %1 is the file's full path
    CannotWriteFile,        // %1 is the file's full path
    UnwritableCharacter,    // %1 the character, %2 the file's full path
    HiddenSetting,          // after a refused setting the operator cannot see
    LockedSetting,          // after a refused setting only maintenance may change
    UnsendableCharacter,    // %1 the character the instrument's line cannot carry
    ReplaceResultFile,      // question before a transfer; %1 is the file's full path
    EarlierFileKept,        // a transfer stored nothing; %1 is the file's full path
    CannotWriteFileReason,  // %1 is the file's full path, %2 the system's reason
    // What the search met on each port and how to mend it; %1 is the port unless said otherwise
    PortsTried,              // heading of the search's details
    PortAnswered,            // the presence check got a reply
    PortSilent,              // opened, nothing answered
    PortSilentFix,           // check the instrument and its cable
    PortAlsoOpenIn,          // %1 the other programs that have it open
    PortAbsent,              // no such device
    PortNoPermission,        // nothing more is known
    PortNoPermissionGroup,   // %2 the device's group, which the user is not in
    PortNoPermissionSession, // %2 the group the user joined after logging in
    PortNoPermissionOwner,   // %2 the only user the device lets in
    PortNoPermissionPolicy,  // %2 the device's group, which the user is in
    FixJoinGroup,            // %1 the group; the command follows on a line of its own
    FixNewSession,           // log out and in
    FixOwnerOnly,            // %1 the group serial ports belong to on this system
    FixPolicy,               // sandboxes and security policies
    PortHeldBy,              // %2 the program (name, PID)
    PortHeld,                // the program is not known
    FixHeld,                 // close the other program
    PortProbablyHeldBy,      // %2 the program a lock file names, that file not its own
    PortLockNotFile,         // %2 the lock file's path
    FixRemoveLockFile,       // the command follows
    PortNotSerial,           // %2 one of the four kinds below
    KindRegularFile,         // a path that is not a serial port: a file
    KindDirectory,           // a folder
    KindNotTerminal,         // a device such as /dev/null
    KindSpecialFile,         // a pipe, a socket, a block device
    FixNotSerial,            // take it out of VEXA_EXTRA_PORTS
    PortFailed,              // %2 the serial error's message
    PortSameDevice,          // %1 the name listed, %2 the name the device was tried under
    NoPortListed,            // the system lists no serial port
    ExtraPortsHint,          // what VEXA_EXTRA_PORTS is for
    BrlttyPresent,           // %1 the adapters
    FixBrltty,               // the commands follow
    ModemManagerRunning,     // it may be probing the port
    FixModemManager,         // the commands follow
    // A result file made safe before the instrument's memory is erased, and the ledger
    FileNotSafeOnDisk,    // %1 the file or its folder, %2 the system's reason
    FileDiffersOnDisk,    // %1 the file, %2 bytes meant, %3 bytes read back, %4 first difference
    LedgerNotRegularFile, // %1 the ledger's path
    CannotWriteLedger,    // %1 the ledger's path, %2 the system's reason
    // The archive of downloads
    ArchivePasswordInUrl,   // the archive's address carries a password
    ArchiveBadUrl,          // %1 the part of the address that is wrong (never the password)
    ArchiveDriverMissing,   // %1 Qt's driver, %2 the Debian package that holds it
    ArchiveUnreachable,     // %1 the archive, %2 the engine's reason
    ArchiveSchemaTooNew,    // %1 the archive, %2 its schema version, %3 this program's
    ArchiveRequestFailed,   // %1 the archive, %2 the engine's reason
    ArchivePending,         // %1 the spool folder, %2 why the archive was not reached
    ArchiveSpoolUnreadable, // %1 the spool file, %2 what is wrong with it
    ArchiveFileAltered,     // %1 the result file's name, %2 the serial number
    LowLatencyRefused,           // hint under a USB adapter's port
    FixLatencyTimer,             // followed by the commands
};

constexpr int kFirstMessageId = static_cast<int>(MsgId::NoAnswer);
constexpr int kLastMessageId = static_cast<int>(MsgId::FixLatencyTimer);

// The text in the installed language (French when no translation is installed).
QString msg(MsgId id);

// The program's own French text, whatever the language.
QString msgSource(MsgId id);

// Translation context of the message table.
inline constexpr const char* kMessagesContext = "Messages";

// Shown after a specific-parameter file is saved; deliberately outside the table,
// so it stays French in every language.
inline const QString kFileSavedMessage = QStringLiteral("   Fichier enregistré   ");
