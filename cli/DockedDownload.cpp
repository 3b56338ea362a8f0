#include "cli/DockedDownload.h"
#include "cli/CliMessages.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/InstrumentSession.h"
#include "cli/PortRecord.h"
#include "cli/ResultNames.h"
#include "common/Errors.h"
#include "common/Messages.h"
#include "common/TextFile.h"
#include "link/EComPort.h"
#include "link/PortDiagnosis.h"
#include "link/PortReport.h"
#include "operations/ClockAndErase.h"
#include "operations/MeasurementTransfer.h"
#include "operations/TransferReplies.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

// The presence check; the identity line when the instrument answered. A port that failed
// fills the report with the search's reason and fix.
std::optional<QString> answeringIdentity(InstrumentSession& session, const QString& port,
                                         DockedDownload& download) {
    session.port.setPort(port);
    try {
        if (auto identity = presentIdentity(session.exchange))
            return identity;
        download.report << silentPortLines(port);
    } catch (const EComPort& e) {
        download.report << e.message();
        if (e.attempt())
            download.report << portRecordLines(*e.attempt());
    }
    download.failed = true;
    return std::nullopt;
}

// The transfer into a file proven on the disk; the record gets what came.
TransferResult transferInto(InstrumentSession& session, const QString& path,
                            DockingRecord& record) {
    MeasurementTransfer transfer(session.exchange, session.feedback, &session.feedback);
    transfer.setDurableFile(true);
    TransferResult result;
    result.operation = Operation::Transfer;
    try {
        result = transfer.Run(path);
    } catch (const EComPort& e) {
        result.outcome = Outcome::CommError;
        result.reason = e.message();
    } catch (const EFileError& e) {
        result.outcome = Outcome::FileError;
        result.reason = e.message();
    }
    record.exitStatus = code(exitStatusOf(result.outcome));
    record.outcome = statusName(static_cast<ExitStatus>(record.exitStatus));
    if (result.lines.size() > 1)
        record.filesAnnounced = storedFileCount(result.lines.at(1));
    record.fileHeaders = result.fileHeaderLines;
    record.measurementLines = result.measurementLines;
    if (result.storedFile) {
        record.resultFile = path;
        record.sha256 = result.storedFile->sha256;
    }
    return result;
}

bool setClock(InstrumentSession& session) {
    try {
        return setInstrumentClock(session.exchange, session.feedback,
                                  [] { return formatClockText(QDateTime::currentDateTime()); })
            .done();
    } catch (const VexaError&) {
        return false;
    }
}

// Why the memory must stay as it is before anything is asked; empty when it may go.
QString reasonToKeep(const TransferResult& result, int exitStatus) {
    if (exitStatus != code(ExitStatus::Done) || !result.endMarkerReached)
        return cliMsg(CliMsg::MemoryKeptIncomplete);
    if (!result.storedFile)
        return cliMsg(CliMsg::MemoryKeptNoFile);
    return {};
}

// Erases once, only from the instrument that was read and only with its file proven again
// right before the command; otherwise says why not.
bool eraseSafely(InstrumentSession& session, const QString& identity, const DockingRecord& record,
                 const TransferResult& result, QString& whyKept) {
    whyKept = reasonToKeep(result, record.exitStatus);
    if (!whyKept.isEmpty())
        return false;
    const QByteArray expected = cp1252LineBytes(result.lines);
    const auto sameAndSafe = [&](const QString& answered) {
        if (answered != identity) {
            whyKept = cliMsg(CliMsg::MemoryKeptIdentity);
            return false;
        }
        verifyFileBytes(record.resultFile, expected);
        return true;
    };
    try {
        if (eraseInstrumentMemory(session.exchange, session.feedback, sameAndSafe).done())
            return true;
        if (whyKept.isEmpty())
            whyKept = cliMsg(CliMsg::MemoryKeptNoAnswer);
    } catch (const VexaError& e) {
        whyKept = cliMsg(CliMsg::MemoryKeptFileChanged).arg(e.message());
    }
    return false;
}

// With an archive, the download must be in it before the memory may go; a download the
// archive cannot take yet waits in the spool and the memory is kept.
bool archiveIfAsked(const DockingOptions& options, DockingRecord& record,
                    const InstrumentIdentity& identity, DockedDownload& download) {
    if (!options.archive || record.resultFile.isEmpty())
        return true;
    try {
        const ArchiveOutcome outcome = archiveDockedDownload(*options.archive, record, identity);
        record.archive =
            outcome.committed ? QStringLiteral("archived") : QStringLiteral("archive pending");
        if (!outcome.committed)
            download.report << outcome.pendingMessage(options.archive->spoolFolder);
        return outcome.committed;
    } catch (const VexaError& e) {
        record.archive = QStringLiteral("archive pending");
        download.report << e.message();
        return false;
    }
}

QSet<QString> caseFoldedNames(const QString& folder) {
    QSet<QString> names;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        names.insert(entry.toCaseFolded());
    return names;
}

} // namespace

QString freeResultPath(const QString& folder, const QString& serialNumber, const QString& port) {
    ResultNames names(folder, QDateTime::currentDateTime());
    const QSet<QString> taken = caseFoldedNames(folder);
    for (;;) {
        const QString path = names.forInstrument(serialNumber, port);
        if (!taken.contains(QFileInfo(path).fileName().toCaseFolded()))
            return path;
    }
}

DockedDownload downloadDocked(InstrumentSession& session, const QString& port,
                              const DockingOptions& options) {
    DockedDownload download;
    const std::optional<QString> identity = answeringIdentity(session, port, download);
    if (!identity)
        return download;
    DockingRecord record;
    record.time = QDateTime::currentDateTime();
    record.port = port;
    const InstrumentIdentity id = InstrumentIdentity::fromReply(*identity);
    record.serialNumber = id.serialNumber.trimmed();
    record.softwareVersion = id.softwareVersion.trimmed();
    const QString path = freeResultPath(options.folder, record.serialNumber, port);
    const TransferResult result = transferInto(session, path, record);
    download.lines = result.lines;
    download.resultPath = record.resultFile;
    download.report << console::messageLines(outcomeMessage(result));
    download.failed = record.exitStatus != code(ExitStatus::Done);
    const bool read = record.exitStatus == code(ExitStatus::Done) ||
                      record.exitStatus == code(ExitStatus::EmptyMemory);
    if (options.setClock && read)
        record.clockSet = setClock(session);
    const bool archived = archiveIfAsked(options, record, id, download);
    if (options.eraseAfterDownload) {
        QString whyKept = cliMsg(CliMsg::MemoryKeptArchive);
        record.memoryErased = archived && eraseSafely(session, *identity, record, result, whyKept);
        download.report << (record.memoryErased ? cliMsg(CliMsg::MemoryErased) : whyKept);
    }
    download.record = record;
    return download;
}
