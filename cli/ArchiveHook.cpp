#include "cli/ArchiveHook.h"
#include "cli/CliMessages.h"

#include "archive/ArchiveError.h"
#include "cli/CommandParser.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "common/Errors.h"
#include "common/Messages.h"
#include "common/TextFile.h"
#include "link/InstrumentSearch.h"
#include "operations/DockingLedger.h"
#include "operations/MeasurementTransfer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#include <vector>
#endif

namespace {

// The account the download was made under, as the audit asks "who".
QString userName() {
#ifdef Q_OS_UNIX
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
#endif
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? qEnvironmentVariable("USERNAME") : user;
}

DownloadRecord downloadRecord(const DockingRecord& facts, const InstrumentIdentity& identity,
                              const QByteArray& bytes) {
    DownloadRecord record;
    record.serialNumber = facts.serialNumber;
    record.productReference = identity.productReference.trimmed();
    record.pmReference = identity.pmReference.trimmed();
    record.softwareVersion = facts.softwareVersion;
    record.downloadedAt = facts.time;
    record.hostName = QSysInfo::machineHostName();
    record.userName = userName();
    record.programVersion = QCoreApplication::applicationVersion();
    record.port = facts.port;
    record.filesAnnounced = facts.filesAnnounced.value_or(0);
    record.fileHeaders = facts.fileHeaders;
    record.measurementLines = facts.measurementLines;
    record.outcome = facts.outcome;
    record.clockSet = facts.clockSet;
    record.memoryErased = facts.memoryErased;
    record.setFile(QFileInfo(facts.resultFile).fileName(), bytes);
    return record;
}

} // namespace

QString archiveSpoolFolder(const QString& resultFolder) {
    return QDir(resultFolder).filePath(QStringLiteral("archive-spool"));
}

QCommandLineOption archiveOption() {
    return {QStringLiteral("archive"), cliMsg(CliMsg::ArchiveOption), QStringLiteral("URL")};
}

std::optional<ArchiveLocation> archiveLocation(const CommandParser& command,
                                               const QCommandLineOption& option) {
    const QString url =
        command.isSet(option) ? command.value(option).trimmed() : archiveUrlFromEnvironment();
    if (url.isEmpty()) {
        if (command.isSet(option))
            badUsage(cliMsg(CliMsg::MissingValue).arg(QStringLiteral("--archive")));
        return std::nullopt;
    }
    try {
        return parseArchiveUrl(url);
    } catch (const ArchiveError& e) {
        throw CliFailure(ExitStatus::BadUsage, e.message());
    }
}

ArchiveOutcome archiveDockedDownload(const ArchiveTarget& target, const DockingRecord& facts,
                                     const InstrumentIdentity& identity) {
    const QByteArray bytes = readFileBytes(facts.resultFile);
    const DownloadRecord record = downloadRecord(facts, identity, bytes);
    // The file changed after it was written: what the folder holds is no longer the download.
    if (!facts.sha256.isEmpty() && facts.sha256 != record.sha256)
        throw EFileError(msg(MsgId::ArchiveFileAltered).arg(facts.resultFile, facts.serialNumber));
    return archiveDownload(target.location, target.spoolFolder, record);
}

DockingRecord transferFacts(const QString& port, const InstrumentIdentity& identity,
                            const TransferResult& result, const QString& resultFile,
                            const QString& outcome) {
    DockingRecord facts;
    facts.time = QDateTime::currentDateTime();
    facts.port = port;
    facts.serialNumber = identity.serialNumber.trimmed();
    facts.softwareVersion = identity.softwareVersion.trimmed();
    facts.filesAnnounced = result.filesAnnounced;
    facts.fileHeaders = result.fileHeaderLines;
    facts.measurementLines = result.measurementLines;
    facts.resultFile = resultFile;
    facts.outcome = outcome;
    return facts;
}

QJsonObject archiveOutcomeJson(const ArchiveTarget& target, const ArchiveOutcome& outcome) {
    QJsonObject object{{QStringLiteral("name"), target.location.display()},
                       {QStringLiteral("committed"), outcome.committed},
                       {QStringLiteral("flushed"), outcome.flushed},
                       {QStringLiteral("problems"), QJsonArray::fromStringList(outcome.problems)}};
    if (!outcome.committed) {
        object.insert(QStringLiteral("reason"), outcome.reason);
        object.insert(QStringLiteral("spoolFile"), outcome.spoolFile);
        object.insert(QStringLiteral("message"), outcome.pendingMessage(target.spoolFolder));
    }
    return object;
}

void printArchiveOutcome(const ArchiveTarget& target, const ArchiveOutcome& outcome) {
    for (const QString& problem : outcome.problems)
        console::err(problem);
    if (outcome.committed)
        console::out(cliMsg(CliMsg::ArchiveStored).arg(target.location.display()));
    else
        console::err(outcome.pendingMessage(QDir::toNativeSeparators(target.spoolFolder)));
}
