#include "support/MainWindowFixture.h"

#include "ui/MegaMenu.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// Start-up and shutdown around the settings file in the working directory.
class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void noSettingsFile();
    void rootFolderGetsOneSeparator();
    void languageThatIsNotANumber();
    void foldersReadAtStart();
    void closeWritesTheFiveFoldersInOrder();
    void closeKeepsOtherSections();
    void failedWriteIsReportedAndProgramEnds();
};

void TestSettings::noSettingsFile() {
    MainWindowFixture f;
    DialogAnswerer answerer;
    f.create();
    const QString appDir = f.dir.path() + u'/';
    QCOMPARE(f.main->AppDir(), appDir);
    QCOMPARE(f.main->CurrentLanguage(), 2057);
    QVERIFY(!f.main->MaintenanceMode());
    for (int i = 0; i < kDialogCount; ++i)
        QCOMPARE(f.dialogs->initialDir(static_cast<DialogKind>(i)), appDir);
    QVERIFY(!QFile::exists(settingsPath(f.main))); // never created at start
    QCOMPARE(settingsPath(f.main), appDir + "VEXAReader.ini");
    QCOMPARE(f.main->size(), QSize(640, 450));
    QVERIFY(!megaMenu(f.main)->isEnabled());
}

void TestSettings::rootFolderGetsOneSeparator() {
    MainWindowFixture f;
    DialogAnswerer answerer;
    f.create([](MainWindowEnvironment& env) { env.appDir = QStringLiteral("/"); });
    QCOMPARE(f.main->AppDir(), QString("/"));
    QCOMPARE(settingsPath(f.main), QString("/VEXAReader.ini"));
    QCOMPARE(f.dialogs->initialDir(DialogKind::SaveResult), QString("/"));
    f.main->hide(); // never closed: nothing is written at the root
}

void TestSettings::languageThatIsNotANumber() {
    MainWindowFixture f;
    QVERIFY(writeFileBytes(f.dir.filePath("VEXAReader.ini"), "[CONFIG]\r\nLanguage=abc\r\n"));
    DialogAnswerer answerer;
    f.create();
    QCOMPARE(f.main->CurrentLanguage(), 2057);
}

void TestSettings::foldersReadAtStart() {
    MainWindowFixture f;
    QVERIFY(writeFileBytes(
        f.dir.filePath("VEXAReader.ini"),
        "[config]\r\nlanguage=1036\r\nResultSavePath=/data/results/\r\nConfigSavePath=\r\n"
        "HeaderLoadPath=/gone/folder/\r\n"));
    DialogAnswerer answerer;
    f.create();
    const QString appDir = f.dir.path() + u'/';
    QCOMPARE(f.main->CurrentLanguage(), 1036);
    QCOMPARE(f.dialogs->initialDir(DialogKind::SaveResult), QString("/data/results/"));
    QCOMPARE(f.dialogs->initialDir(DialogKind::SaveConfig), appDir);   // empty value
    QCOMPARE(f.dialogs->initialDir(DialogKind::SaveSpecific), appDir); // absent key
    QCOMPARE(f.dialogs->initialDir(DialogKind::OpenSpecific), QString("/gone/folder/"));
}

void TestSettings::closeWritesTheFiveFoldersInOrder() {
    MainWindowFixture f;
    DialogAnswerer answerer;
    f.create();
    f.dialogs->setFileName(DialogKind::SaveResult, "/data/r/VEXA1503071405.txt");
    f.dialogs->setFileName(DialogKind::OpenConfig, "/cfg/in/configVEXA.dat");
    f.dialogs->setFileName(DialogKind::SaveSpecific, "C:header.par"); // a Windows drive colon
    f.dialogs->setFileName(DialogKind::OpenSpecific, "/data/run:2/x:y.par");
    QVERIFY(f.main->close());
    // Unused dialogs have no folder part: their keys are written empty.
    QCOMPARE(fileBytes(settingsPath(f.main)),
             QByteArray("[CONFIG]\r\nResultSavePath=/data/r/\r\nConfigSavePath=\r\n"
                        "HeaderSavePath=C:\r\nConfigLoadPath=/cfg/in/\r\n"
                        "HeaderLoadPath=/data/run:2/\r\n"));
}

void TestSettings::closeKeepsOtherSections() {
    MainWindowFixture f;
    QVERIFY(
        writeFileBytes(f.dir.filePath("VEXAReader.ini"),
                       "[Window]\r\nx=1\r\n[CONFIG]\r\nLanguage=1036\r\nHeaderSavePath=/old/\r\n"));
    DialogAnswerer answerer;
    f.create();
    QCOMPARE(f.dialogs->initialDir(DialogKind::SaveSpecific), QString("/old/"));
    QVERIFY(f.main->close());
    QCOMPARE(fileBytes(settingsPath(f.main)),
             QByteArray("[Window]\r\nx=1\r\n[CONFIG]\r\nLanguage=1036\r\nHeaderSavePath=\r\n"
                        "ResultSavePath=\r\nConfigSavePath=\r\nConfigLoadPath=\r\n"
                        "HeaderLoadPath=\r\n"));
}

void TestSettings::failedWriteIsReportedAndProgramEnds() {
    MainWindowFixture f;
    DialogAnswerer answerer;
    f.create();
    QVERIFY(QTest::qWaitFor([&] { return !answerer.messages.isEmpty(); }, 15000));
    // A folder where the settings file should be: the write cannot succeed, even as root.
    QVERIFY(QDir().mkdir(settingsPath(f.main)));
    QVERIFY(f.main->close());
    QVERIFY(!f.main->isVisible());
    QCOMPARE(answerer.errors,
             QStringList({"Impossible d'écrire dans " + settingsPath(f.main) + "."}));
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
