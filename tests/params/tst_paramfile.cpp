#include "ParamFixture.h"

#include "common/Errors.h"
#include "params/ParamFile.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Bounds no range line can produce, to see which side a line touched.
RangeTable sentinelTable() {
    RangeTable t;
    for (int k = 0; k < kRangeKeyCount; ++k)
        t[static_cast<RangeKey>(k)] = {-7, -7};
    return t;
}

ParamState loadLines(const QStringList& lines, ParamState state = {}) {
    loadParameterLines(lines, state);
    return state;
}

RangeTable defaultTable() {
    RangeTable t;
    for (int k = 0; k < kRangeKeyCount; ++k) {
        const RangeKeyInfo& info = rangeKeyInfo(static_cast<RangeKey>(k));
        const int f = info.scaled ? 10 : 1;
        t[static_cast<RangeKey>(k)] = {info.hasLower ? info.lowerDefault * f : 0,
                                       info.hasUpper ? info.upperDefault * f : 0};
    }
    return t;
}

} // namespace

class TestParamFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExampleLoadsRecordsAndRanges();
    void rangeLine_data();
    void rangeLine();
    void laterLinesOverwriteAndMissingItemsKeepEarlierValues();
    void recordsCountOnlyAtLineStartAndOneLineFeedsSeveralItems();
    void shortRecordLinesGiveShortFields();
    void encodingsAndLineEnds_data();
    void encodingsAndLineEnds();
    void validityCheckFindsTagsAnywhere();
    void unreadableFileRaisesAndChangesNothing();
};

void TestParamFile::workedExampleLoadsRecordsAndRanges() {
    QTemporaryDir dir;
    const QString path = writeFileIn(dir, "configVEXA.dat", fixture::workedExampleBytes());
    ParamState state;
    ChargerFichierParametres(path, state);

    QCOMPARE(state.ChampsP[ChampPFileName], QString("configVEXA.dat      "));
    QCOMPARE(state.ChampsP[ChampPOperator], QString(20, u' '));
    QCOMPARE(state.ChampsP[ChampPDate], QString("01/01/2000 00:00:00"));
    QCOMPARE(state.ChampsP[ChampPLanguage], QString("F"));
    QCOMPARE(QStringList(state.ChampsR.begin(), state.ChampsR.end()).join(u' '),
             QString("00000 00010 00001 00001 00001 00000 00050 00050 00050 00000"));
    QCOMPARE(QStringList(state.ChampsG.begin(), state.ChampsG.end()).join(u' '),
             QString("00010 00060 00000 00200 00200 00180 00000 00000 00050 00002"));

    // One-sided keys leave their other side as it was (0 here).
    QVERIFY(state.Plages == defaultTable());
    QCOMPARE(state.Plages[RangeKey::dmesu], (Bounds{100, 10000}));
    QCOMPARE(state.Plages[RangeKey::sci0t], (Bounds{0, 10000}));
    QCOMPARE(state.Plages[RangeKey::alsfM], (Bounds{0, 20000}));
    QCOMPARE(state.Plages[RangeKey::batar], (Bounds{180, 0}));
}

void TestParamFile::rangeLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("lower"); // -7: untouched
    QTest::addColumn<int>("upper");
    const int dmesu = int(RangeKey::dmesu), track = int(RangeKey::track);
    QTest::newRow("alsfM sets only its upper bound")
        << "/alsfM 00100 > 00200" << int(RangeKey::alsfM) << -7 << 200;
    QTest::newRow("alsfm sets both bounds")
        << "/alsfm 00100 > 00200" << int(RangeKey::alsfm) << 100 << 200;
    QTest::newRow("batvi sets only its lower bound")
        << "/batvi 00150 > 00300" << int(RangeKey::batvi) << 150 << -7;
    QTest::newRow("blank after slash") << "/ dmesu 00010 > 01000" << dmesu << 100 << 10000;
    QTest::newRow("key in capitals is no key") << "/DMESU 00010 > 01000" << dmesu << -7 << -7;
    QTest::newRow("no slash is no range line") << "dmesu 00020 > 00030" << dmesu << -7 << -7;
    QTest::newRow("short numbers: lower slot fails, upper read")
        << "/dmesu 10 > 1000" << dmesu << 100 << 10000;
    QTest::newRow("no '>' gives both defaults") << "/dmesu 00020 00030" << dmesu << 100 << 10000;
    QTest::newRow("text after the upper slot") << "/track 00001 > 00050 s" << track << 1 << 50;
    QTest::newRow("upper slot with blanks fails") << "/track 00001 >  50 s" << track << 1 << 99;
    QTest::newRow("key anywhere in a comment")
        << "; limits /coefs 00003 > 00008 dynamic" << int(RangeKey::coefs) << 3 << 8;
}

void TestParamFile::rangeLine() {
    QFETCH(QString, line);
    QFETCH(int, key);
    QFETCH(int, lower);
    QFETCH(int, upper);
    ParamState start;
    start.Plages = sentinelTable();
    const ParamState state = loadLines({line}, start);

    RangeTable expected = sentinelTable();
    expected[static_cast<RangeKey>(key)] = {lower, upper};
    for (int k = 0; k < kRangeKeyCount; ++k)
        QCOMPARE(state.Plages[static_cast<RangeKey>(k)], expected[static_cast<RangeKey>(k)]);
}

void TestParamFile::laterLinesOverwriteAndMissingItemsKeepEarlierValues() {
    const ParamState first = loadLines(fixture::workedExampleLines());

    // Same key twice: the later line wins.
    ParamState state = loadLines({"/moyg1 00002 > 00020", "/moyg1 00003 > 00030"}, first);
    QCOMPARE(state.Plages[RangeKey::moyg1], (Bounds{3, 30}));

    // A file with only a "#R" record changes only the "#R" fields.
    state = loadLines({"#R 00001 00020 00002 00003 00004 00001 00060 00070 00065 00005"}, first);
    QCOMPARE(state.ChampsR[1], QString("00020"));
    QCOMPARE(state.ChampsR[9], QString("00005"));
    QCOMPARE(state.ChampsP, first.ChampsP);
    QCOMPARE(state.ChampsG, first.ChampsG);
    QVERIFY(state.Plages == first.Plages);

    // Before any range line every bound is 0.
    state = loadLines(fixture::workedExampleLines().mid(0, 4));
    QVERIFY(state.Plages == RangeTable{});
}

void TestParamFile::recordsCountOnlyAtLineStartAndOneLineFeedsSeveralItems() {
    const ParamState state = loadLines({
        " #R 00001 00001 00001 00001 00001 00001 00001 00001 00001 00001",
        "comment #G 00001 00001 00001 00001 00001 00001 00001 00001 00001 00001",
        "#G 00011 00061 00001 00201 00201 00181 00001 00001 00051 00003 /coefs 00004 > 00009",
    });
    QCOMPARE(state.ChampsR, (std::array<QString, 10>{}));
    QCOMPARE(state.ChampsG[0], QString("00011"));
    QCOMPARE(state.ChampsG[9], QString("00003"));
    QCOMPARE(state.Plages[RangeKey::coefs], (Bounds{4, 9}));
}

void TestParamFile::shortRecordLinesGiveShortFields() {
    const ParamState state = loadLines({"#R 00001 0002", "#P name"});
    QCOMPARE(state.ChampsR[0], QString("00001"));
    QCOMPARE(state.ChampsR[1], QString("0002"));
    QVERIFY(state.ChampsR[2].isEmpty() && state.ChampsR[9].isEmpty());
    QCOMPARE(state.ChampsP[ChampPFileName], QString("name"));
    QVERIFY(state.ChampsP[ChampPOperator].isEmpty() && state.ChampsP[ChampPLanguage].isEmpty());
}

void TestParamFile::encodingsAndLineEnds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QStringList lines = fixture::workedExampleLines();
    // An operator text outside ASCII, with a character of the 0x80..0x9F block.
    lines[0].replace(24, 9, QString::fromUtf8("Opér. 5 €"));
    const QString text = lines.join("\r\n") + "\r\n";
    const auto encoded = [&](QStringConverter::Encoding enc) {
        QStringEncoder encoder(enc, QStringEncoder::Flag::WriteBom);
        return QByteArray(encoder(text));
    };
    QTest::newRow("Windows-1252 CR LF") << fixture::cp1252Bytes(lines);
    QTest::newRow("Windows-1252 CR") << fixture::cp1252Bytes(lines, "\r");
    QTest::newRow("Windows-1252 LF, no final end") << fixture::cp1252Bytes(lines, "\n").chopped(1);
    QTest::newRow("UTF-8 BOM") << encoded(QStringConverter::Utf8);
    QTest::newRow("UTF-16 LE BOM") << encoded(QStringConverter::Utf16LE);
    QTest::newRow("UTF-16 BE BOM") << encoded(QStringConverter::Utf16BE);
}

void TestParamFile::encodingsAndLineEnds() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = writeFileIn(dir, "enc.dat", bytes);
    ParamState state;
    ChargerFichierParametres(path, state);
    QCOMPARE(state.ChampsP[ChampPOperator], QString::fromUtf8("Opér. 5 €           "));
    QCOMPARE(state.ChampsP[ChampPLanguage], QString("F"));
    QCOMPARE(state.ChampsG[9], QString("00002"));
    QVERIFY(state.Plages == defaultTable());
    QVERIFY(isValidParameterFile(path));
}

void TestParamFile::validityCheckFindsTagsAnywhere() {
    QVERIFY(isValidParameterText(fixture::workedExampleLines()));
    QVERIFY(isValidParameterText({"x #F y #G", "comment #R #P"}));
    for (const char* missing : {"#P", "#R", "#G", "#F"}) {
        QStringList lines = fixture::workedExampleLines();
        for (QString& line : lines)
            line.replace(missing, "##");
        QVERIFY2(!isValidParameterText(lines), missing);
    }
    // A tag split over a line end is no tag.
    QVERIFY(!isValidParameterText({"#P #R #G #", "F"}));
}

void TestParamFile::unreadableFileRaisesAndChangesNothing() {
    QTemporaryDir dir;
    const ParamState before = loadLines(fixture::workedExampleLines());
    ParamState state = before;
    QVERIFY_THROWS_EXCEPTION(EFileError, ChargerFichierParametres(dir.filePath("gone.dat"), state));
    QVERIFY_THROWS_EXCEPTION(EFileError, ChargerFichierParametres(dir.path(), state));
    QCOMPARE(state.ChampsP, before.ChampsP);
    QCOMPARE(state.ChampsR, before.ChampsR);
    QVERIFY(state.Plages == before.Plages);
    QVERIFY_THROWS_EXCEPTION(EFileError, isValidParameterFile(dir.filePath("gone.dat")));
}

QTEST_GUILESS_MAIN(TestParamFile)
#include "tst_paramfile.moc"
