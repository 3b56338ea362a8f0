// The "Paramétrage" panel in the real main window: choosing a file, the editor's pages,
// access and visibility, the range marks, saving, and sending to a simulated instrument.
#include "ParamPanelTest.h"

#include "common/Messages.h"
#include "link/TComPort.h"
#include "params/ParamCheck.h"
#include "ui/InstrumentPanel.h"
#include "ui/SplashScreen.h"

#include <QLabel>
#include <QTabWidget>
#include <QTranslator>

using PC = ParamControl;

namespace {

const QDateTime kSaveTime(QDate(2024, 3, 7), QTime(9, 5, 4));

// The editor's view of the worked example, in check order.
const QStringList kWorkedExampleNumbers = {"100",   "00001", "00001", "00001", "00050", "00050",
                                           "00050", "0",     "00060", "00200", "00200", "00180",
                                           "00000", "00000", "100",   "0",     "00050", "00002"};

bool activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Puts "EN:" in front of every text of the editor's own context.
class MarkingTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        // The editor's texts: its own, its pages' and the settings' captions.
        if (qstrcmp(context, "ParameterEditorPanel") != 0 &&
            qstrcmp(context, "ParameterEditorPages") != 0 &&
            qstrcmp(context, kParamCaptionContext) != 0)
            return {};
        return u"EN:" + QString::fromUtf8(source);
    }
};

} // namespace

class TestParamPanel : public ParamPanelTest {
    Q_OBJECT
private Q_SLOTS:
    void choosingFilesAndTheEntryStep();
    void editorShowsTheWorkedExampleToAnOrdinaryUser();
    void maintenanceModeUnlocksTheLockedFields();
    void versionDecidesTheOptionalSettings_data();
    void versionDecidesTheOptionalSettings();
    void leavingAFieldRecolours();
    void savingIsRefusedWhileAFieldIsRed();
    void refusalNamesTheSettingsAtFault();
    void hiddenEmptySettingsDoNotBlockTheSave();
    void operatorTextCanBeTypedStraightAway();
    void saveRoundTripMakesTheSavedFileCurrent();
    void cancellingTheSaveDialogWritesNothing();
    void unreadableFileWhenOpeningTheEditor();
    void sendingFromTheWindow();
    void editsAcceptOnlyWhatTheFileCanHold();
    void languageChangeKeepsTheChoices();

private:
    QStringList shownNumbers() const {
        QStringList numbers;
        for (int i = 0; i < kCheckedFieldCount; ++i)
            numbers << edit(checkedField(i))->text();
        return numbers;
    }
    QStringList enabledControls() const {
        QStringList enabled;
        for (int i = 0; i < kParamControlCount; ++i)
            if (control(static_cast<PC>(i))->isEnabled())
                enabled << controlObjectName(static_cast<PC>(i));
        enabled.sort();
        return enabled;
    }
};

void TestParamPanel::choosingFilesAndTheEntryStep() {
    ParameterFilePanel* panel = this->panel();
    QCOMPARE(panel->geometry(), QRect(8, 41, 630, 375));
    QCOMPARE(parts::child<QLineEdit>(panel, "Edit1")->text(),
             QStringLiteral("Sélectionner un fichier :"));
    QVERIFY(parts::child<QLineEdit>(panel, "Edit1")->isReadOnly() &&
            !parts::child<QLineEdit>(panel, "Edit1")->hasFrame());
    QVERIFY(editFichierParametres(panel)->isReadOnly());
    QVERIFY(editFichierParametres(panel)->text().isEmpty());
    QVERIFY(!buttonEdit(panel)->isEnabled() && !buttonInit(panel)->isEnabled());
    QVERIFY(!editor()->isVisible());

    // Cancelling changes nothing.
    choose(std::nullopt);
    QCOMPARE(dialogs().asked, QList<DialogKind>({DialogKind::OpenConfig}));
    QVERIFY(editFichierParametres(panel)->text().isEmpty());
    QVERIFY(!buttonEdit(panel)->isEnabled());

    const QString valid = workedExample();
    choose(valid);
    QCOMPARE(editFichierParametres(panel)->text(), valid);
    QVERIFY(buttonEdit(panel)->isEnabled() && buttonInit(panel)->isEnabled());

    // A file lacking "#F": the earlier file stays open for editing, not for sending.
    QStringList lines = fixture::workedExampleLines();
    lines.removeAt(3);
    const QString invalid = writeFile("sansF.dat", fixture::cp1252Bytes(lines));
    choose(invalid);
    QCOMPARE(answerer().messages, QStringList({msg(MsgId::InvalidFile)}));
    QCOMPARE(editFichierParametres(panel)->text(), valid);
    QVERIFY(buttonEdit(panel)->isEnabled());
    QVERIFY(!buttonInit(panel)->isEnabled());

    // A file that cannot be read is an error report; nothing changes.
    choose(dir().filePath("gone.dat"));
    QCOMPARE(answerer().errors.size(), 1);
    QVERIFY(answerer().errors.first().contains("gone.dat"));
    QCOMPARE(editFichierParametres(panel)->text(), valid);
    QVERIFY(buttonEdit(panel)->isEnabled() && !buttonInit(panel)->isEnabled());

    // "#F" inside another line is enough for the check.
    lines = fixture::workedExampleLines();
    lines[3] = "; no record here, only #F in a comment";
    const QString inside = writeFile("inside.dat", fixture::cp1252Bytes(lines));
    choose(inside);
    QCOMPARE(editFichierParametres(panel)->text(), inside);
    QVERIFY(buttonInit(panel)->isEnabled());

    // Choosing the panel again while the editor is open closes it and forgets the file.
    openEditor();
    QVERIFY(editor()->isVisible());
    chooseMenu(3);
    QVERIFY(panel->isVisible());
    QVERIFY(!editor()->isVisible());
    QVERIFY(editFichierParametres(panel)->text().isEmpty());
    QVERIFY(!buttonEdit(panel)->isEnabled() && !buttonInit(panel)->isEnabled());
}

void TestParamPanel::editorShowsTheWorkedExampleToAnOrdinaryUser() {
    choose(workedExample());
    openEditor();
    ParameterEditorPanel* editor = this->editor();
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->geometry(), QRect(16, 5, 597, 337));
    QCOMPARE(pageControl(editor)->geometry(), QRect(3, 2, 582, 263));
    QCOMPARE(buttonAnnuler(editor)->geometry(), QRect(3, 292, 139, 40));
    QCOMPARE(buttonEnregistrer(editor)->geometry().size(), QSize(139, 40));
    QCOMPARE(buttonEnregistrer(editor)->y(), 292);
    QVERIFY(buttonEnregistrer(editor)->x() > buttonAnnuler(editor)->x());
    QCOMPARE(pageControl(editor)->currentIndex(), 0);
    QStringList pages;
    for (int i = 0; i < pageControl(editor)->count(); ++i)
        pages << pageControl(editor)->tabText(i);
    QCOMPARE(pages, QStringList({" Identification ", " Mesure Gamma ", " Alarmes ", " Batterie ",
                                 " Divers"}));

    QCOMPARE(shownNumbers(), kWorkedExampleNumbers);
    QCOMPARE(edit(PC::Popcom)->text(), QString());
    QCOMPARE(edit(PC::PDate)->text(), QStringLiteral("01/01/2000 00:00:00"));
    QCOMPARE(combo(PC::PLangue)->currentText(), QStringLiteral("Francais"));
    QCOMPARE(combo(PC::Rmodef)->currentText(), QStringLiteral("Mesure Gamma uniquement"));
    QCOMPARE(combo(PC::Ralarm)->currentText(), QStringLiteral("Pas d'alarme"));
    QCOMPARE(combo(PC::Rmodef)->count(), 3);
    QCOMPARE(combo(PC::Ralarm)->count(), 2);
    QVERIFY(!combo(PC::PLangue)->isEditable());
    QVERIFY(redFields().isEmpty());

    QCOMPARE(edit(PC::Rdmesu)->toolTip(), QStringLiteral("Plage : 100 à 10000"));
    QCOMPARE(edit(PC::Ralsfmax)->toolTip(), QStringLiteral("Plage : Seuil min à 20000"));
    QCOMPARE(edit(PC::Ralsfc)->toolTip(), QStringLiteral("Plage : Seuil min à Seuil max"));
    QCOMPARE(edit(PC::Gbatar)->toolTip(), QStringLiteral("Plage : 180 à Tension batterie vide"));

    QCOMPARE(
        enabledControls(),
        QStringList({"ComboBoxParamPLangue", "ComboBoxParamRalarm", "ComboBoxParamRmodef",
                     "EditParamGarret", "EditParamGfbeep", "EditParamPopcom", "EditParamRalsfc"}));

    // The communication time-out is never offered; the note stands on one page only.
    QVERIFY(control(PC::Gsci0t)->isHidden() && label(PC::Gsci0t)->isHidden());
    auto noteShown = [&](int page) {
        return !editor->findChild<QLabel*>(QStringLiteral("LabelNoteText%1").arg(page))->isHidden();
    };
    QVERIFY(noteShown(2) && !noteShown(3) && !noteShown(5));
    QCOMPARE(editor->findChild<QLabel*>("Label44")->text(),
             QStringLiteral("Temporisation fin d'alarme (ms)  (*)"));

    // "Annuler" closes without touching the file or the current file.
    type(PC::Popcom, "changed");
    QTest::mouseClick(buttonAnnuler(editor), Qt::LeftButton);
    QVERIFY(!editor->isVisible());
    QCOMPARE(fileBytes(editFichierParametres(panel())->text()), fixture::workedExampleBytes());
    // Entering maintenance mode does not unlock the fields of an editor opened before.
    window().setMaintenanceMode(true);
    QCOMPARE(enabledControls().size(), 7);
}

void TestParamPanel::maintenanceModeUnlocksTheLockedFields() {
    window().setMaintenanceMode(true);
    choose(workedExample());
    openEditor();
    QStringList all;
    for (int i = 0; i < kParamControlCount; ++i)
        if (static_cast<PC>(i) != PC::PDate)
            all << controlObjectName(static_cast<PC>(i));
    all.sort();
    QCOMPARE(enabledControls(), all);
    QCOMPARE(shownNumbers(), kWorkedExampleNumbers);
}

void TestParamPanel::versionDecidesTheOptionalSettings_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("shown");
    QTest::newRow("V2.05") << "V2.05" << false;
    QTest::newRow("12.0") << "12.0" << false;
    QTest::newRow("1.9") << "1.9" << true;
}

void TestParamPanel::versionDecidesTheOptionalSettings() {
    QFETCH(QString, version);
    QFETCH(bool, shown);
    QVERIFY(restartWithVersion(version));
    QCOMPARE(shownIdentity(window()).softwareVersion.trimmed(), version);
    choose(workedExample());
    openEditor();
    for (std::size_t i = 0; i < kVersionDependentControls.size(); ++i) {
        const PC c = kVersionDependentControls[i];
        QCOMPARE(control(c)->isHidden(), !shown);
        QLabel* label =
            editor()->findChild<QLabel*>(QString::fromUtf16(kVersionDependentLabels[i]));
        QVERIFY(label);
        QCOMPARE(label->isHidden(), !shown);
    }
    QVERIFY(control(PC::Gsci0t)->isHidden());
    // Hidden settings still count: an out-of-range coefficient refuses the save, and the
    // refusal says which setting it is, and why the operator cannot see or change it.
    edit(PC::Gcoefs)->setText("11");
    QTest::mouseClick(buttonEnregistrer(editor()), Qt::LeftButton);
    QCOMPARE(answerer().messages,
             QStringList({msg(MsgId::BadParameters) + "\r\nCoefficient seuil dynamique" +
                          (shown ? " (maintenance)" : " (masqué)")}));
    QVERIFY(isRed(PC::Gcoefs));
}

void TestParamPanel::leavingAFieldRecolours() {
    window().setMaintenanceMode(true);
    choose(workedExample());
    openEditor();
    QVERIFY(activate(&window()));
    pageControl(editor())->setCurrentIndex(1);

    type(PC::Rdmesu, "90");
    leave(PC::Rdmesu);
    QCOMPARE(redFields(), QStringList({"EditParamRdmesu"}));
    QCOMPARE(isRed(PC::Rtrack), false);
    QCOMPARE(edit(PC::Rtrack)->palette().color(QPalette::Text),
             QApplication::palette(edit(PC::Rtrack)).color(QPalette::Text));

    type(PC::Rdmesu, "10000");
    leave(PC::Rdmesu);
    QVERIFY(redFields().isEmpty());

    // An empty field is marked, and the check still reaches the fields after it.
    type(PC::Rtrack, "");
    leave(PC::Rtrack);
    edit(PC::Gfbeep)->setText("2501");
    leave(PC::Rmoyg1);
    QCOMPARE(redFields(), QStringList({"EditParamRtrack", "EditParamGfbeep"}));

    // The cross-field bounds mark the field that breaks them.
    edit(PC::Rtrack)->setText("99");
    edit(PC::Gfbeep)->setText("2500");
    pageControl(editor())->setCurrentIndex(2);
    type(PC::Ralsfmax, "49");
    leave(PC::Ralsfmax);
    QCOMPARE(redFields(), QStringList({"EditParamRalsfmax", "EditParamRalsfc"}));
    type(PC::Ralsfmax, "500");
    leave(PC::Ralsfmax);
    QVERIFY(redFields().isEmpty());

    // Reopening the editor clears the marks without checking.
    edit(PC::Gbatvi)->setText("201");
    leave(PC::Ralsfc);
    QCOMPARE(redFields(), QStringList({"EditParamGbatvi"}));
    QTest::mouseClick(buttonAnnuler(editor()), Qt::LeftButton);
    QStringList lines = fixture::workedExampleLines();
    lines[2].replace(33, 5, "00300"); // batar above batvi
    writeFileIn(dir(), "configVEXA.dat", fixture::cp1252Bytes(lines));
    openEditor();
    QCOMPARE(edit(PC::Gbatar)->text(), QStringLiteral("00300"));
    QVERIFY(redFields().isEmpty());

    // Leaving the Initialisation panel's high-voltage field runs the same check on the
    // editor's fields, with the editor closed.
    QTest::mouseClick(buttonAnnuler(editor()), Qt::LeftButton);
    QVERIFY(redFields().isEmpty());
    chooseMenu(2);
    QLineEdit* khtval = editParamKhtval(panelInitialisation(window()));
    QVERIFY(khtval->isVisible());
    QVERIFY(activate(&window()));
    khtval->setFocus();
    QTest::keyClick(khtval, Qt::Key_Tab);
    QCOMPARE(redFields(), QStringList({"EditParamGbatar"}));
}

void TestParamPanel::savingIsRefusedWhileAFieldIsRed() {
    const QString path = workedExample();
    choose(path);
    openEditor();
    edit(PC::Gfbeep)->setText("3000");
    QVERIFY(redFields().isEmpty()); // not checked until asked
    QTest::mouseClick(buttonEnregistrer(editor()), Qt::LeftButton);
    QCOMPARE(answerer().messages,
             QStringList({msg(MsgId::BadParameters) + "\r\nFréquence buzzer (Hz)"}));
    QCOMPARE(dialogs().asked, QList<DialogKind>({DialogKind::OpenConfig}));
    QCOMPARE(redFields(), QStringList({"EditParamGfbeep"}));
    QVERIFY(editor()->isVisible());
    QCOMPARE(fileBytes(path), fixture::workedExampleBytes());
    QCOMPARE(edit(PC::Gfbeep)->text(), QStringLiteral("3000"));
}

void TestParamPanel::refusalNamesTheSettingsAtFault() {
    QVERIFY(restartWithVersion(QStringLiteral("V2.05")));
    QStringList lines = fixture::workedExampleLines();
    lines[1].replace(9, 5, "01001");  // counting time 10010 ms: locked for an ordinary user
    lines[2].replace(51, 5, "03000"); // buzzer: the operator's to change
    lines[2].replace(57, 5, "00011"); // coefficient: hidden for this software version
    choose(writeFile("faulty.dat", fixture::cp1252Bytes(lines)));
    openEditor();
    QCOMPARE(pageControl(editor())->currentIndex(), 0);

    QTest::mouseClick(buttonEnregistrer(editor()), Qt::LeftButton);
    QCOMPARE(answerer().messages,
             QStringList({msg(MsgId::BadParameters) +
                          "\r\nTemps de comptage (ms)  (*) (maintenance)"
                          "\r\nFréquence buzzer (Hz)\r\nCoefficient seuil dynamique (masqué)"}));
    // The page of the first of them the operator can see.
    QCOMPARE(pageControl(editor())->currentIndex(), 1);
    QVERIFY(editor()->isVisible());
}

void TestParamPanel::hiddenEmptySettingsDoNotBlockTheSave() {
    QVERIFY(restartWithVersion(QStringLiteral("V2.05")));
    // A "#G" record whose last fields are blank: lighting low threshold and coefficient,
    // both hidden for this version.
    QStringList lines = fixture::workedExampleLines();
    lines[2] = "#G 00010 00060 00000 00200 00200 00180 00000       00050      ";
    choose(writeFile("short.dat", fixture::cp1252Bytes(lines)));
    openEditor();
    QVERIFY(control(PC::Geclsb)->isHidden());

    const QString target = dir().filePath("saved.dat");
    save(target);
    QVERIFY(answerer().messages.isEmpty());
    QVERIFY(!editor()->isVisible());
    // Stored in range, at their lower bounds: zeros would refuse every later save of the
    // file over a coefficient (2 to 10) nobody can see.
    QCOMPARE(QString::fromLatin1(fileBytes(target)).split("\r\n").at(2),
             QStringLiteral("#G 00010 00060 00000 00200 00200 00180 00000 00000 00050 00002"));

    // The saved file saves again; an empty field the operator can see still refuses it.
    openEditor();
    save(target);
    QVERIFY(answerer().messages.isEmpty());
    openEditor();
    window().setMaintenanceMode(true);
    edit(PC::Gbatpl)->clear();
    QTest::mouseClick(buttonEnregistrer(editor()), Qt::LeftButton);
    QCOMPARE(answerer().messages,
             QStringList({msg(MsgId::BadParameters) +
                          "\r\nTension batterie pleine (1/100 V) (maintenance)"}));
}

void TestParamPanel::operatorTextCanBeTypedStraightAway() {
    choose(workedExample()); // its operator text is 20 blanks
    openEditor();
    QVERIFY(activate(&window()));
    QLineEdit* popcom = edit(PC::Popcom);
    QTest::mouseClick(popcom, Qt::LeftButton);
    QTest::keyClicks(popcom, QStringLiteral("Jean"));
    QCOMPARE(popcom->text(), QStringLiteral("Jean"));

    const QString target = dir().filePath("jean.dat");
    save(target);
    QVERIFY(answerer().messages.isEmpty());
    QCOMPARE(fileBytes(target).mid(24, 20), QByteArray("Jean") + QByteArray(16, ' '));
}

void TestParamPanel::saveRoundTripMakesTheSavedFileCurrent() {
    window().setMaintenanceMode(true);
    const QString source = workedExample();
    choose(source);
    openEditor();
    editor()->setClock([] { return kSaveTime; });
    QVERIFY(activate(&window()));

    type(PC::Popcom, "Dupont");
    combo(PC::PLangue)->setCurrentIndex(2);
    combo(PC::Rmodef)->setCurrentIndex(1);
    combo(PC::Ralarm)->setCurrentIndex(1);
    type(PC::Rdmesu, "115"); // stored as 12 tens of ms
    type(PC::Ralard, "25");  // 2.5 goes to the even 2
    type(PC::Garret, "120"); // zero-filled
    type(PC::Gfbeep, "440");

    const QString target = dir().filePath("parametres-de-la-campagne-2024.dat");
    save(target);
    QVERIFY(answerer().messages.isEmpty());
    QCOMPARE(dialogs().asked.last(), DialogKind::SaveConfig);
    QCOMPARE(dialogs().startPaths.last(), source); // proposes the current file
    QVERIFY(!editor()->isVisible());
    QCOMPARE(editFichierParametres(panel())->text(), target);
    QCOMPARE(fileBytes(source), fixture::workedExampleBytes());

    QStringList expected = fixture::workedExampleLines();
    expected[0] = u"#P parametres-de-la-cam " + QStringLiteral("Dupont").leftJustified(20) +
                  u" 07/03/2024 09:05:04 C";
    expected[1] = "#R 00001 00012 00001 00001 00001 00001 00050 00050 00050 00002";
    expected[2] = "#G 00010 00120 00000 00200 00200 00180 00000 00000 00440 00002";
    QCOMPARE(fileBytes(target), fixture::cp1252Bytes(expected));
    // The fields show what was stored.
    QCOMPARE(edit(PC::Rdmesu)->text(), QStringLiteral("120"));
    QCOMPARE(edit(PC::Ralard)->text(), QStringLiteral("20"));
    QCOMPARE(edit(PC::Popcom)->text(), QStringLiteral("Dupont"));

    // The editor now works on the saved file.
    openEditor();
    QCOMPARE(edit(PC::PDate)->text(), QStringLiteral("07/03/2024 09:05:04"));
    QCOMPARE(edit(PC::Garret)->text(), QStringLiteral("00120"));
    QCOMPARE(combo(PC::PLangue)->currentIndex(), 2);
    QCOMPARE(combo(PC::Rmodef)->currentIndex(), 1);

    // Saving over the current file itself.
    edit(PC::Gfbeep)->setText("50");
    save(target);
    expected[2] = "#G 00010 00120 00000 00200 00200 00180 00000 00000 00050 00002";
    QCOMPARE(fileBytes(target), fixture::cp1252Bytes(expected));
    QCOMPARE(editFichierParametres(panel())->text(), target);
}

void TestParamPanel::cancellingTheSaveDialogWritesNothing() {
    const QString source = workedExample();
    choose(source);
    openEditor();
    edit(PC::Gfbeep)->setText("440");
    save(std::nullopt);
    QCOMPARE(dialogs().asked.last(), DialogKind::SaveConfig);
    QVERIFY(editor()->isVisible());
    QCOMPARE(edit(PC::Gfbeep)->text(), QStringLiteral("440"));
    QCOMPARE(editFichierParametres(panel())->text(), source);
    QCOMPARE(fileBytes(source), fixture::workedExampleBytes());
    QCOMPARE(QDir(dir().path()).entryList({"*.dat"}), QStringList({"configVEXA.dat"}));

    // A target that cannot be written: reported, the editor stays open on the same file.
    save(dir().path()); // a folder
    QCOMPARE(answerer().errors.size(), 1);
    QVERIFY(editor()->isVisible());
    QCOMPARE(editFichierParametres(panel())->text(), source);
    QCOMPARE(fileBytes(source), fixture::workedExampleBytes());
}

void TestParamPanel::unreadableFileWhenOpeningTheEditor() {
    const QString path = workedExample();
    choose(path);
    openEditor();
    QTest::mouseClick(buttonAnnuler(editor()), Qt::LeftButton);
    edit(PC::Gfbeep)->setText("777");

    QVERIFY(QFile::remove(path));
    openEditor();
    QCOMPARE(answerer().errors.size(), 1);
    QVERIFY(answerer().errors.first().contains("configVEXA.dat"));
    QVERIFY(editor()->isVisible()); // shown before the file was read
    QCOMPARE(edit(PC::Gfbeep)->text(), QStringLiteral("777"));
}

void TestParamPanel::sendingFromTheWindow() {
    const QString path = workedExample();
    choose(path);

    // Values edited and not saved are not what goes out.
    openEditor();
    edit(PC::Gfbeep)->setText("440");
    QTest::mouseClick(buttonAnnuler(editor()), Qt::LeftButton);

    bool enabledAtMessage = true;
    bool portOpenAtMessage = true;
    answerer().onDialog = [&](const QString&) {
        enabledAtMessage = window().isEnabled();
        portOpenAtMessage = comPort(window()).Connected();
    };
    sim().clearTranscript();
    QTest::mouseClick(buttonInit(panel()), Qt::LeftButton);
    QCOMPARE(answerer().messages, QStringList({msg(MsgId::SendDone)}));
    QVERIFY(!enabledAtMessage);
    QVERIFY(!portOpenAtMessage);
    QVERIFY(window().isEnabled());
    QVERIFY(!splashScreen()->isVisible());
    QVERIFY(!comPort(window()).Connected());

    const QList<QByteArray> lines = [] {
        QList<QByteArray> out;
        for (const QString& line : fixture::workedExampleLines().mid(0, 4))
            out << toCp1252(line);
        return out;
    }();
    QCOMPARE(sim().receivedLines(), QList<QByteArray>({"#i"}) + lines);
    QCOMPARE(sim().instrument()->records("#P"), QList<QByteArray>({lines[0]}));
    QCOMPARE(sim().instrument()->records("#R"), QList<QByteArray>({lines[1]}));
    QCOMPARE(sim().instrument()->records("#G"), QList<QByteArray>({lines[2]}));
    QCOMPARE(sim().instrument()->records("#F"), QList<QByteArray>({lines[3]}));

    // An instrument gone quiet: told so, and the window is usable again.
    sim().setSilent(true);
    QTest::mouseClick(buttonInit(panel()), Qt::LeftButton);
    QVERIFY(answerer().waitForMessages(2));
    QCOMPARE(answerer().messages.last(), msg(MsgId::NoAnswer));
    QVERIFY(window().isEnabled());
    QVERIFY(!comPort(window()).Connected());
}

void TestParamPanel::editsAcceptOnlyWhatTheFileCanHold() {
    window().setMaintenanceMode(true);
    choose(workedExample());
    openEditor();
    pageControl(editor())->setCurrentIndex(1);

    type(PC::Rdmesu, "12a3b4567");
    QCOMPARE(edit(PC::Rdmesu)->text(), QStringLiteral("12345"));
    // No sign: "+440" would pass the check and be stored as "0+440".
    type(PC::Rdmesu, "+-5 ");
    QCOMPARE(edit(PC::Rdmesu)->text(), QStringLiteral("5"));
    edit(PC::Rdmesu)->setText("1234567");
    QCOMPARE(edit(PC::Rdmesu)->text(), QStringLiteral("12345"));

    pageControl(editor())->setCurrentIndex(0);
    type(PC::Popcom, QStringLiteral("Équipe Nord — 12345678901234"));
    QCOMPARE(edit(PC::Popcom)->text(), QStringLiteral("Équipe Nord — 123456"));
    type(PC::Popcom, QStringLiteral("Ωmega"));
    QCOMPARE(edit(PC::Popcom)->text(), QStringLiteral("mega"));
    // A pasted text longer than the room left is cut to it, not dropped.
    edit(PC::Popcom)->selectAll();
    edit(PC::Popcom)->insert(QStringLiteral("Contrôle annuel du site nord, équipe B"));
    QCOMPARE(edit(PC::Popcom)->text(), QStringLiteral("Contrôle annuel du s"));

    // A file in UTF-8 may bring a character the record cannot carry: it is refused at save,
    // and can be removed.
    QStringList lines = fixture::workedExampleLines();
    lines[0].replace(24, 5, QStringLiteral("Ωmega"));
    const QString utf8 = writeFile("utf8.dat", "\xEF\xBB\xBF" + lines.join("\r\n").toUtf8());
    QTest::mouseClick(buttonAnnuler(editor()), Qt::LeftButton);
    choose(utf8);
    openEditor();
    QVERIFY(edit(PC::Popcom)->text().startsWith(QStringLiteral("Ωmega")));
    QTest::mouseClick(buttonEnregistrer(editor()), Qt::LeftButton);
    QCOMPARE(answerer().messages,
             QStringList({msg(MsgId::BadParameters) + "\r\nOpérateur / Commentaires"}));
    QCOMPARE(redFields(), QStringList({"EditParamPopcom"}));
    QLineEdit* popcom = edit(PC::Popcom);
    popcom->setFocus();
    popcom->home(false);
    QTest::keyClick(popcom, Qt::Key_Delete);
    QVERIFY(popcom->text().startsWith(QStringLiteral("mega")));
    save(dir().filePath("out.dat"));
    QVERIFY(QFile::exists(dir().filePath("out.dat")));
}

void TestParamPanel::languageChangeKeepsTheChoices() {
    combo(PC::PLangue)->setCurrentIndex(1);
    combo(PC::Ralarm)->setCurrentIndex(-1);
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QCoreApplication::processEvents();
    const QString langue = combo(PC::PLangue)->currentText();
    const QString tab = pageControl(editor())->tabText(1);
    const QString label = this->label(PC::Rdmesu)->text();
    const int alarm = combo(PC::Ralarm)->currentIndex();
    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::processEvents();
    QCOMPARE(langue, QStringLiteral("EN:Anglais (date au format jj/mm/aaaa)"));
    QCOMPARE(tab, QStringLiteral("EN: Mesure Gamma "));
    QCOMPARE(label, QStringLiteral("EN:Temps de comptage (ms)  (*)"));
    QCOMPARE(alarm, -1);
    QCOMPARE(combo(PC::PLangue)->currentText(),
             QStringLiteral("Anglais (date au format jj/mm/aaaa)"));
}

QTEST_MAIN(TestParamPanel)
#include "tst_parampanel.moc"
