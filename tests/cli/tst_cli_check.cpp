// vexa-cli check judges a parameter file as the window's editor does: the same files,
// opened in the real editor (offscreen) and given to the tool, are refused or let through
// alike.

#include "CliRunner.h"
#include "cli/ExitStatus.h"
#include "common/Messages.h"
#include "gui/GuiTestSupport.h"
#include "link/CommandExchange.h"
#include "link/TComPort.h"
#include "params/ParamFixture.h"
#include "support/RecordingFeedback.h"
#include "ui/OperationGate.h"
#include "ui/PanelContext.h"
#include "ui/ParameterEditorPanel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The worked example with one field of a record replaced (field 1 to 10).
QByteArray withField(int line, int field, const QString& value) {
    QStringList lines = fixture::workedExampleLines();
    lines[line].replace(6 * field - 3, 5, value.leftJustified(5));
    return fixture::cp1252Bytes(lines);
}

// Whether the window's editor, opened on `path` for that version, would save the file.
bool editorSaves(const QString& path, const QString& version, bool maintenance) {
    TComPort port;
    CommandExchange exchange(port);
    RecordingFeedback feedback;
    ScriptedFileDialogs dialogs;
    OperationGate gate(exchange);
    PanelContext context{exchange, feedback, dialogs, gate};
    ParameterEditorPanel editor(context, [path] { return path; });
    editor.setSoftwareVersion(version);
    editor.setMaintenanceMode(maintenance);
    editor.Open();
    dialogs.answers.push_back(std::nullopt); // the save dialog, cancelled
    editor.findChild<QPushButton*>(QStringLiteral("ButtonEnregistrer"))->click();
    // A refusal is said; a save that may go ahead asks for the file name instead.
    return feedback.informations().isEmpty() && dialogs.asked.size() == 1;
}

} // namespace

class TestCliCheck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void agreesWithTheEditor_data();
    void agreesWithTheEditor();
    void namesTheSettingsAtFault();
    void invalidFileIsNoParameterFile();
};

void TestCliCheck::agreesWithTheEditor_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("saved");

    const QByteArray example = fixture::workedExampleBytes();
    QTest::newRow("worked example") << example << QString() << true;
    QTest::newRow("worked example, version 2") << example << QStringLiteral("V2.10") << true;
    QTest::newRow("buzzer above its range")
        << withField(2, 9, QStringLiteral("03000")) << QString() << false;
    QTest::newRow("counting time below its range, locked")
        << withField(1, 2, QStringLiteral("00005")) << QString() << false;
    QTest::newRow("hidden end-of-alarm delay out of range")
        << withField(1, 10, QStringLiteral("00200")) << QStringLiteral("V2.10") << false;
    QTest::newRow("hidden coefficient left empty")
        << withField(2, 10, QString()) << QStringLiteral("V2.10") << true;
    QTest::newRow("shown coefficient left empty")
        << withField(2, 10, QString()) << QString() << false;
    QTest::newRow("communication time-out, never shown, empty")
        << withField(2, 3, QString()) << QString() << true;
    QTest::newRow("current threshold above the maximum")
        << withField(1, 9, QStringLiteral("00060")) << QString() << false;
}

void TestCliCheck::agreesWithTheEditor() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, version);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const QString path = writeFileIn(dir, QStringLiteral("configVEXA.dat"), bytes);

    QCOMPARE(editorSaves(path, version, false), saved);
    QStringList arguments{QStringLiteral("check"), path};
    if (!version.isEmpty())
        arguments << QStringLiteral("--software-version") << version;
    const CliRun run = runCli(arguments);
    QCOMPARE(run.exitCode, code(saved ? ExitStatus::Done : ExitStatus::RangeRefused));
}

void TestCliCheck::namesTheSettingsAtFault() {
    QTemporaryDir dir;
    const QString path = writeFileIn(dir, QStringLiteral("configVEXA.dat"),
                                     withField(1, 10, QStringLiteral("00200")));
    CliRun run = runCli({QStringLiteral("check"), path, QStringLiteral("--software-version"),
                         QStringLiteral("V2.10"), QStringLiteral("--json")});
    QCOMPARE(run.exitCode, code(ExitStatus::RangeRefused));
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QJsonObject alard;
    for (const QJsonValue& setting : json.value(QStringLiteral("settings")).toArray())
        if (setting.toObject().value(QStringLiteral("control")) ==
            QStringLiteral("EditParamRalard"))
            alard = setting.toObject();
    QCOMPARE(alard.value(QStringLiteral("value")).toString(), QStringLiteral("2000"));
    QCOMPARE(alard.value(QStringLiteral("upper")).toInt(), 1000);
    QCOMPARE(alard.value(QStringLiteral("passes")).toBool(), false);
    QCOMPARE(alard.value(QStringLiteral("hidden")).toBool(), true);

    // The refusal as the window words it: the message, the setting, why it cannot be mended.
    run = runCli({QStringLiteral("check"), path, QStringLiteral("--software-version"),
                  QStringLiteral("V2.10")});
    QVERIFY2(run.err.contains(QStringLiteral("Invalid parameters")), qPrintable(run.err));
    QVERIFY(run.err.contains(QStringLiteral("End-of-alarm delay (ms)  (*) (hidden)")));

    const QString locked =
        writeFileIn(dir, QStringLiteral("locked.dat"), withField(1, 2, QStringLiteral("00005")));
    run = runCli({QStringLiteral("check"), locked});
    QVERIFY2(run.err.contains(QStringLiteral("(maintenance mode)")), qPrintable(run.err));
    run = runCli({QStringLiteral("check"), locked, QStringLiteral("--maintenance")});
    QCOMPARE(run.exitCode, code(ExitStatus::RangeRefused));
    QVERIFY(!run.err.contains(QStringLiteral("(maintenance mode)")));
}

void TestCliCheck::invalidFileIsNoParameterFile() {
    QTemporaryDir dir;
    QStringList lines = fixture::workedExampleLines();
    lines.removeAt(2); // no "#G"
    const QString path = writeFileIn(dir, QStringLiteral("noG.dat"), fixture::cp1252Bytes(lines));
    CliRun run = runCli({QStringLiteral("check"), path});
    QCOMPARE(run.exitCode, code(ExitStatus::InvalidFile));
    run = runCli({QStringLiteral("check"), dir.filePath(QStringLiteral("absent.dat"))});
    QCOMPARE(run.exitCode, code(ExitStatus::FileError));
}

QTEST_MAIN(TestCliCheck)
#include "tst_cli_check.moc"
