#include "ParamFixture.h"

#include "common/Errors.h"
#include "params/ParamCheck.h"
#include "params/ParamEditor.h"
#include "params/ParamSave.h"

#include "support/TestFiles.h"

#include <QDir>

using PC = ParamControl;

namespace {

const QDateTime kExampleTime(QDate(2000, 1, 1), QTime(0, 0, 0));

ParamState workedExampleState() {
    ParamState state;
    loadParameterLines(fixture::workedExampleLines(), state);
    return state;
}

} // namespace

class TestParamEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExampleShowsItsValues();
    void scaledFieldsShown();
    void listsKeepTheirChoiceForUnknownCodes();
    void scaledFieldsStored_data();
    void scaledFieldsStored();
    void plainFieldsAndOperatorTextStored();
    void roundTripOfTheWorkedExample();
    void saveRebuildsRecordsAndKeepsEveryOtherLine();
    void failedSaveLeavesFilesIntact();
    void nameFieldTakesAnyFileName();
};

void TestParamEditor::workedExampleShowsItsValues() {
    EditorValues values = EditorValues::initial();
    AfficherParametres(workedExampleState(), values);

    EditorValues expected;
    expected.opcom = QString(); // 20 blanks in the record: nothing to see, room to type
    expected.date = "01/01/2000 00:00:00";
    expected.langue = 0;
    expected.modef = 0;
    expected.alarm = 0;
    // ms, s, points, cps, ms | ms, s, ms, 1/100 V, lighting, Hz, coefficient
    const QList<QPair<PC, QString>> numbers = {
        {PC::Rdmesu, "100"},   {PC::Rtrack, "00001"},   {PC::Rmoyg1, "00001"},
        {PC::Rmoyg2, "00001"}, {PC::Ralsfmin, "00050"}, {PC::Ralsfmax, "00050"},
        {PC::Ralsfc, "00050"}, {PC::Ralard, "0"},       {PC::Gintaf, "100"},
        {PC::Garret, "00060"}, {PC::Gsci0t, "0"},       {PC::Gbatpl, "00200"},
        {PC::Gbatvi, "00200"}, {PC::Gbatar, "00180"},   {PC::Geclsh, "00000"},
        {PC::Geclsb, "00000"}, {PC::Gfbeep, "00050"},   {PC::Gcoefs, "00002"},
    };
    for (const auto& [c, text] : numbers)
        expected.number(c) = text;
    QCOMPARE(values, expected);
    QVERIFY(TestParametres(values, workedExampleState().Plages).ok());
}

void TestParamEditor::scaledFieldsShown() {
    ParamState state = workedExampleState();
    state.ChampsR[1] = "10000"; // dmesu: tenfold value cut to the edit's 5 characters
    state.ChampsR[9] = "";      // alard: unreadable, its lower bound instead
    state.ChampsG[0] = "00 10"; // intaf: unreadable
    state.ChampsG[2] = "-0001"; // sci0t
    state.Plages[RangeKey::alard].lower = 30;
    EditorValues values;
    AfficherParametres(state, values);
    QCOMPARE(values.number(PC::Rdmesu), QString("10000"));
    QCOMPARE(values.number(PC::Ralard), QString("30"));
    QCOMPARE(values.number(PC::Gintaf), QString("100"));
    QCOMPARE(values.number(PC::Gsci0t), QString("-10"));
}

void TestParamEditor::listsKeepTheirChoiceForUnknownCodes() {
    ParamState state = workedExampleState();
    state.ChampsP[ChampPLanguage] = "X";
    state.ChampsR[0] = "00003";
    state.ChampsR[5] = "00001";
    EditorValues values;
    values.langue = 1;
    values.modef = 2;
    values.alarm = 0;
    AfficherParametres(state, values);
    QCOMPARE(values.langue, 1);
    QCOMPARE(values.modef, 2);
    QCOMPARE(values.alarm, 1);

    // Storing writes the codes of the choices shown ...
    StockerParametres(values, state);
    QCOMPARE(state.ChampsP[ChampPLanguage], QString("A"));
    QCOMPARE(state.ChampsR[0], QString("00002"));
    QCOMPARE(state.ChampsR[5], QString("00001"));

    // ... and a list without a choice leaves its field alone.
    state.ChampsP[ChampPLanguage] = "C";
    values.langue = -1;
    values.alarm = -1;
    StockerParametres(values, state);
    QCOMPARE(state.ChampsP[ChampPLanguage], QString("C"));
    QCOMPARE(state.ChampsR[5], QString("00001"));
}

void TestParamEditor::scaledFieldsStored_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("lowerBound");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shownAfter");
    QTest::newRow("105 half to even down") << "105" << 100 << "00010"
                                           << "100";
    QTest::newRow("115 half to even up") << "115" << 100 << "00012"
                                         << "120";
    QTest::newRow("25 -> 2") << "25" << 0 << "00002"
                             << "20";
    QTest::newRow("35 -> 4") << "35" << 0 << "00004"
                             << "40";
    QTest::newRow("104 down") << "104" << 100 << "00010"
                              << "100";
    QTest::newRow("106 up") << "106" << 100 << "00011"
                            << "110";
    QTest::newRow("99999") << "99999" << 100 << "10000"
                           << "100000";
    QTest::newRow("empty: lower bound") << "" << 100 << "00010"
                                        << "";
    QTest::newRow("empty: lower bound rounded") << "" << 115 << "00012"
                                                << "";
    QTest::newRow("not a number: lower bound") << "1o0" << 250 << "00025"
                                               << "1o0";
}

void TestParamEditor::scaledFieldsStored() {
    QFETCH(QString, typed);
    QFETCH(int, lowerBound);
    QFETCH(QString, field);
    QFETCH(QString, shownAfter);
    ParamState state = workedExampleState();
    state.Plages[RangeKey::dmesu].lower = lowerBound;
    state.Plages[RangeKey::sci0t].lower = lowerBound;
    EditorValues values = EditorValues::initial();
    AfficherParametres(state, values);
    values.number(PC::Rdmesu) = typed;
    values.number(PC::Gsci0t) = typed;
    StockerParametres(values, state);
    QCOMPARE(state.ChampsR[1], field);
    QCOMPARE(state.ChampsG[2], field);
    QCOMPARE(values.number(PC::Rdmesu), shownAfter);
}

void TestParamEditor::plainFieldsAndOperatorTextStored() {
    ParamState state = workedExampleState();
    EditorValues values;
    AfficherParametres(state, values);
    values.number(PC::Rtrack) = "7";
    values.number(PC::Gfbeep) = "";
    values.number(PC::Garret) = "123456";
    values.opcom = "Jules";
    StockerParametres(values, state);
    QCOMPARE(state.ChampsR[2], QString("00007"));
    QCOMPARE(state.ChampsG[8], QString("00000"));
    QCOMPARE(state.ChampsG[1], QString("123456"));
    QCOMPARE(state.ChampsP[ChampPOperator], QString("Jules               "));
    QCOMPARE(values.opcom, QString("Jules"));
    QCOMPARE(values.number(PC::Rtrack), QString("7")); // the edit keeps what was typed

    values.opcom = "Mesures du 12 mars, site B";
    StockerParametres(values, state);
    QCOMPARE(state.ChampsP[ChampPOperator], QString("Mesures du 12 mars, "));
    QCOMPARE(values.opcom, QString("Mesures du 12 mars,"));
    // Leading blanks are the operator's own.
    values.opcom = "  B ";
    StockerParametres(values, state);
    QCOMPARE(state.ChampsP[ChampPOperator], QString("  B").leftJustified(20));
    QCOMPARE(values.opcom, QString("  B"));
}

void TestParamEditor::roundTripOfTheWorkedExample() {
    QTemporaryDir dir;
    const QString path = writeFileIn(dir, "configVEXA.dat", fixture::workedExampleBytes());
    ParamState state;
    ChargerFichierParametres(path, state);
    EditorValues values = EditorValues::initial();
    AfficherParametres(state, values);
    StockerParametres(values, state);

    // Saved over itself: the file is read completely before it is replaced.
    SauverFichierParametres(path, path, state, kExampleTime);
    QCOMPARE(fileBytes(path), fixture::workedExampleBytes());

    QVERIFY(QDir(dir.path()).mkdir("sub"));
    const QString copy = dir.filePath("sub/copy.dat");
    SauverFichierParametres(path, copy, state, QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9)));
    QStringList expected = fixture::workedExampleLines();
    expected[0] = "#P copy.dat             " + QString(20, u' ') + " 05/03/2024 07:08:09 F";
    QCOMPARE(fileBytes(copy), fixture::cp1252Bytes(expected));
}

void TestParamEditor::saveRebuildsRecordsAndKeepsEveryOtherLine() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("out"));
    const QStringList source = {
        QString::fromUtf8("; réglages site B — ancien"),
        "#R",
        "#Pold identification",
        "/dmesu 00010 > 01000",
        "",
        "#G 00010",
        "#R 00001 00020 00002 00003 00004 00001 00060 00070 00065 00005 trailing",
        "#F 12 34",
        "  #R not a record",
    };
    // A UTF-8 source comes out as Windows-1252 without a mark.
    const QString current =
        writeFileIn(dir, "source.dat", "\xEF\xBB\xBF" + source.join("\n").toUtf8());
    ParamState state;
    ChargerFichierParametres(current, state);
    EditorValues values;
    AfficherParametres(state, values);
    values.opcom = QString::fromUtf8("Opé");
    values.number(PC::Gfbeep) = "440";
    StockerParametres(values, state);

    const QString target = dir.filePath("out/a_very_long_parameter_file_name.dat");
    SauverFichierParametres(current, target, state, kExampleTime);

    // Both "#R" lines get the same record; the short "#G" comes back complete.
    const QString r = "#R 00001 00020 00002 00003 00004 00001 00060 00070 00065 00005";
    QStringList expected = source;
    expected[1] = r;
    expected[2] = QString::fromUtf8("#P a_very_long_paramete Opé                  01/01/2000 "
                                    "00:00:00 F");
    expected[5] = "#G 00010 00000 00000 00000 00000 00000 00000 00000 00440 00000";
    expected[6] = r;
    QCOMPARE(QString::fromLatin1(fileBytes(target)),
             QString::fromLatin1(fixture::cp1252Bytes(expected)));
}

void TestParamEditor::failedSaveLeavesFilesIntact() {
    QTemporaryDir dir;
    const QByteArray original = fixture::workedExampleBytes();
    const QString current = writeFileIn(dir, "configVEXA.dat", original);
    const QString old = writeFileIn(dir, "old.dat", "old content\r\n");
    QVERIFY(QDir(dir.path()).mkdir("folder.dat"));
    ParamState state = workedExampleState();

    // The target is a folder.
    QVERIFY_THROWS_EXCEPTION(
        EFileError, SauverFichierParametres(current, dir.filePath("folder.dat"), state, {}));
    QVERIFY(QFileInfo(dir.filePath("folder.dat")).isDir());

    // The current file has gone since it was chosen.
    QVERIFY_THROWS_EXCEPTION(EFileError,
                             SauverFichierParametres(dir.filePath("gone.dat"), old, state, {}));

    // The disk fills up while the target, an existing file, is rewritten.
    {
        FileSizeLimit full(100);
        QVERIFY(full.active());
        QVERIFY_THROWS_EXCEPTION(EFileError, SauverFichierParametres(current, old, state, {}));
    }

    // A character Windows-1252 cannot carry is refused, not replaced, and the refusal says
    // which one.
    state.ChampsP[ChampPOperator] = QString::fromUtf8("Zoë ✓").leftJustified(20);
    try {
        SauverFichierParametres(current, old, state, {});
        QFAIL("no error raised");
    } catch (const EFileError& e) {
        QVERIFY(e.message().contains(QString::fromUtf8("« ✓ »")));
        QVERIFY(e.message().contains(old));
    }
    QVERIFY_THROWS_EXCEPTION(EFileError, SauverFichierParametres(current, current, state, {}));

    QCOMPARE(fileBytes(old), QByteArray("old content\r\n"));
    QCOMPARE(fileBytes(current), original);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"configVEXA.dat", "old.dat"}));
}

void TestParamEditor::nameFieldTakesAnyFileName() {
    QTemporaryDir dir;
    const QString current = writeFileIn(dir, "configVEXA.dat", fixture::workedExampleBytes());
    const QString target = dir.filePath(QString::fromUtf8("Łódź.dat"));
    SauverFichierParametres(current, target, workedExampleState(), {});
    QVERIFY(fileBytes(target).startsWith(QByteArray("#P _\xF3"
                                                    "d_.dat ")));
}

QTEST_GUILESS_MAIN(TestParamEditor)
#include "tst_parameditor.moc"
