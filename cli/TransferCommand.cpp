// transfer: the window's transfer into a result file, from one instrument or from every
// instrument docked on the computer.

#include "cli/ArchiveHook.h"
#include "cli/CliMessages.h"
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
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

namespace {

// What the command line asked for.
struct TransferRequest {
    bool json = false;
    std::optional<ArchiveTarget> archive; // where each download goes besides the folder
    bool force = false;
    bool every = false;
    QString folder; // --folder, or the current folder
    QString path;   // one instrument: --output, or the window's proposal in the folder
};

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

QJsonObject rowJson(const TransferRow& row, const TransferRequest& request) {
    QJsonObject object{{QStringLiteral("port"), row.port},
                       {QStringLiteral("serialNumber"), row.serialNumber},
                       {QStringLiteral("found"), row.found},
                       {QStringLiteral("status"), statusName(row.status)},
                       {QStringLiteral("exitStatus"), code(row.status)},
                       {QStringLiteral("message"), console::messageText(row.message)},
                       {QStringLiteral("file"), row.file},
                       {QStringLiteral("fileWritten"), row.fileWritten},
                       {QStringLiteral("measurementLines"), row.measurementLines}};
    if (request.archive && row.archive)
        object.insert(QStringLiteral("archive"),
                      archiveOutcomeJson(*request.archive, *row.archive));
    return object;
}

bool instrumentWasRead(const TransferRow& row) {
    // An empty memory has been read: there was nothing to bring back.
    return row.status == ExitStatus::Done || row.status == ExitStatus::EmptyMemory;
}

void takeResult(TransferRow& row, const OperationResult& result) {
    row.status = exitStatusOf(result.outcome);
    row.message = outcomeMessage(result);
    row.fileWritten = result.fileWritten();
    row.measurementLines = result.measurementLines;
}

// The transfer proper, once the instrument has answered; `row` gets its outcome, and the
// archive the file written.
void transferInto(InstrumentSession& session, const QString& path, TransferRow& row,
                  const InstrumentIdentity& identity, const TransferRequest& request) {
    row.file = path;
    MeasurementTransfer transfer(session.exchange, session.feedback, &session.feedback);
    const TransferResult result = transfer.Run(path);
    takeResult(row, result);
    if (request.archive && row.fileWritten)
        row.archive = archiveDockedDownload(
            *request.archive,
            transferFacts(row.port, identity, result, path, statusName(row.status)), identity);
}

void printOutcome(const TransferRow& row, const TransferRequest& request) {
    const QStringList lines = console::messageLines(row.message);
    for (const QString& line : lines)
        row.status == ExitStatus::Done ? console::out(line) : console::err(line);
    if (row.fileWritten)
        console::out(
            cliMsg(CliMsg::ResultFileWritten).arg(row.file, QString::number(row.measurementLines)));
    if (request.archive && row.archive)
        printArchiveOutcome(*request.archive, *row.archive);
}

QString existingFileMessage(const QString& path) {
    return cliMsg(CliMsg::FileExists).arg(QDir::toNativeSeparators(path));
}

ExitStatus transferOne(const CommandParser& command, const TransferRequest& request) {
    // Before anything is said to the instrument: a run that could not keep its result must
    // not cost the operator the time of a transfer.
    requireWritableFile(request.path);
    if (QFileInfo::exists(request.path) && !request.force)
        throw CliFailure(ExitStatus::FileExists, existingFileMessage(request.path));
    InstrumentSession session(command);
    session.reachInstrument();
    TransferRow row;
    row.port = session.portName();
    row.serialNumber = session.identity().serialNumber;
    row.found = true;
    transferInto(session, request.path, row, session.identity(), request);
    if (request.json)
        console::json(rowJson(row, request));
    else
        printOutcome(row, request);
    return row.status;
}

// The ports to try, each device once: a link and its target are one instrument.
QStringList distinctPorts() {
    QStringList listed;
    ListComPorts(listed);
    QStringList ports;
    QSet<QString> devices;
    for (QString name : std::as_const(listed)) {
        if (const qsizetype nul = name.indexOf(QChar(u'\0')); nul >= 0)
            name.truncate(nul);
        const QString device = canonicalPortPath(name);
        if (!devices.contains(device)) {
            devices.insert(device);
            ports << name;
        }
    }
    return ports;
}

// The presence check on one port; the identity line when the instrument answered.
std::optional<QString> presentInstrument(InstrumentSession& session, TransferRow& row) {
    try {
        if (auto identity = presentIdentity(session.exchange))
            return identity;
        takeResult(row, resultOf(Operation::Transfer, Outcome::NoAnswer));
    } catch (const EComPort& e) {
        takeResult(row, resultOfPortError(Operation::Transfer, e));
        row.message = e.attempt() ? portReason(*e.attempt()) : e.message();
    }
    return std::nullopt;
}

// One instrument of a run over every one: it that fails must not keep the others from
// being read.
TransferRow transferFromPort(InstrumentSession& session, const QString& name, ResultNames& names,
                             const TransferRequest& request) {
    TransferRow row;
    row.port = name;
    session.port.setPort(name);
    const auto identity = presentInstrument(session, row);
    if (!identity)
        return row;
    row.found = true;
    row.serialNumber = InstrumentIdentity::fromReply(*identity).serialNumber.trimmed();
    row.file = names.forInstrument(row.serialNumber, name);
    if (QFileInfo::exists(row.file) && !request.force) {
        row.status = ExitStatus::FileExists;
        row.message = existingFileMessage(row.file);
        return row;
    }
    try {
        transferInto(session, row.file, row, InstrumentIdentity::fromReply(*identity), request);
    } catch (const EComPort& e) {
        takeResult(row, resultOfPortError(Operation::Transfer, e));
        row.message = e.message();
    } catch (const EFileError& e) {
        takeResult(row, resultOf(Operation::Transfer, Outcome::FileError));
        row.message = e.message();
    }
    return row;
}

ExitStatus printEvery(const TransferRequest& request, const QList<TransferRow>& rows) {
    int found = 0;
    bool everyOneRead = true;
    for (const TransferRow& row : rows) {
        found += row.found ? 1 : 0;
        everyOneRead = everyOneRead && (!row.found || instrumentWasRead(row));
    }
    const ExitStatus status = found == 0     ? ExitStatus::NoInstrument
                              : everyOneRead ? ExitStatus::Done
                                             : ExitStatus::NotEveryInstrument;
    const QString summary =
        found == 0
            ? console::messageText(
                  outcomeMessage(resultOf(Operation::Search, Outcome::NoInstrument)))
            : cliMsg(everyOneRead ? CliMsg::EveryInstrumentRead : CliMsg::NotEveryInstrumentRead)
                  .arg(found);
    if (request.json) {
        QJsonArray array;
        for (const TransferRow& row : rows)
            array.append(rowJson(row, request));
        console::json({{QStringLiteral("instruments"), array},
                       {QStringLiteral("found"), found},
                       {QStringLiteral("message"), summary}});
        return status;
    }
    QList<QStringList> table{{cliMsg(CliMsg::PortLabel), cliMsg(CliMsg::SerialNumberLabel),
                              cliMsg(CliMsg::OutcomeLabel), cliMsg(CliMsg::FileLabel)}};
    for (const TransferRow& row : rows)
        table << QStringList{row.port, row.serialNumber, console::messageText(row.message),
                             row.fileWritten ? QDir::toNativeSeparators(row.file) : QString()};
    for (const QString& line : console::tableLines(table))
        console::out(line.trimmed());
    for (const TransferRow& row : rows)
        if (request.archive && row.archive)
            printArchiveOutcome(*request.archive, *row.archive);
    found == 0 ? console::err(summary) : console::out(summary);
    return status;
}

ExitStatus transferEvery(const CommandParser& command, const TransferRequest& request) {
    requireWritableFolder(request.folder);
    InstrumentSession session(command);
    ResultNames names(request.folder, QDateTime::currentDateTime());
    QList<TransferRow> rows;
    for (const QString& name : distinctPorts())
        rows << transferFromPort(session, name, names, request);
    return printEvery(request, rows);
}

struct TransferOptions {
    QCommandLineOption output{QStringLiteral("output"), cliMsg(CliMsg::OutputOption),
                              QStringLiteral("FILE")};
    QCommandLineOption folder{QStringLiteral("folder"), cliMsg(CliMsg::FolderOption),
                              QStringLiteral("DIR")};
    QCommandLineOption force{QStringLiteral("force"), cliMsg(CliMsg::ForceOption)};
    QCommandLineOption every{QStringLiteral("every-instrument"),
                             cliMsg(CliMsg::EveryInstrumentOption)};
    QCommandLineOption archive = archiveOption();
};

void checkCombinations(const CommandParser& command, const TransferOptions& o) {
    command.expectPositional(0, 0);
    if (command.isSet(o.output) && command.isSet(o.folder))
        badUsage(cliMsg(CliMsg::OutputOrFolder), QStringLiteral("transfer"));
    if (command.isSet(o.every) && (command.isSet(o.output) || command.port()))
        badUsage(cliMsg(CliMsg::EveryInstrumentAlone), QStringLiteral("transfer"));
    if (command.isSet(o.output) && command.value(o.output).isEmpty())
        badUsage(cliMsg(CliMsg::MissingValue).arg(QStringLiteral("--output")),
                 QStringLiteral("transfer"));
}

TransferRequest requestOf(const CommandParser& command, const TransferOptions& o) {
    checkCombinations(command, o);
    // A wrong archive address is a mistake in the command: told before any other failure.
    const std::optional<ArchiveLocation> location = archiveLocation(command, o.archive);
    TransferRequest request;
    request.json = command.json();
    request.force = command.isSet(o.force);
    request.every = command.isSet(o.every);
    request.folder = command.isSet(o.folder) ? command.value(o.folder) : QDir::currentPath();
    if (!command.isSet(o.output) && !QFileInfo(request.folder).isDir())
        throw CliFailure(ExitStatus::FileError, cliMsg(CliMsg::NoSuchFolder).arg(request.folder));
    request.path = command.isSet(o.output)
                       ? command.value(o.output)
                       : proposedResultFileName(request.folder, QDateTime::currentDateTime());
    // The spool shares the result files' disk and rights.
    if (location)
        request.archive = ArchiveTarget{
            *location, archiveSpoolFolder(request.every ? request.folder
                                                        : QFileInfo(request.path).absolutePath())};
    return request;
}

} // namespace

ExitStatus runTransfer(const QStringList& arguments) {
    CommandParser command(QStringLiteral("transfer"), CliMsg::TransferDescription);
    command.addPortOption();
    command.addJsonOption();
    const TransferOptions options;
    for (const auto& option :
         {options.output, options.folder, options.force, options.every, options.archive})
        command.addOption(option);
    if (!command.parse(arguments))
        return ExitStatus::Done;
    const TransferRequest request = requestOf(command, options);
    return request.every ? transferEvery(command, request) : transferOne(command, request);
}
