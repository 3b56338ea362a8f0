// check: the parameter file as the window's editor would judge it, without an instrument.

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

} // namespace

int runCheck(const QStringList& arguments) {
    CommandParser command(QStringLiteral("check"), MsgId::CliCheckDescription,
                          QStringLiteral("FILE.dat"));
    command.addJsonOption();
    const QCommandLineOption version(QStringLiteral("software-version"),
                                     msg(MsgId::CliSoftwareVersionOption), QStringLiteral("V"));
    const QCommandLineOption maintenance(QStringLiteral("maintenance"),
                                         msg(MsgId::CliMaintenanceOption));
    command.addOption(version);
    command.addOption(maintenance);
    if (!command.parse(arguments))
        return code(ExitStatus::Done);
    command.expectPositional(1, 1);
    // Nothing goes on the line; the trace asked for is there all the same, empty.
    const auto trace = openTrace(command);
    const QString file = command.positional().constFirst();
    const QString softwareVersion = command.value(version);
    const bool maintenanceMode = command.isSet(maintenance);

    // The check made when the window is given the file: a file without its four records is
    // never opened in the editor.
    if (!isValidParameterFile(file)) {
        if (command.json())
            console::json({{QStringLiteral("file"), file},
                           {QStringLiteral("valid"), false},
                           {QStringLiteral("passes"), false},
                           {QStringLiteral("status"), statusName(ExitStatus::InvalidFile)},
                           {QStringLiteral("exitStatus"), code(ExitStatus::InvalidFile)}});
        throw CliFailure(ExitStatus::InvalidFile, console::messageText(msg(MsgId::InvalidFile)) +
                                                      QStringLiteral(": ") + file);
    }

    // The editor opened on the file: its fields as it shows them, the settings it hides
    // for that software version, and the check its save runs.
    ParamState state;
    ChargerFichierParametres(file, state);
    EditorValues values = EditorValues::initial();
    AfficherParametres(state, values);
    const HiddenFields hidden = hiddenSettings(softwareVersion);
    const ParamCheck check = TestParametres(values, state.Plages, hidden);

    QList<SettingRow> rows;
    for (int i = 0; i < kCheckedFieldCount; ++i) {
        const ParamControl c = checkedField(i);
        rows << SettingRow{c,
                           values.numbers[i],
                           checkedFieldBounds(c, values, state.Plages),
                           !check.isMarked(c),
                           hidden[i],
                           !isControlEnabled(c, maintenanceMode)};
    }
    rows << SettingRow{ParamControl::Popcom,
                       values.opcom,
                       {},
                       !check.operatorMarked,
                       false,
                       !isControlEnabled(ParamControl::Popcom, maintenanceMode)};
    const ExitStatus status = check.ok() ? ExitStatus::Done : ExitStatus::RangeRefused;

    if (command.json()) {
        QJsonArray settings;
        for (const SettingRow& row : std::as_const(rows))
            settings.append(QJsonObject{{QStringLiteral("control"), controlObjectName(row.control)},
                                        {QStringLiteral("label"), controlCaption(row.control)},
                                        {QStringLiteral("value"), row.value},
                                        {QStringLiteral("lower"), boundJson(row.bounds.lower)},
                                        {QStringLiteral("upper"), boundJson(row.bounds.upper)},
                                        {QStringLiteral("passes"), row.passes},
                                        {QStringLiteral("hidden"), row.hidden},
                                        {QStringLiteral("locked"), row.locked}});
        console::json({{QStringLiteral("file"), file},
                       {QStringLiteral("valid"), true},
                       {QStringLiteral("softwareVersion"), softwareVersion},
                       {QStringLiteral("maintenance"), maintenanceMode},
                       {QStringLiteral("settings"), settings},
                       {QStringLiteral("passes"), check.ok()},
                       {QStringLiteral("status"), statusName(status)},
                       {QStringLiteral("exitStatus"), code(status)}});
        return code(status);
    }

    QList<QStringList> table{{msg(MsgId::CliSettingLabel), msg(MsgId::CliValueLabel),
                              msg(MsgId::CliRangeLabel), msg(MsgId::CliOutcomeLabel)}};
    for (const SettingRow& row : std::as_const(rows)) {
        const bool numeric = isCheckedField(row.control);
        QString outcome = msg(row.passes ? MsgId::CliSettingPasses : MsgId::CliSettingFails);
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
    if (check.ok()) {
        console::out(msg(MsgId::CliCheckAccepted));
        return code(status);
    }
    // The window's refusal: its message, then each setting at fault with why the operator
    // could not mend it there.
    console::err(console::messageText(msg(MsgId::BadParameters)));
    for (const SettingRow& row : std::as_const(rows))
        if (!row.passes)
            console::err(QStringLiteral("  ") + controlCaption(row.control) +
                         (noteOf(row).isEmpty() ? QString() : u' ' + noteOf(row)));
    return code(status);
}
