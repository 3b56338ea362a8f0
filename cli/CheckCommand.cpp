// check: the parameter file as the window's editor would judge it, without an instrument.

#include "cli/CliMessages.h"
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/InstrumentSession.h"
#include "common/Messages.h"
#include "params/ParamCheck.h"
#include "params/ParamControls.h"
#include "params/ParamEditor.h"
#include "params/ParamFile.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// What the command line asked for.
struct CheckRequest {
    QString file;
    QString softwareVersion;
    bool maintenance = false;
    bool json = false;
};

struct SettingRow {
    ParamControl control;
    QString value;
    FieldBounds bounds;
    bool passes = true;
    bool hidden = false;
    bool locked = false;
};

QString boundText(const std::optional<qint32>& bound) {
    return bound ? QString::number(*bound) : QStringLiteral("?");
}

QJsonValue boundJson(const std::optional<qint32>& bound) {
    return bound ? QJsonValue(*bound) : QJsonValue(QJsonValue::Null);
}

// What the window's refusal adds after a setting the operator cannot see or change.
QString noteOf(const SettingRow& row) {
    if (row.hidden)
        return msg(MsgId::HiddenSetting).trimmed();
    if (row.locked)
        return msg(MsgId::LockedSetting).trimmed();
    return {};
}

// The editor opened on the file: its fields as it shows them, the settings it hides for
// that software version, and the check its save runs.
struct CheckReport {
    QList<SettingRow> rows;
    bool passes = true;
};

std::optional<CheckRequest> parseCheck(const QStringList& arguments) {
    CommandParser command(QStringLiteral("check"), CliMsg::CheckDescription,
                          QStringLiteral("FILE.dat"));
    command.addJsonOption();
    const QCommandLineOption version(QStringLiteral("software-version"),
                                     cliMsg(CliMsg::SoftwareVersionOption), QStringLiteral("V"));
    const QCommandLineOption maintenance(QStringLiteral("maintenance"),
                                         cliMsg(CliMsg::MaintenanceOption));
    command.addOption(version);
    command.addOption(maintenance);
    if (!command.parse(arguments))
        return std::nullopt;
    command.expectPositional(1, 1);
    // Nothing goes on the line; the trace asked for is there all the same, empty.
    openTrace(command);
    return CheckRequest{command.positional().constFirst(), command.value(version),
                        command.isSet(maintenance), command.json()};
}

// The check made when the window is given the file: a file without its four records is
// never opened in the editor.
void requireValidFile(const CheckRequest& request) {
    if (isValidParameterFile(request.file))
        return;
    if (request.json)
        console::json({{QStringLiteral("file"), request.file},
                       {QStringLiteral("valid"), false},
                       {QStringLiteral("passes"), false}});
    throw invalidFile(request.file);
}

CheckReport checkFile(const CheckRequest& request) {
    ParamState state;
    ChargerFichierParametres(request.file, state);
    EditorValues values = EditorValues::initial();
    AfficherParametres(state, values);
    const HiddenFields hidden = hiddenSettings(request.softwareVersion);
    const ParamCheck check = TestParametres(values, state.Plages, hidden);
    CheckReport report;
    report.passes = check.ok();
    for (int i = 0; i < kCheckedFieldCount; ++i) {
        const ParamControl c = checkedField(i);
        report.rows << SettingRow{c,
                                  values.numbers[i],
                                  checkedFieldBounds(c, values, state.Plages),
                                  !check.isMarked(c),
                                  hidden[i],
                                  !isControlEnabled(c, request.maintenance)};
    }
    report.rows << SettingRow{ParamControl::Popcom,
                              values.opcom,
                              {},
                              !check.operatorMarked,
                              false,
                              !isControlEnabled(ParamControl::Popcom, request.maintenance)};
    return report;
}

void printJson(const CheckRequest& request, const CheckReport& report) {
    QJsonArray settings;
    for (const SettingRow& row : report.rows)
        settings.append(QJsonObject{{QStringLiteral("control"), controlObjectName(row.control)},
                                    {QStringLiteral("label"), controlCaption(row.control)},
                                    {QStringLiteral("value"), row.value},
                                    {QStringLiteral("lower"), boundJson(row.bounds.lower)},
                                    {QStringLiteral("upper"), boundJson(row.bounds.upper)},
                                    {QStringLiteral("passes"), row.passes},
                                    {QStringLiteral("hidden"), row.hidden},
                                    {QStringLiteral("locked"), row.locked}});
    console::json({{QStringLiteral("file"), request.file},
                   {QStringLiteral("valid"), true},
                   {QStringLiteral("softwareVersion"), request.softwareVersion},
                   {QStringLiteral("maintenance"), request.maintenance},
                   {QStringLiteral("settings"), settings},
                   {QStringLiteral("passes"), report.passes}});
}

void printTable(const CheckReport& report) {
    QList<QStringList> table{{cliMsg(CliMsg::SettingLabel), cliMsg(CliMsg::ValueLabel),
                              cliMsg(CliMsg::RangeLabel), cliMsg(CliMsg::OutcomeLabel)}};
    for (const SettingRow& row : report.rows) {
        const bool numeric = isCheckedField(row.control);
        QString outcome = cliMsg(row.passes ? CliMsg::SettingPasses : CliMsg::SettingFails);
        // A hidden setting is worth knowing of either way: the window never shows it.
        if ((!row.passes || row.hidden) && !noteOf(row).isEmpty())
            outcome += u' ' + noteOf(row);
        table << QStringList{controlCaption(row.control), row.value,
                             numeric ? boundText(row.bounds.lower) + msg(MsgId::RangeTo) +
                                           boundText(row.bounds.upper)
                                     : QString(),
                             outcome};
    }
    for (const QString& line : console::tableLines(table))
        console::out(line.trimmed());
    console::out(QString());
}

void printVerdict(const CheckReport& report) {
    if (report.passes) {
        console::out(cliMsg(CliMsg::CheckAccepted));
        return;
    }
    // The window's refusal: its message, then each setting at fault with why the operator
    // could not mend it there.
    console::err(console::messageText(msg(MsgId::BadParameters)));
    for (const SettingRow& row : report.rows)
        if (!row.passes)
            console::err(QStringLiteral("  ") + controlCaption(row.control) +
                         (noteOf(row).isEmpty() ? QString() : u' ' + noteOf(row)));
}

void printText(const CheckReport& report) {
    printTable(report);
    printVerdict(report);
}

} // namespace

ExitStatus runCheck(const QStringList& arguments) {
    const auto request = parseCheck(arguments);
    if (!request)
        return ExitStatus::Done;
    requireValidFile(*request);
    const CheckReport report = checkFile(*request);
    request->json ? printJson(*request, report) : printText(report);
    return report.passes ? ExitStatus::Done : ExitStatus::RangeRefused;
}
