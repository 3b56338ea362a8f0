#pragma once

#include "archive/ArchiveDownload.h"
#include "archive/ArchiveLocation.h"

#include <QCommandLineOption>
#include <QJsonObject>
#include <QString>
#include <optional>

class CommandParser;
struct DockingRecord;
struct InstrumentIdentity;
struct TransferResult;

// Where the downloads of a command go besides the folder: the archive, and the spool that
// holds a download while the archive cannot be reached.
struct ArchiveTarget {
    ArchiveLocation location;
    QString spoolFolder;
};

// The spool of the result files in `resultFolder`: a folder inside it, so that it shares
// their disk and their rights, is found by whoever looks after the files, and is flushed by
// the next command that downloads there.
QString archiveSpoolFolder(const QString& resultFolder);

// --archive URL, for every command that reaches the archive.
QCommandLineOption archiveOption();

// The archive the command was given: --archive, else VEXA_ARCHIVE; none when neither names
// one. A malformed address, or one that holds a password, raises CliFailure with BadUsage
// before anything else happens.
std::optional<ArchiveLocation> archiveLocation(const CommandParser& command,
                                               const QCommandLineOption& option);

// Gives one download whose result file is safe on the disk to the archive, in one
// transaction, after whatever waited in the spool; when the archive cannot be reached the
// download waits in the spool and the outcome says so (committed false, pendingMessage).
// `facts` is the ledger's record of the download (its resultFile the file's path, its
// sha256 the hash of the bytes written, or empty); `identity` gives the product and
// photomultiplier references. The file is read back from the disk: the archive keeps the
// bytes the folder holds. Raises EFileError when the file cannot be read or no longer has
// the hash given, or when the spool cannot be written: the memory must then be kept.
ArchiveOutcome archiveDockedDownload(const ArchiveTarget& target, const DockingRecord& facts,
                                     const InstrumentIdentity& identity);

// The ledger's record of a transfer into `resultFile` that ended with `outcome` (a status
// name), now: no clock set, nothing erased.
DockingRecord transferFacts(const QString& port, const InstrumentIdentity& identity,
                            const TransferResult& result, const QString& resultFile,
                            const QString& outcome);

// What --json tells of an outcome.
QJsonObject archiveOutcomeJson(const ArchiveTarget& target, const ArchiveOutcome& outcome);

// Tells the operator what became of the download: archived (standard output), or pending
// and why (standard error), with any spool file that could not be read.
void printArchiveOutcome(const ArchiveTarget& target, const ArchiveOutcome& outcome);
