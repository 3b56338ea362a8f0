#include "common/Cp1252.h"
#include "common/Errors.h"
#include "common/IniFile.h"
#include "common/IntConv.h"
#include "common/Regional.h"
#include "common/TextFile.h"

#include "support/OrdinaryUser.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

class TestCommon : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void integerConversion_data();
    void integerConversion();
    void strToIntNamesTheText();
    void zeroFilling();
    void cp1252RoundTripsEveryByte();
    void cp1252FlagsUnrepresentable();
    void lineSplitting();
    void decodeByByteOrderMark();
    void iniReadsLikePrivateProfile();
    void iniWritesInPlaceAndAppends();
    void iniCreatesFileAndKeepsUnicode();
    void iniWriteFailureNamesTheFile();
    void iniNeverWritesOverWhatItCouldNotRead();
    void iniValuesStayOnTheirLine();
    void writeFailureGivesTheSystemsReason();
    void atomicWriteKeepsOldFileOnFailure();
    void fullDiskKeepsOldFile();
    void durableWriteProvesTheFile();
    void durableWriteFailures();
    void readBackDifferenceIsNamed();
    void regionalSeparators();
};

void TestCommon::integerConversion_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "123" << true << 123;
    QTest::newRow("leading zeros") << "00003" << true << 3;
    QTest::newRow("leading blanks") << "    3" << true << 3;
    QTest::newRow("trailing blank") << "3    " << false << 0;
    QTest::newRow("inner blank") << "1 2" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blanks only") << "     " << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("plus") << "+42" << true << 42;
    QTest::newRow("minus after blanks") << "  -7" << true << -7;
    QTest::newRow("blank after sign") << "- 7" << false << 0;
    QTest::newRow("dollar hex") << "$1F" << true << 31;
    QTest::newRow("0x hex") << "0x10" << true << 16;
    QTest::newRow("X hex") << "X10" << true << 16;
    QTest::newRow("negative hex") << "-$10" << true << -16;
    QTest::newRow("hex prefix alone") << "$" << false << 0;
    QTest::newRow("hex digit in decimal") << "1F" << false << 0;
    QTest::newRow("max") << "2147483647" << true << 2147483647;
    QTest::newRow("min") << "-2147483648" << true << int(-2147483648LL);
    QTest::newRow("overflow") << "2147483648" << false << 0;
    QTest::newRow("underflow") << "-2147483649" << false << 0;
    QTest::newRow("huge") << "99999999999999999999" << false << 0;
    QTest::newRow("tab is not a blank") << "\t5" << false << 0;
    QTest::newRow("CR LF") << "5\r\n" << false << 0;
    QTest::newRow("decimal point") << "1.5" << false << 0;
}

void TestCommon::integerConversion() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    const auto result = tryStrToInt(text);
    QCOMPARE(result.has_value(), ok);
    if (ok)
        QCOMPARE(*result, value);
}

void TestCommon::strToIntNamesTheText() {
    try {
        strToInt(QStringLiteral("12a"));
        QFAIL("no error raised");
    } catch (const EConvertError& e) {
        QVERIFY(e.message().contains(QStringLiteral("'12a'")));
    }
}

void TestCommon::zeroFilling() {
    QCOMPARE(CompleterZeros("800", 4), QString("0800"));
    QCOMPARE(CompleterZeros("", 5), QString("00000"));
    QCOMPARE(CompleterZeros("12345", 5), QString("12345"));
    QCOMPARE(CompleterZeros("1234567", 5), QString("1234567"));
}

void TestCommon::cp1252RoundTripsEveryByte() {
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = fromCp1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text[0x80], QChar(0x20AC));
    QCOMPARE(text[0xE9], QChar(u'é'));
    QCOMPARE(text[0x81], QChar(0x81)); // undefined byte kept as itself
    bool ok = false;
    QCOMPARE(toCp1252(text, &ok), all);
    QVERIFY(ok);
}

void TestCommon::cp1252FlagsUnrepresentable() {
    bool ok = true;
    QCOMPARE(toCp1252(QStringLiteral("a\u4E2Db"), &ok), QByteArray("a?b"));
    QVERIFY(!ok);
    QVERIFY(isCp1252Representable(QStringLiteral("Paramètres €")));
    QVERIFY(!isCp1252Representable(QStringLiteral("\u0100")));
}

void TestCommon::lineSplitting() {
    QCOMPARE(splitLines("a\r\nb\r\n"), QStringList({"a", "b"}));
    QCOMPARE(splitLines("a\rb\nc"), QStringList({"a", "b", "c"}));
    QCOMPARE(splitLines("a\n\r\nb"), QStringList({"a", "", "b"}));
    QCOMPARE(splitLines("a\r\n\r\n"), QStringList({"a", ""}));
    QCOMPARE(splitLines(""), QStringList());
}

void TestCommon::decodeByByteOrderMark() {
    TextEncoding enc;
    QCOMPARE(decodeText("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9", &enc), QString("été"));
    QCOMPARE(enc, TextEncoding::Utf8Bom);
    QCOMPARE(decodeText(QByteArray("\xFF\xFE\xE9\x00t\x00", 6), &enc), QString("ét"));
    QCOMPARE(enc, TextEncoding::Utf16LeBom);
    QCOMPARE(decodeText(QByteArray("\xFE\xFF\x00\xE9\x00t", 6), &enc), QString("ét"));
    QCOMPARE(enc, TextEncoding::Utf16BeBom);
    QCOMPARE(decodeText("\xE9t\xE9", &enc), QString("été"));
    QCOMPARE(enc, TextEncoding::Cp1252);
}

void TestCommon::iniReadsLikePrivateProfile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("s.ini");
    IniFile ini(path);
    QCOMPARE(ini.ReadString("CONFIG", "Language", "dflt"), QString("dflt")); // no file
    QCOMPARE(ini.ReadInteger("CONFIG", "Language", 2057), 2057);
    QVERIFY(writeFileBytes(
        path, "[Other]\r\nLanguage=1\r\n[config]\r\n  LANGUAGE  =  1036  \r\nEmpty=\r\n"
              "Bad=abc\r\nPath= C:\\Mesures\\ \r\nQuoted=\"1036\"\r\nSingle='a b'\r\n"
              "Half=\"x\r\n"));
    QCOMPARE(ini.ReadInteger("CONFIG", "Language", 2057), 1036);
    QCOMPARE(ini.ReadString("CONFIG", "Empty", "x"), QString(""));
    QCOMPARE(ini.ReadInteger("CONFIG", "Bad", 2057), 2057);
    QCOMPARE(ini.ReadString("CONFIG", "Path", ""), QString("C:\\Mesures\\"));
    QCOMPARE(ini.ReadString("CONFIG", "Missing", "d"), QString("d"));
    QCOMPARE(ini.ReadString("Nowhere", "Language", "d"), QString("d"));
    // Files edited on Windows may quote their values.
    QCOMPARE(ini.ReadInteger("CONFIG", "Quoted", 2057), 1036);
    QCOMPARE(ini.ReadString("CONFIG", "Single", ""), QString("a b"));
    QCOMPARE(ini.ReadString("CONFIG", "Half", ""), QString("\"x"));
}

void TestCommon::iniWritesInPlaceAndAppends() {
    QTemporaryDir dir;
    const QString path = dir.filePath("s.ini");
    QVERIFY(
        writeFileBytes(path, "; comment\n[A]\nx=1\ny=2\n\n[CONFIG]\nLanguage=1036\n\n[B]\nz=3\n"));
    IniFile ini(path);
    ini.WriteString("config", "LANGUAGE", "2057");          // replaced in place
    ini.WriteString("CONFIG", "ResultSavePath", "/tmp/r/"); // added at the end of its section
    ini.WriteString("New", "k", "v");                       // new section at the end
    QCOMPARE(fileBytes(path), QByteArray("; comment\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[CONFIG]\r\n"
                                         "LANGUAGE=2057\r\nResultSavePath=/tmp/r/\r\n\r\n"
                                         "[B]\r\nz=3\r\n[New]\r\nk=v\r\n"));
    QCOMPARE(ini.ReadInteger("CONFIG", "Language", 0), 2057);
}

void TestCommon::iniCreatesFileAndKeepsUnicode() {
    QTemporaryDir dir;
    const QString path = dir.filePath("h.par");
    IniFile ini(path);
    ini.WriteString("VEXA Paramètres spécifiques", "SN", "123");
    QCOMPARE(fileBytes(path), QByteArray("[VEXA Param\xE8tres sp\xE9"
                                         "cifiques]\r\nSN=123\r\n"));
    // A value Windows-1252 cannot hold turns the file into UTF-8 rather than losing it.
    ini.WriteString("VEXA Paramètres spécifiques", "PM", "\u4E2D");
    QVERIFY(fileBytes(path).startsWith("\xEF\xBB\xBF"));
    QCOMPARE(ini.ReadString("vexa paramètres spécifiques", "pm", ""), QString("\u4E2D"));
    QCOMPARE(ini.ReadString("VEXA Paramètres spécifiques", "SN", ""), QString("123"));
}

void TestCommon::iniWriteFailureNamesTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("VEXAReader.ini");
    QVERIFY(QDir().mkdir(path)); // a folder where the file should be
    IniFile ini(path);
    try {
        ini.WriteString("CONFIG", "ResultSavePath", "x");
        QFAIL("no error raised");
    } catch (const EFileError& e) {
        QCOMPARE(e.message(), QString("Impossible d'écrire dans ") + path);
    }
}

void TestCommon::iniNeverWritesOverWhatItCouldNotRead() {
    QTemporaryDir dir;
    const QString path = dir.filePath("VEXAReader.ini");
    const QByteArray content = "[Other]\r\nkept=1\r\n[CONFIG]\r\nLanguage=1036\r\n";
    QVERIFY(writeFileBytes(path, content));
    // The folder is the user's, the file is not readable to them.
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    QString message;
    {
        OrdinaryUser user;
        QVERIFY(user.active());
        IniFile ini(path);
        QCOMPARE(ini.ReadInteger("CONFIG", "Language", 2057), 2057);
        try {
            ini.WriteString("CONFIG", "ResultSavePath", "/x/");
        } catch (const EFileError& e) {
            message = e.message();
        }
    }
    QCOMPARE(message, QString("Impossible d'ouvrir le fichier ") + path);
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(fileBytes(path), content);
}

void TestCommon::iniValuesStayOnTheirLine() {
    QTemporaryDir dir;
    const QString path = dir.filePath("VEXAReader.ini");
    IniFile ini(path);
    // A folder name may hold a line end; written raw it would add a key of its own.
    ini.WriteString("CONFIG", "ResultSavePath", "/data/a\nLanguage=1036\r\n/");
    ini.WriteString("CONFIG", "ConfigSavePath", "/data/b/");
    QCOMPARE(fileBytes(path),
             QByteArray("[CONFIG]\r\nResultSavePath=\r\nConfigSavePath=/data/b/\r\n"));
    QCOMPARE(ini.ReadInteger("CONFIG", "Language", 2057), 2057);
}

void TestCommon::writeFailureGivesTheSystemsReason() {
    QTemporaryDir dir;
    const QString path = dir.filePath("VEXA1503071405.txt");
    QString message;
    {
        OrdinaryUser user; // the temporary folder is root's alone
        QVERIFY(user.active());
        try {
            writeCp1252Lines(path, {"#R"});
        } catch (const EFileError& e) {
            message = e.message();
        }
    }
    QCOMPARE(message, "Impossible de créer le fichier " + path + " : Permission denied");
    QVERIFY(!QFile::exists(path));
}

void TestCommon::atomicWriteKeepsOldFileOnFailure() {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.txt");
    writeCp1252Lines(path, {"été", "b"});
    QCOMPARE(fileBytes(path), QByteArray("\xE9t\xE9\r\nb\r\n"));
    QCOMPARE(readTextLines(path), QStringList({"été", "b"}));
    // Writing into a folder that does not exist fails without touching anything.
    QVERIFY_THROWS_EXCEPTION(EFileError, writeCp1252Lines(dir.filePath("no/such.txt"), {"x"}));
    QVERIFY_THROWS_EXCEPTION(EFileError, readTextLines(dir.filePath("missing.txt")));
    QCOMPARE(fileBytes(path), QByteArray("\xE9t\xE9\r\nb\r\n"));
}

void TestCommon::fullDiskKeepsOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.ini");
    QVERIFY(writeFileBytes(path, "[CONFIG]\r\nLanguage=1036\r\n"));
    bool raised = false;
    {
        // A disk that fills up after 200 bytes; the write must fail, not truncate.
        FileSizeLimit full(200);
        QVERIFY(full.active());
        try {
            writeFileAtomically(path, QByteArray(1000, 'x'));
        } catch (const EFileError&) {
            raised = true;
        }
    }
    QVERIFY(raised);
    QCOMPARE(fileBytes(path), QByteArray("[CONFIG]\r\nLanguage=1036\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"settings.ini"}));
}

void TestCommon::durableWriteProvesTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("VEXA2503041705-A7F1.txt");
    QVERIFY(writeFileBytes(path, "earlier"));
    const StoredFile stored = writeCp1252LinesDurably(path, {"Résultat", "#R 12"});
    QCOMPARE(fileBytes(path), QByteArray("R\xE9sultat\r\n#R 12\r\n"));
    QCOMPARE(stored.size, 17);
    QCOMPARE(stored.sha256, "96683ca447026e25715db678202ac379dea61349d272251eb3b5ee16780fc9a1");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"VEXA2503041705-A7F1.txt"}));
}

void TestCommon::durableWriteFailures() {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.txt");
    QVERIFY(writeFileBytes(path, "earlier"));
    {
        FileSizeLimit full(4);
        QVERIFY(full.active());
        QVERIFY_THROWS_EXCEPTION(EFileError, writeCp1252LinesDurably(path, {"#R 12"}));
    }
    QCOMPARE(fileBytes(path), QByteArray("earlier"));

    // A folder its user may write but not read cannot be synced: the file is there, but
    // nothing proves its name survives a power cut.
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::WriteOther | QFileDevice::ExeOther |
                                                  QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    QString message;
    {
        OrdinaryUser user;
        QVERIFY(user.active());
        try {
            writeCp1252LinesDurably(dir.filePath("s.txt"), {"#R 12"});
        } catch (const EFileError& e) {
            message = e.message();
        }
    }
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner));
    QCOMPARE(message, "Le fichier " + dir.path() +
                          " n'a pu être mis en sûreté sur le disque : Permission denied");
}

void TestCommon::readBackDifferenceIsNamed() {
    QTemporaryDir dir;
    const QString path = writeFileIn(dir, "r.txt", "#R 12\r\n#R 13\r\n");
    QCOMPARE(verifyFileBytes(path, "#R 12\r\n#R 13\r\n").size, 14);
    try {
        verifyFileBytes(path, "#R 12\r\n#R 14\r\n#G 1\r\n");
        QFAIL("a different file passed");
    } catch (const EFileError& e) {
        QVERIFY2(e.message().contains("(20 octets attendus, 14 relus, premier écart à l'octet 12)"),
                 qPrintable(e.message()));
    }
    QVERIFY_THROWS_EXCEPTION(EFileError, verifyFileBytes(dir.filePath("gone.txt"), "x"));
}

void TestCommon::regionalSeparators() {
    const auto french = separatorsOf(QLocale(QLocale::French, QLocale::France));
    QCOMPARE(french.date, QChar(u'/'));
    QCOMPARE(french.time, QChar(u':'));
    const auto german = separatorsOf(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(german.date, QChar(u'.'));
    QCOMPARE(german.time, QChar(u':'));
    // The C locale writes "d MMM yyyy": no separator, the French ones stand in.
    const auto c = separatorsOf(QLocale::c());
    QCOMPARE(c.date, QChar(u'/'));
    QCOMPARE(c.time, QChar(u':'));
}

QTEST_GUILESS_MAIN(TestCommon)
#include "tst_common.moc"
