// archive: the downloads of every PC read back from the archive, and the ones waiting in
// this PC's spool stored.

#include "archive/Archive.h"
#include "archive/ArchiveExport.h"
#include "archive/ArchiveSpool.h"
#include "cli/ArchiveHook.h"
#include "cli/CliMessages.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "common/Messages.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <memory>

namespace {

// The options every action shares: --archive, --json, and the reading filter.
struct ArchiveCommandLine {
    explicit ArchiveCommandLine(const QString& action, CliMsg description)
        : name(QStringLiteral("archive ") + action), parser(name, description),
          archive(archiveOption()) {
        parser.addJsonOption();
        parser.addOption(archive);
    }

    // The action's own options, then the arguments, which name no file or word; false once
    // --help has answered.
    bool parse(const QStringList& arguments, const QList<QCommandLineOption>& options) {
        for (const QCommandLineOption& option : options)
            parser.addOption(option);
        if (!parser.parse(arguments))
            return false;
        parser.expectPositional(0, 0);
        return true;
    }

    // The archive named, opened; none named is a mistake of usage.
    std::unique_ptr<Archive> open() const {
        const std::optional<ArchiveLocation> location = archiveLocation(parser, archive);
        if (!location)
            badUsage(cliMsg(CliMsg::ArchiveNeeded), name);
        return std::make_unique<Archive>(*location);
    }

    QString name;
    CommandParser parser;
    QCommandLineOption archive;
};

const QCommandLineOption& serialOption() {
    static const QCommandLineOption option(
        QStringLiteral("serial"), cliMsg(CliMsg::ArchiveSerialOption), QStringLiteral("S"));
    return option;
}

const QCommandLineOption& sinceOption() {
    static const QCommandLineOption option(
        QStringLiteral("since"), cliMsg(CliMsg::ArchiveSinceOption), QStringLiteral("DATE"));
    return option;
}

// A day (from its midnight, local time) or an ISO 8601 date and time.
QDateTime sinceTime(const QString& text, const QString& command) {
    const QDate day = QDate::fromString(text, Qt::ISODate);
    if (day.isValid())
        return day.startOfDay();
    const QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!time.isValid())
        badUsage(cliMsg(CliMsg::ArchiveBadDate).arg(text), command);
    return time;
}

ArchiveFilter filterOf(const ArchiveCommandLine& line) {
    ArchiveFilter filter;
    filter.serialNumber = line.parser.value(serialOption()).trimmed();
    if (line.parser.isSet(sinceOption()))
        filter.since = sinceTime(line.parser.value(sinceOption()), line.name);
    return filter;
}

QString shownTime(const QDateTime& time) {
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

void printTable(const QList<QStringList>& table) {
    for (const QString& line : console::tableLines(table))
        console::out(line.trimmed());
}

ExitStatus runList(const QStringList& arguments) {
    ArchiveCommandLine line(QStringLiteral("list"), CliMsg::ArchiveListDescription);
    if (!line.parse(arguments, {serialOption(), sinceOption()}))
        return ExitStatus::Done;
    const ArchiveFilter filter = filterOf(line);
    const std::unique_ptr<Archive> archive = line.open();
    const QList<ArchiveEntry> entries = archive->list(filter);
    if (line.parser.json()) {
        QJsonArray downloads;
        for (const ArchiveEntry& entry : entries)
            downloads.append(toJson(entry));
        console::json({{QStringLiteral("archive"), archive->name()},
                       {QStringLiteral("downloads"), downloads}});
        return ExitStatus::Done;
    }
    QList<QStringList> table{{cliMsg(CliMsg::TimeLabel), cliMsg(CliMsg::SerialNumberLabel),
                              cliMsg(CliMsg::HostLabel), cliMsg(CliMsg::OutcomeLabel),
                              cliMsg(CliMsg::MeasurementLinesLabel), cliMsg(CliMsg::FileLabel)}};
    for (const ArchiveEntry& entry : entries) {
        const DownloadRecord& d = entry.download;
        table << QStringList{
            shownTime(d.downloadedAt),           d.serialNumber,  d.hostName, d.outcome,
            QString::number(d.measurementLines), d.resultFileName};
    }
    printTable(table);
    console::out(cliMsg(CliMsg::ArchiveListed).arg(entries.size()));
    return ExitStatus::Done;
}

// A required option with a value.
QString requiredValue(const ArchiveCommandLine& line, const QCommandLineOption& option) {
    const QString value = line.parser.value(option).trimmed();
    if (value.isEmpty())
        badUsage(cliMsg(CliMsg::MissingValue).arg(u"--" + option.names().constFirst()), line.name);
    return value;
}

ExitStatus runExport(const QStringList& arguments) {
    ArchiveCommandLine line(QStringLiteral("export"), CliMsg::ArchiveExportDescription);
    const QCommandLineOption to(QStringLiteral("to"), cliMsg(CliMsg::ArchiveToOption),
                                QStringLiteral("DIR"));
    if (!line.parse(arguments, {serialOption(), sinceOption(), to}))
        return ExitStatus::Done;
    requiredValue(line, serialOption());
    const QString folder = requiredValue(line, to);
    const ArchiveFilter filter = filterOf(line);
    const std::unique_ptr<Archive> archive = line.open();
    const QList<ExportedFile> files = exportDownloads(*archive, filter, folder);
    int alreadyThere = 0;
    QJsonArray array;
    for (const ExportedFile& file : files) {
        alreadyThere += file.alreadyThere ? 1 : 0;
        QJsonObject object = toJson(file.entry);
        object.insert(QStringLiteral("path"), file.path);
        object.insert(QStringLiteral("alreadyThere"), file.alreadyThere);
        array.append(object);
        if (!line.parser.json())
            console::out(QDir::toNativeSeparators(file.path));
    }
    const QString summary = cliMsg(CliMsg::ArchiveExported)
                                .arg(files.size() - alreadyThere)
                                .arg(alreadyThere)
                                .arg(QDir::toNativeSeparators(folder));
    if (line.parser.json())
        console::json({{QStringLiteral("archive"), archive->name()},
                       {QStringLiteral("files"), array},
                       {QStringLiteral("message"), summary}});
    else
        console::out(summary);
    return ExitStatus::Done;
}

ExitStatus runOverdue(const QStringList& arguments) {
    ArchiveCommandLine line(QStringLiteral("overdue"), CliMsg::ArchiveOverdueDescription);
    const QCommandLineOption days(QStringLiteral("days"), cliMsg(CliMsg::ArchiveDaysOption),
                                  QStringLiteral("N"));
    if (!line.parse(arguments, {days}))
        return ExitStatus::Done;
    bool ok = false;
    const int count = line.parser.value(days).trimmed().toInt(&ok);
    if (!ok || count < 0)
        badUsage(cliMsg(CliMsg::ArchiveBadDays), line.name);
    const std::unique_ptr<Archive> archive = line.open();
    const QList<InstrumentEntry> instruments = archive->overdue(count);
    const QString summary = cliMsg(CliMsg::ArchiveOverdueCount).arg(instruments.size()).arg(count);
    if (line.parser.json()) {
        QJsonArray array;
        for (const InstrumentEntry& instrument : instruments)
            array.append(toJson(instrument));
        console::json({{QStringLiteral("archive"), archive->name()},
                       {QStringLiteral("days"), count},
                       {QStringLiteral("instruments"), array},
                       {QStringLiteral("message"), summary}});
        return ExitStatus::Done;
    }
    QList<QStringList> table{{cliMsg(CliMsg::SerialNumberLabel),
                              cliMsg(CliMsg::ProductReferenceLabel),
                              cliMsg(CliMsg::LastSeenLabel)}};
    for (const InstrumentEntry& instrument : instruments)
        table << QStringList{instrument.serialNumber, instrument.productReference,
                             shownTime(instrument.lastSeen)};
    printTable(table);
    console::out(summary);
    return ExitStatus::Done;
}

ExitStatus runFlush(const QStringList& arguments) {
    ArchiveCommandLine line(QStringLiteral("flush"), CliMsg::ArchiveFlushDescription);
    const QCommandLineOption folder(QStringLiteral("folder"), cliMsg(CliMsg::ArchiveSpoolOption),
                                    QStringLiteral("DIR"));
    if (!line.parse(arguments, {folder}))
        return ExitStatus::Done;
    const QString results =
        line.parser.isSet(folder) ? line.parser.value(folder) : QDir::currentPath();
    const std::unique_ptr<Archive> archive = line.open();
    ArchiveSpool spool(archiveSpoolFolder(results));
    const ArchiveSpool::FlushResult flushed = spool.flush(*archive);
    const QString summary = cliMsg(CliMsg::ArchiveFlushed)
                                .arg(flushed.added)
                                .arg(flushed.alreadyThere)
                                .arg(archive->name());
    // A spool file left unread is a download the archive still lacks.
    const ExitStatus status = flushed.problems.isEmpty() ? ExitStatus::Done : ExitStatus::FileError;
    if (line.parser.json()) {
        console::json({{QStringLiteral("archive"), archive->name()},
                       {QStringLiteral("stored"), flushed.added},
                       {QStringLiteral("alreadyThere"), flushed.alreadyThere},
                       {QStringLiteral("problems"), QJsonArray::fromStringList(flushed.problems)},
                       {QStringLiteral("message"), summary}});
    } else {
        for (const QString& problem : flushed.problems)
            console::err(problem);
        console::out(summary);
    }
    return status;
}

} // namespace

ExitStatus runArchive(const QStringList& arguments) {
    const QString action = arguments.value(0);
    if (action == QLatin1String("list"))
        return runList(arguments.mid(1));
    if (action == QLatin1String("export"))
        return runExport(arguments.mid(1));
    if (action == QLatin1String("overdue"))
        return runOverdue(arguments.mid(1));
    if (action == QLatin1String("flush"))
        return runFlush(arguments.mid(1));
    // --help, or a mistake: the parser answers both.
    CommandParser command(QStringLiteral("archive"), CliMsg::ArchiveDescription,
                          QStringLiteral("list|export|overdue|flush"));
    if (!command.parse(arguments))
        return ExitStatus::Done;
    command.expectPositional(1, 1);
    badUsage(cliMsg(CliMsg::ArchiveUnknownAction).arg(action), QStringLiteral("archive"));
}
