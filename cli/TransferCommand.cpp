// transfer: the window's transfer into a result file, from one instrument or from every
// instrument docked on the computer.

#include "cli/ArchiveHook.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/InstrumentSession.h"
#include "cli/ResultNames.h"
#include "cli/WritableTarget.h"
#include "common/Messages.h"
#include "link/EComPort.h"
#include "link/PortDiagnosis.h"
#include "link/PortReport.h"
#include "operations/DockingLedger.h"
#include "operations/MeasurementTransfer.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>

namespace {

// How one instrument's transfer went.
struct TransferRow {
    QString port;
    QString serialNumber;
    bool found = false; // it answered the presence check
    ExitStatus status = ExitStatus::Failed;
    QString message;
    QString file;
    bool fileWritten = false;
    int measurementLines = 0;
    std::optional<ArchiveOutcome> archive; // what became of it in the archive, when one is given
};

using OptionalArchive = std::optional<ArchiveTarget>;

QJsonObject rowJson(const TransferRow& row, const OptionalArchive& archive) {
    QJsonObject object{{QStringLiteral("port"), row.port},
                       {QStringLiteral("serialNumber"), row.serialNumber},
                       {QStringLiteral("found"), row.found},
                       {QStringLiteral("status"), statusName(row.status)},
                       {QStringLiteral("exitStatus"), code(row.status)},
                       {QStringLiteral("message"), console::messageText(row.message)},
                       {QStringLiteral("file"), row.file},
                       {QStringLiteral("fileWritten"), row.fileWritten},
                       {QStringLiteral("measurementLines"), row.measurementLines}};
    if (archive && row.archive)
        object.insert(QStringLiteral("archive"), archiveOutcomeJson(*archive, *row.archive));
    return object;
}

bool instrumentWasRead(const TransferRow& row) {
    // An empty memory has been read: there was nothing to bring back.
    return row.status == ExitStatus::Done || row.status == ExitStatus::EmptyMemory;
}

// The transfer proper, once the instrument has answered; `row` gets its outcome.
void transferInto(InstrumentSession& session, const QString& path, TransferRow& row,
                  const InstrumentIdentity& identity, const OptionalArchive& archive) {
    row.file = path;
    MeasurementTransfer transfer(session.exchange, session.feedback, &session.feedback);
    const TransferResult result = transfer.Run(path);
    session.takeOutcome();
    row.message = result.message;
    row.status = statusOfOutcome(result.message);
    row.fileWritten = result.fileWritten;
    row.measurementLines = result.measurementLines;
    if (archive && row.fileWritten)
        row.archive = archiveDockedDownload(
            *archive, transferFacts(row.port, identity, result, path, statusName(row.status)),
            identity);
}

void printOutcome(const TransferRow& row, const OptionalArchive& archive) {
    const QStringList lines = console::messageLines(row.message);
    for (const QString& line : lines)
        row.status == ExitStatus::Done ? console::out(line) : console::err(line);
    if (row.fileWritten)
        console::out(
            msg(MsgId::CliResultFileWritten).arg(row.file, QString::number(row.measurementLines)));
    if (archive && row.archive)
        printArchiveOutcome(*archive, *row.archive);
}

QString existingFileMessage(const QString& path) {
    return msg(MsgId::CliFileExists).arg(QDir::toNativeSeparators(path));
}

int transferOne(const CommandParser& command, const QString& path, bool force,
                const OptionalArchive& archive) {
    // Before anything is said to the instrument: a run that could not keep its result must
    // not cost the operator the time of a transfer.
    requireWritableFile(path);
    if (QFileInfo::exists(path) && !force)
        throw CliFailure(ExitStatus::FileExists, existingFileMessage(path));
    InstrumentSession session(command);
    session.reachInstrument();
    TransferRow row;
    row.port = session.portName();
    row.serialNumber = session.identity().serialNumber;
    row.found = true;
    transferInto(session, path, row, session.identity(), archive);
    if (command.json())
        console::json(rowJson(row, archive));
    else
        printOutcome(row, archive);
    return code(row.status);
}

int transferEvery(const CommandParser& command, const QString& folder, bool force,
                  const OptionalArchive& archive) {
    requireWritableFolder(folder);
    InstrumentSession session(command);
    ResultNames names(folder, QDateTime::currentDateTime());
    QStringList listed;
    ListComPorts(listed);
    QList<TransferRow> rows;
    QHash<QString, QString> tried; // device -> the name it was tried under
    for (QString name : std::as_const(listed)) {
        if (const qsizetype nul = name.indexOf(QChar(u'\0')); nul >= 0)
            name.truncate(nul);
        // A link and its target are one instrument: read once.
        const QString device = canonicalPortPath(name);
        if (tried.contains(device))
            continue;
        tried.insert(device, name);

        TransferRow row;
        row.port = name;
        session.port.setPort(name);
        QString identity;
        try {
            const int presence = checkPresence(session.exchange, [&](int result) {
                if (result == 0)
                    identity = session.exchange.ReplyBuffer;
            });
            if (presence != 0) {
                row.status = ExitStatus::NoAnswer;
                row.message = msg(MsgId::NoAnswer);
                rows << row;
                continue;
            }
        } catch (const EComPort& e) {
            row.status = statusOfPortError(e);
            row.message = e.attempt() ? portReason(*e.attempt()) : e.message();
            rows << row;
            continue;
        }
        row.found = true;
        row.serialNumber = InstrumentIdentity::fromReply(identity).serialNumber.trimmed();
        const QString path = names.forInstrument(row.serialNumber, name);
        if (QFileInfo::exists(path) && !force) {
            row.status = ExitStatus::FileExists;
            row.message = existingFileMessage(path);
            row.file = path;
        } else {
            // One instrument that fails must not keep the others from being read.
            try {
                transferInto(session, path, row, InstrumentIdentity::fromReply(identity), archive);
            } catch (const EComPort& e) {
                row.status = ExitStatus::CommError;
                row.message = e.message();
            } catch (const EFileError& e) {
                row.status = ExitStatus::FileError;
                row.message = e.message();
            }
        }
        rows << row;
    }

    int found = 0;
    bool everyOneRead = true;
    for (const TransferRow& row : std::as_const(rows)) {
        if (!row.found)
            continue;
        ++found;
        everyOneRead = everyOneRead && instrumentWasRead(row);
    }
    const ExitStatus status = found == 0     ? ExitStatus::NoInstrument
                              : everyOneRead ? ExitStatus::Done
                                             : ExitStatus::NotEveryInstrument;
    const QString summary = found == 0 ? console::messageText(msg(MsgId::NotDetected))
                                       : msg(everyOneRead ? MsgId::CliEveryInstrumentRead
                                                          : MsgId::CliNotEveryInstrumentRead)
                                             .arg(found);
    if (command.json()) {
        QJsonArray array;
        for (const TransferRow& row : std::as_const(rows))
            array.append(rowJson(row, archive));
        console::json({{QStringLiteral("instruments"), array},
                       {QStringLiteral("found"), found},
                       {QStringLiteral("message"), summary},
                       {QStringLiteral("status"), statusName(status)},
                       {QStringLiteral("exitStatus"), code(status)}});
        return code(status);
    }
    QList<QStringList> table{{msg(MsgId::CliPortLabel), msg(MsgId::CliSerialNumberLabel),
                              msg(MsgId::CliOutcomeLabel), msg(MsgId::CliFileLabel)}};
    for (const TransferRow& row : std::as_const(rows))
        table << QStringList{row.port, row.serialNumber, console::messageText(row.message),
                             row.fileWritten ? QDir::toNativeSeparators(row.file) : QString()};
    for (const QString& line : console::tableLines(table))
        console::out(line.trimmed());
    for (const TransferRow& row : std::as_const(rows))
        if (archive && row.archive)
            printArchiveOutcome(*archive, *row.archive);
    if (found == 0)
        console::err(summary);
    else
        console::out(summary);
    return code(status);
}

} // namespace

int runTransfer(const QStringList& arguments) {
    CommandParser command(QStringLiteral("transfer"), MsgId::CliTransferDescription);
    command.addPortOption();
    command.addJsonOption();
    const QCommandLineOption output(QStringLiteral("output"), msg(MsgId::CliOutputOption),
                                    QStringLiteral("FILE"));
    const QCommandLineOption folder(QStringLiteral("folder"), msg(MsgId::CliFolderOption),
                                    QStringLiteral("DIR"));
    const QCommandLineOption force(QStringLiteral("force"), msg(MsgId::CliForceOption));
    const QCommandLineOption every(QStringLiteral("every-instrument"),
                                   msg(MsgId::CliEveryInstrumentOption));
    const QCommandLineOption archiveUrl = archiveOption();
    for (const auto& option : {output, folder, force, every, archiveUrl})
        command.addOption(option);
    if (!command.parse(arguments))
        return code(ExitStatus::Done);
    command.expectPositional(0, 0);
    if (command.isSet(output) && command.isSet(folder))
        badUsage(msg(MsgId::CliOutputOrFolder), QStringLiteral("transfer"));
    if (command.isSet(every) && (command.isSet(output) || command.port()))
        badUsage(msg(MsgId::CliEveryInstrumentAlone), QStringLiteral("transfer"));
    if (command.isSet(output) && command.value(output).isEmpty())
        badUsage(msg(MsgId::CliMissingValue).arg(QStringLiteral("--output")),
                 QStringLiteral("transfer"));

    const std::optional<ArchiveLocation> location = archiveLocation(command, archiveUrl);

    const QString dir = command.isSet(folder) ? command.value(folder) : QDir::currentPath();
    if (!command.isSet(output) && !QFileInfo(dir).isDir())
        throw CliFailure(ExitStatus::FileError, msg(MsgId::CliNoSuchFolder).arg(dir));
    const QString path = command.isSet(output)
                             ? command.value(output)
                             : proposedResultFileName(dir, QDateTime::currentDateTime());
    OptionalArchive archive;
    if (location)
        archive = ArchiveTarget{
            *location,
            archiveSpoolFolder(command.isSet(every) ? dir : QFileInfo(path).absolutePath())};
    if (command.isSet(every))
        return transferEvery(command, dir, command.isSet(force), archive);
    return transferOne(command, path, command.isSet(force), archive);
}
