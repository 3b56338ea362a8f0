#include "support/MainWindowFixture.h"

#include "app/Language.h"
#include "common/Messages.h"
#include "common/TranslationModule.h"
#include "link/CommandExchange.h"
#include "sim/InstrumentSimulator.h"
#include "ui/MegaMenu.h"

#include "support/TestFiles.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QtTest>

namespace {

// The English module the build places next to the program file.
QString builtModule() {
    return QCoreApplication::applicationDirPath() + "/VEXAReader.ENG";
}

// A standard button as Qt's own dialogs (file dialogs, message boxes) label it.
QString qtCancelButtonText() {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void moduleNameRule_data();
    void moduleNameRule();
    void localeAbbreviations();
    void threeLetterModuleFirstThenTwoLetter();
    void noModuleLeavesFrench();
    void startsInEnglishWithTheModule();
    void startsInFrenchWithoutIt();
    void currentLanguageFlagDoesNothing();
    void otherFlagStoresLanguageAndRestarts();
    void failedLanguageWriteRestartsNothing();
    void flagIgnoredWhileSearching();
    void panelsMadeOnFirstVisitSpeakTheLanguage();
    void newCopyIsTheProgramFileInTheSameFolder();

private:
    struct Started {
        MainWindowFixture fixture;
        std::unique_ptr<Language> language;
        int restarts = 0;
        int ends = 0;
    };
    void start(Started& s, const QString& programFile);
};

void TestLanguage::moduleNameRule_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("module");
    QTest::newRow("no extension") << "/opt/vexa/VEXAReader"
                                  << "/opt/vexa/VEXAReader.ENG";
    QTest::newRow("dot in a folder") << "/home/u/.local/bin/VEXAReader"
                                     << "/home/u/.local/bin/VEXAReader.ENG";
    QTest::newRow("windows program") << "C:\\Prog.1\\VEXAReader.exe"
                                     << "C:\\Prog.1\\VEXAReader.ENG";
    QTest::newRow("two dots") << "/a/VEXA.Reader.bin"
                              << "/a/VEXA.Reader.ENG";
    QTest::newRow("hidden file") << "/a/.vexa"
                                 << "/a/.vexa.ENG";
}

void TestLanguage::moduleNameRule() {
    QFETCH(QString, program);
    QFETCH(QString, module);
    QCOMPARE(translationModulePath(program, "ENG"), module);
}

void TestLanguage::localeAbbreviations() {
    QCOMPARE(localeAbbreviation(2057), QString("ENG"));
    QCOMPARE(localeAbbreviation(1036), QString("FRA"));
    QCOMPARE(localeAbbreviation(1033), QString("ENU"));
    QCOMPARE(localeAbbreviation(1031), QString("DEU"));
    QVERIFY(localeAbbreviation(12345).isEmpty());
}

void TestLanguage::threeLetterModuleFirstThenTwoLetter() {
    QTemporaryDir dir;
    const QString program = dir.filePath("VEXAReader");
    QVERIFY(QFile::copy(builtModule(), program + ".EN"));
    {
        Language language(program);
        QVERIFY(language.ApplyStoredLanguage(2057)); // ENG missing, EN taken
        QCOMPARE(loadTranslationModule(program, 2057).path, program + ".EN");
        QVERIFY(language.ApplyStoredLanguage(1033)); // ENU missing too, EN again
    }
    QVERIFY(QFile::copy(builtModule(), program + ".ENG"));
    Language language(program);
    QVERIFY(language.ApplyStoredLanguage(2057));
    QCOMPARE(loadTranslationModule(program, 2057).path, program + ".ENG");
}

void TestLanguage::noModuleLeavesFrench() {
    QTemporaryDir dir;
    const QString program = dir.filePath("VEXAReader");
    QVERIFY(writeFileBytes(program + ".FRA", "not a translation module"));
    Language language(program);
    QVERIFY(!language.ApplyStoredLanguage(2057)); // nothing there
    QVERIFY(!language.ApplyStoredLanguage(1036)); // unreadable module
    QVERIFY(!language.ApplyStoredLanguage(4242)); // unknown locale
    // The program's own texts, which are French.
    QCOMPARE(msg(MsgId::NoAnswer), msgSource(MsgId::NoAnswer));
}

void TestLanguage::start(Started& s, const QString& programFile) {
    s.language = std::make_unique<Language>(programFile);
    s.fixture.create([&](MainWindowEnvironment& env) {
        env.applyStoredLanguage = [&s](int locale) {
            return s.language->ApplyStoredLanguage(locale);
        };
        env.startNewCopy = [&s] { ++s.restarts; };
        env.endProgram = [&s] { ++s.ends; };
    });
}

void TestLanguage::startsInEnglishWithTheModule() {
    Started s;
    DialogAnswerer answerer;
    start(s, QCoreApplication::applicationDirPath() + "/VEXAReader"); // no settings: 2057
    QCOMPARE(s.fixture.main->CurrentLanguage(), 2057);
    QCOMPARE(menuEntry(s.fixture.main, 0)->text(), QString("Home"));
    QCOMPARE(buttonConnexion(s.fixture.main)->text(), QString("Connect"));
    // The password dialog is created after the language was applied.
    QCOMPARE(buttonAnnuler(s.fixture.password)->text(), QString("Cancel"));
    QCOMPARE(qtCancelButtonText(), QString("Cancel"));
    QVERIFY(answerer.waitForMessages(1));
    QCOMPARE(answerer.messages.first(), QString("No instrument was detected"));
}

void TestLanguage::startsInFrenchWithoutIt() {
    {
        Started s;
        QVERIFY(writeFileBytes(s.fixture.dir.filePath("VEXAReader.ini"),
                               "[CONFIG]\r\nLanguage=1036\r\n"));
        DialogAnswerer answerer;
        start(s, QCoreApplication::applicationDirPath() + "/VEXAReader");
        QCOMPARE(menuEntry(s.fixture.main, 0)->text(), QString("Accueil"));
        QCOMPARE(buttonAnnuler(s.fixture.password)->text(), QString("Annuler"));
        // Qt's own texts from the system's French translations (qt6-translations-l10n).
        QCOMPARE(qtCancelButtonText(), QString("Annuler"));
    }
    QCOMPARE(qtCancelButtonText(), QString("Cancel")); // gone with the language object
    Started s;
    DialogAnswerer answerer;
    QTemporaryDir empty;
    start(s, empty.filePath("VEXAReader")); // 2057 but no module next to the program
    QCOMPARE(s.fixture.main->CurrentLanguage(), 2057);
    QCOMPARE(menuEntry(s.fixture.main, 0)->text(), QString("Accueil"));
    QCOMPARE(qtCancelButtonText(), QString("Annuler"));
}

void TestLanguage::currentLanguageFlagDoesNothing() {
    Started s;
    DialogAnswerer answerer;
    start(s, QCoreApplication::applicationDirPath() + "/VEXAReader");
    QTest::mouseClick(buttonLangueEn(s.fixture.main), Qt::LeftButton);
    QVERIFY(!QFile::exists(settingsPath(s.fixture.main)));
    QCOMPARE(s.restarts, 0);
    QCOMPARE(s.ends, 0);
}

void TestLanguage::otherFlagStoresLanguageAndRestarts() {
    Started s;
    const QByteArray before =
        "[CONFIG]\r\nResultSavePath=/r/\r\nConfigSavePath=/c/\r\n"
        "HeaderSavePath=/h/\r\nConfigLoadPath=/cl/\r\nHeaderLoadPath=/hl/\r\n";
    QVERIFY(writeFileBytes(s.fixture.dir.filePath("VEXAReader.ini"), before));
    DialogAnswerer answerer;
    start(s, QCoreApplication::applicationDirPath() + "/VEXAReader");
    s.fixture.dialogs->setFileName(DialogKind::SaveResult, "/elsewhere/VEXA.txt");
    QTest::mouseClick(buttonLangueFr(s.fixture.main), Qt::LeftButton);
    QCOMPARE(s.fixture.main->CurrentLanguage(), 1036);
    QCOMPARE(s.restarts, 1);
    QCOMPARE(s.ends, 1);
    // Only the language changed: the folders stay those of the previous close.
    QCOMPARE(fileBytes(settingsPath(s.fixture.main)), before + "Language=1036\r\n");
    // The program ends without its close steps.
    s.fixture.main->close();
    QCOMPARE(fileBytes(settingsPath(s.fixture.main)), before + "Language=1036\r\n");
}

void TestLanguage::failedLanguageWriteRestartsNothing() {
    Started s;
    DialogAnswerer answerer;
    start(s, QCoreApplication::applicationDirPath() + "/VEXAReader");
    QVERIFY(answerer.waitForMessages(1));
    QVERIFY(QDir().mkdir(settingsPath(s.fixture.main)));
    QTest::mouseClick(buttonLangueFr(s.fixture.main), Qt::LeftButton);
    QTRY_COMPARE(answerer.errors.size(), 1);
    QVERIFY(answerer.errors.first().startsWith("Unable to write to "));
    QCOMPARE(s.restarts, 0);
    QCOMPARE(s.ends, 0);
    QCOMPARE(s.fixture.main->CurrentLanguage(), 1036);
}

void TestLanguage::flagIgnoredWhileSearching() {
    InstrumentSimulator sim;
    sim.setReplyDelay(800);
    sim.start();
    Started s;
    s.fixture.ports = {sim.slavePath()};
    DialogAnswerer answerer;
    start(s, QCoreApplication::applicationDirPath() + "/VEXAReader");
    // While the start-up search waits for the instrument, a flag must not end the program
    // under it.
    bool clickedWhileWaiting = false;
    QTimer::singleShot(400, s.fixture.main.get(), [&] {
        clickedWhileWaiting = exchange(s.fixture.main).isWaiting();
        QTest::mouseClick(buttonLangueFr(s.fixture.main), Qt::LeftButton);
    });
    QVERIFY(answerer.waitForMessages(1));
    QVERIFY(clickedWhileWaiting);
    QCOMPARE(s.restarts, 0);
    QCOMPARE(s.ends, 0);
    QVERIFY(!QFile::exists(settingsPath(s.fixture.main)));
    QCOMPARE(answerer.messages.first(),
             QStringLiteral("      Instrument found on ") + sim.slavePath() + "      ");
}

void TestLanguage::panelsMadeOnFirstVisitSpeakTheLanguage() {
    InstrumentSimulator sim;
    sim.start();
    Started s;
    s.fixture.ports = {sim.slavePath()};
    DialogAnswerer answerer;
    start(s, QCoreApplication::applicationDirPath() + "/VEXAReader"); // no settings: 2057
    QVERIFY(answerer.waitForMessages(1));
    // Start-up makes only what the home panel shows.
    for (const char* name :
         {"PanelLecture", "PanelInitialisation", "PanelHeader", "PanelParametres", "MemoLecture"})
        QVERIFY2(!s.fixture.main->findChild<QWidget*>(QString::fromLatin1(name)), name);
    chooseMenuEntry(s.fixture.main, 1);
    QCOMPARE(buttonLecture(s.fixture.main)->text(), QString("Transfer"));
    chooseMenuEntry(s.fixture.main, 3);
    QCOMPARE(buttonEdit(s.fixture.main)->text(), QString("Edit the file"));
    QCOMPARE(buttonEnregistrer(s.fixture.main)->text(), QString("Save the file"));
    QVERIFY(answerer.errors.isEmpty());
}

void TestLanguage::newCopyIsTheProgramFileInTheSameFolder() {
    // A stand-in program that records where it was started from.
    QTemporaryDir programDir, workDir;
    const QString program = programDir.filePath("VEXAReader");
    const QString record = programDir.filePath("started-in.txt");
    QVERIFY(writeFileBytes(program, "#!/bin/sh\npwd > \"$(dirname \"$0\")/started-in.txt\"\n"));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(startNewCopy(program, workDir.path()));
    QVERIFY(QTest::qWaitFor([&] { return fileBytes(record).endsWith('\n'); }, 5000));
    QCOMPARE(fileBytes(record).trimmed(), QDir(workDir.path()).canonicalPath().toUtf8());
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
