// The "Paramétrage" panel in the real main window: choosing a file, the editor's pages,
// access and visibility, the range marks, saving, and sending to a simulated instrument.
#include "ParamPanelFixture.h"

#include "common/Messages.h"
#include "link/TComPort.h"
#include "params/ParamCheck.h"
#include "ui/InitialisationPanel.h"
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

QStringList shownNumbers(const ParamPanelFixture& p) {
    QStringList numbers;
    for (int i = 0; i < kCheckedFieldCount; ++i)
        numbers << p.edit(checkedField(i))->text();
    return numbers;
}

QStringList enabledControls(const ParamPanelFixture& p) {
    QStringList enabled;
    for (int i = 0; i < kParamControlCount; ++i)
        if (p.control(static_cast<PC>(i))->isEnabled())
            enabled << controlObjectName(static_cast<PC>(i));
    enabled.sort();
    return enabled;
}

bool activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Puts "EN:" in front of every text of the editor's own context.
class MarkingTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (qstrcmp(context, "ParamEditorPanel") != 0)
            return {};
        return u"EN:" + QString::fromUtf8(source);
    }
};

} // namespace

class TestParamPanel : public QObject {
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
};

void TestParamPanel::choosingFilesAndTheEntryStep() {
    ParamPanelFixture p;
    QVERIFY(p.start());
    ParametresPanel* panel = p.panel();
    QCOMPARE(panel->geometry(), QRect(8, 41, 630, 375));
    QCOMPARE(parts::child<QLineEdit>(panel, "Edit1")->text(),
             QStringLiteral("Sélectionner un fichier :"));
    QVERIFY(parts::child<QLineEdit>(panel, "Edit1")->isReadOnly() &&
            !parts::child<QLineEdit>(panel, "Edit1")->hasFrame());
    QVERIFY(editFichierParametres(panel)->isReadOnly());
    QVERIFY(editFichierParametres(panel)->text().isEmpty());
    QVERIFY(!buttonEdit(panel)->isEnabled() && !buttonInit(panel)->isEnabled());
    QVERIFY(!p.editor()->isVisible());

    // Cancelling changes nothing.
    p.choose(std::nullopt);
    QCOMPARE(p.f.dialogs->asked, QList<DialogKind>({DialogKind::OpenConfig}));
    QVERIFY(editFichierParametres(panel)->text().isEmpty());
    QVERIFY(!buttonEdit(panel)->isEnabled());

    const QString valid = p.workedExample();
    p.choose(valid);
    QCOMPARE(editFichierParametres(panel)->text(), valid);
    QVERIFY(buttonEdit(panel)->isEnabled() && buttonInit(panel)->isEnabled());

    // A file lacking "#F": the earlier file stays open for editing, not for sending.
    QStringList lines = fixture::workedExampleLines();
    lines.removeAt(3);
    const QString invalid = p.writeFile("sansF.dat", fixture::cp1252Bytes(lines));
    p.choose(invalid);
    QCOMPARE(p.answerer.messages, QStringList({msg(MsgId::InvalidFile)}));
    QCOMPARE(editFichierParametres(panel)->text(), valid);
    QVERIFY(buttonEdit(panel)->isEnabled());
    QVERIFY(!buttonInit(panel)->isEnabled());

    // A file that cannot be read is an error report; nothing changes.
    p.choose(p.f.dir.filePath("gone.dat"));
    QCOMPARE(p.answerer.errors.size(), 1);
    QVERIFY(p.answerer.errors.first().contains("gone.dat"));
    QCOMPARE(editFichierParametres(panel)->text(), valid);
    QVERIFY(buttonEdit(panel)->isEnabled() && !buttonInit(panel)->isEnabled());

    // "#F" inside another line is enough for the check.
    lines = fixture::workedExampleLines();
    lines[3] = "; no record here, only #F in a comment";
    const QString inside = p.writeFile("inside.dat", fixture::cp1252Bytes(lines));
    p.choose(inside);
    QCOMPARE(editFichierParametres(panel)->text(), inside);
    QVERIFY(buttonInit(panel)->isEnabled());

    // Choosing the panel again while the editor is open closes it and forgets the file.
    p.openEditor();
    QVERIFY(p.editor()->isVisible());
    p.f.main->MegaMenuMenuItemClick(3);
    QVERIFY(panel->isVisible());
    QVERIFY(!p.editor()->isVisible());
    QVERIFY(editFichierParametres(panel)->text().isEmpty());
    QVERIFY(!buttonEdit(panel)->isEnabled() && !buttonInit(panel)->isEnabled());
}

void TestParamPanel::editorShowsTheWorkedExampleToAnOrdinaryUser() {
    ParamPanelFixture p;
    QVERIFY(p.start());
    p.choose(p.workedExample());
    p.openEditor();
    ParamEditorPanel* editor = p.editor();
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

    QCOMPARE(shownNumbers(p), kWorkedExampleNumbers);
    QCOMPARE(p.edit(PC::Popcom)->text(), QString());
    QCOMPARE(p.edit(PC::PDate)->text(), QStringLiteral("01/01/2000 00:00:00"));
    QCOMPARE(p.combo(PC::PLangue)->currentText(), QStringLiteral("Francais"));
    QCOMPARE(p.combo(PC::Rmodef)->currentText(), QStringLiteral("Mesure Gamma uniquement"));
    QCOMPARE(p.combo(PC::Ralarm)->currentText(), QStringLiteral("Pas d'alarme"));
    QCOMPARE(p.combo(PC::Rmodef)->count(), 3);
    QCOMPARE(p.combo(PC::Ralarm)->count(), 2);
    QVERIFY(!p.combo(PC::PLangue)->isEditable());
    QVERIFY(p.redFields().isEmpty());

    QCOMPARE(p.edit(PC::Rdmesu)->toolTip(), QStringLiteral("Plage : 100 à 10000"));
    QCOMPARE(p.edit(PC::Ralsfmax)->toolTip(), QStringLiteral("Plage : Seuil min à 20000"));
    QCOMPARE(p.edit(PC::Ralsfc)->toolTip(), QStringLiteral("Plage : Seuil min à Seuil max"));
    QCOMPARE(p.edit(PC::Gbatar)->toolTip(), QStringLiteral("Plage : 180 à Tension batterie vide"));

    QCOMPARE(
        enabledControls(p),
        QStringList({"ComboBoxParamPLangue", "ComboBoxParamRalarm", "ComboBoxParamRmodef",
                     "EditParamGarret", "EditParamGfbeep", "EditParamPopcom", "EditParamRalsfc"}));

    // The communication time-out is never offered; the note stands on one page only.
    QVERIFY(p.control(PC::Gsci0t)->isHidden() && p.label(PC::Gsci0t)->isHidden());
    auto noteShown = [&](int page) {
        return !editor->findChild<QLabel*>(QStringLiteral("LabelNoteText%1").arg(page))->isHidden();
    };
    QVERIFY(noteShown(2) && !noteShown(3) && !noteShown(5));
    QCOMPARE(editor->findChild<QLabel*>("Label44")->text(),
             QStringLiteral("Temporisation fin d'alarme (ms)  (*)"));

    // "Annuler" closes without touching the file or the current file.
    p.type(PC::Popcom, "changed");
    QTest::mouseClick(buttonAnnuler(editor), Qt::LeftButton);
    QVERIFY(!editor->isVisible());
    QCOMPARE(fileBytes(editFichierParametres(p.panel())->text()),
             fixture::workedExampleBytes());
    // Entering maintenance mode does not unlock the fields of an editor opened before.
    p.f.main->setMaintenanceMode(true);
    QCOMPARE(enabledControls(p).size(), 7);
}

void TestParamPanel::maintenanceModeUnlocksTheLockedFields() {
    ParamPanelFixture p;
    QVERIFY(p.start());
    p.f.main->setMaintenanceMode(true);
    p.choose(p.workedExample());
    p.openEditor();
    QStringList all;
    for (int i = 0; i < kParamControlCount; ++i)
        if (static_cast<PC>(i) != PC::PDate)
            all << controlObjectName(static_cast<PC>(i));
    all.sort();
    QCOMPARE(enabledControls(p), all);
    QCOMPARE(shownNumbers(p), kWorkedExampleNumbers);
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
    ParamPanelFixture p;
    QVERIFY(p.start(version));
    QCOMPARE(groupBoxIdent(p.f.main)->softwareVersion().trimmed(), version);
    p.choose(p.workedExample());
    p.openEditor();
    for (std::size_t i = 0; i < kVersionDependentControls.size(); ++i) {
        const PC c = kVersionDependentControls[i];
        QCOMPARE(p.control(c)->isHidden(), !shown);
        QLabel* label =
            p.editor()->findChild<QLabel*>(QString::fromUtf16(kVersionDependentLabels[i]));
        QVERIFY(label);
        QCOMPARE(label->isHidden(), !shown);
    }
    QVERIFY(p.control(PC::Gsci0t)->isHidden());
    // Hidden settings still count: an out-of-range coefficient refuses the save, and the
    // refusal says which setting it is, and why the operator cannot see or change it.
    p.edit(PC::Gcoefs)->setText("11");
    QTest::mouseClick(buttonEnregistrer(p.editor()), Qt::LeftButton);
    QCOMPARE(p.answerer.messages,
             QStringList({msg(MsgId::BadParameters) + "\r\nCoefficient seuil dynamique" +
                          (shown ? " (maintenance)" : " (masqué)")}));
    QVERIFY(p.isRed(PC::Gcoefs));
}

void TestParamPanel::leavingAFieldRecolours() {
    ParamPanelFixture p;
    QVERIFY(p.start());
    p.f.main->setMaintenanceMode(true);
    p.choose(p.workedExample());
    p.openEditor();
    QVERIFY(activate(p.f.main.get()));
    pageControl(p.editor())->setCurrentIndex(1);

    p.type(PC::Rdmesu, "90");
    p.leave(PC::Rdmesu);
    QCOMPARE(p.redFields(), QStringList({"EditParamRdmesu"}));
    QCOMPARE(p.isRed(PC::Rtrack), false);
    QCOMPARE(p.edit(PC::Rtrack)->palette().color(QPalette::Text),
             QApplication::palette(p.edit(PC::Rtrack)).color(QPalette::Text));

    p.type(PC::Rdmesu, "10000");
    p.leave(PC::Rdmesu);
    QVERIFY(p.redFields().isEmpty());

    // An empty field is marked, and the check still reaches the fields after it.
    p.type(PC::Rtrack, "");
    p.leave(PC::Rtrack);
    p.edit(PC::Gfbeep)->setText("2501");
    p.leave(PC::Rmoyg1);
    QCOMPARE(p.redFields(), QStringList({"EditParamRtrack", "EditParamGfbeep"}));

    // The cross-field bounds mark the field that breaks them.
    p.edit(PC::Rtrack)->setText("99");
    p.edit(PC::Gfbeep)->setText("2500");
    pageControl(p.editor())->setCurrentIndex(2);
    p.type(PC::Ralsfmax, "49");
    p.leave(PC::Ralsfmax);
    QCOMPARE(p.redFields(), QStringList({"EditParamRalsfmax", "EditParamRalsfc"}));
    p.type(PC::Ralsfmax, "500");
    p.leave(PC::Ralsfmax);
    QVERIFY(p.redFields().isEmpty());

    // Reopening the editor clears the marks without checking.
    p.edit(PC::Gbatvi)->setText("201");
    p.leave(PC::Ralsfc);
    QCOMPARE(p.redFields(), QStringList({"EditParamGbatvi"}));
    QTest::mouseClick(buttonAnnuler(p.editor()), Qt::LeftButton);
    QStringList lines = fixture::workedExampleLines();
    lines[2].replace(33, 5, "00300"); // batar above batvi
    writeFileIn(p.f.dir, "configVEXA.dat", fixture::cp1252Bytes(lines));
    p.openEditor();
    QCOMPARE(p.edit(PC::Gbatar)->text(), QStringLiteral("00300"));
    QVERIFY(p.redFields().isEmpty());

    // Leaving the Initialisation panel's high-voltage field runs the same check on the
    // editor's fields, with the editor closed.
    QTest::mouseClick(buttonAnnuler(p.editor()), Qt::LeftButton);
    QVERIFY(p.redFields().isEmpty());
    p.f.main->MegaMenuMenuItemClick(2);
    QLineEdit* khtval = editParamKhtval(panelInitialisation(p.f.main));
    QVERIFY(khtval->isVisible());
    QVERIFY(activate(p.f.main.get()));
    khtval->setFocus();
    QTest::keyClick(khtval, Qt::Key_Tab);
    QCOMPARE(p.redFields(), QStringList({"EditParamGbatar"}));
}

void TestParamPanel::savingIsRefusedWhileAFieldIsRed() {
    ParamPanelFixture p;
    QVERIFY(p.start());
    const QString path = p.workedExample();
    p.choose(path);
    p.openEditor();
    p.edit(PC::Gfbeep)->setText("3000");
    QVERIFY(p.redFields().isEmpty()); // not checked until asked
    QTest::mouseClick(buttonEnregistrer(p.editor()), Qt::LeftButton);
    QCOMPARE(p.answerer.messages,
             QStringList({msg(MsgId::BadParameters) + "\r\nFréquence buzzer (Hz)"}));
    QCOMPARE(p.f.dialogs->asked, QList<DialogKind>({DialogKind::OpenConfig}));
    QCOMPARE(p.redFields(), QStringList({"EditParamGfbeep"}));
    QVERIFY(p.editor()->isVisible());
    QCOMPARE(fileBytes(path), fixture::workedExampleBytes());
    QCOMPARE(p.editor()->state().ChampsG[8], QStringLiteral("00050"));
}

void TestParamPanel::refusalNamesTheSettingsAtFault() {
    ParamPanelFixture p;
    QVERIFY(p.start(QStringLiteral("V2.05")));
    QStringList lines = fixture::workedExampleLines();
    lines[1].replace(9, 5, "01001");  // counting time 10010 ms: locked for an ordinary user
    lines[2].replace(51, 5, "03000"); // buzzer: the operator's to change
    lines[2].replace(57, 5, "00011"); // coefficient: hidden for this software version
    p.choose(p.writeFile("faulty.dat", fixture::cp1252Bytes(lines)));
    p.openEditor();
    QCOMPARE(pageControl(p.editor())->currentIndex(), 0);

    QTest::mouseClick(buttonEnregistrer(p.editor()), Qt::LeftButton);
    QCOMPARE(p.answerer.messages,
             QStringList({msg(MsgId::BadParameters) +
                          "\r\nTemps de comptage (ms)  (*) (maintenance)"
                          "\r\nFréquence buzzer (Hz)\r\nCoefficient seuil dynamique (masqué)"}));
    // The page of the first of them the operator can see.
    QCOMPARE(pageControl(p.editor())->currentIndex(), 1);
    QVERIFY(p.editor()->isVisible());
}

void TestParamPanel::hiddenEmptySettingsDoNotBlockTheSave() {
    ParamPanelFixture p;
    QVERIFY(p.start(QStringLiteral("V2.05")));
    // A "#G" record whose last fields are blank: lighting low threshold and coefficient,
    // both hidden for this version.
    QStringList lines = fixture::workedExampleLines();
    lines[2] = "#G 00010 00060 00000 00200 00200 00180 00000       00050      ";
    p.choose(p.writeFile("short.dat", fixture::cp1252Bytes(lines)));
    p.openEditor();
    QVERIFY(p.control(PC::Geclsb)->isHidden());

    const QString target = p.f.dir.filePath("saved.dat");
    p.save(target);
    QVERIFY(p.answerer.messages.isEmpty());
    QVERIFY(!p.editor()->isVisible());
    // Stored in range, at their lower bounds: zeros would refuse every later save of the
    // file over a coefficient (2 to 10) nobody can see.
    QCOMPARE(QString::fromLatin1(fileBytes(target)).split("\r\n").at(2),
             QStringLiteral("#G 00010 00060 00000 00200 00200 00180 00000 00000 00050 00002"));

    // The saved file saves again; an empty field the operator can see still refuses it.
    p.openEditor();
    p.save(target);
    QVERIFY(p.answerer.messages.isEmpty());
    p.openEditor();
    p.f.main->setMaintenanceMode(true);
    p.edit(PC::Gbatpl)->clear();
    QTest::mouseClick(buttonEnregistrer(p.editor()), Qt::LeftButton);
    QCOMPARE(p.answerer.messages,
             QStringList({msg(MsgId::BadParameters) +
                          "\r\nTension batterie pleine (1/100 V) (maintenance)"}));
}

void TestParamPanel::operatorTextCanBeTypedStraightAway() {
    ParamPanelFixture p;
    QVERIFY(p.start());
    p.choose(p.workedExample()); // its operator text is 20 blanks
    p.openEditor();
    QVERIFY(activate(p.f.main.get()));
    QLineEdit* popcom = p.edit(PC::Popcom);
    QTest::mouseClick(popcom, Qt::LeftButton);
    QTest::keyClicks(popcom, QStringLiteral("Jean"));
    QCOMPARE(popcom->text(), QStringLiteral("Jean"));

    const QString target = p.f.dir.filePath("jean.dat");
    p.save(target);
    QVERIFY(p.answerer.messages.isEmpty());
    QCOMPARE(fileBytes(target).mid(24, 20), QByteArray("Jean") + QByteArray(16, ' '));
}

void TestParamPanel::saveRoundTripMakesTheSavedFileCurrent() {
    ParamPanelFixture p;
    QVERIFY(p.start());
    p.f.main->setMaintenanceMode(true);
    const QString source = p.workedExample();
    p.choose(source);
    p.openEditor();
    p.editor()->setClock([] { return kSaveTime; });
    QVERIFY(activate(p.f.main.get()));

    p.type(PC::Popcom, "Dupont");
    p.combo(PC::PLangue)->setCurrentIndex(2);
    p.combo(PC::Rmodef)->setCurrentIndex(1);
    p.combo(PC::Ralarm)->setCurrentIndex(1);
    p.type(PC::Rdmesu, "115"); // stored as 12 tens of ms
    p.type(PC::Ralard, "25");  // 2.5 goes to the even 2
    p.type(PC::Garret, "120"); // zero-filled
    p.type(PC::Gfbeep, "440");

    const QString target = p.f.dir.filePath("parametres-de-la-campagne-2024.dat");
    p.save(target);
    QVERIFY(p.answerer.messages.isEmpty());
    QCOMPARE(p.f.dialogs->asked.last(), DialogKind::SaveConfig);
    QCOMPARE(p.f.dialogs->startPaths.last(), source); // proposes the current file
    QVERIFY(!p.editor()->isVisible());
    QCOMPARE(editFichierParametres(p.panel())->text(), target);
    QCOMPARE(fileBytes(source), fixture::workedExampleBytes());

    QStringList expected = fixture::workedExampleLines();
    expected[0] = u"#P parametres-de-la-cam " + QStringLiteral("Dupont").leftJustified(20) +
                  u" 07/03/2024 09:05:04 C";
    expected[1] = "#R 00001 00012 00001 00001 00001 00001 00050 00050 00050 00002";
    expected[2] = "#G 00010 00120 00000 00200 00200 00180 00000 00000 00440 00002";
    QCOMPARE(fileBytes(target), fixture::cp1252Bytes(expected));
    // The fields show what was stored.
    QCOMPARE(p.edit(PC::Rdmesu)->text(), QStringLiteral("120"));
    QCOMPARE(p.edit(PC::Ralard)->text(), QStringLiteral("20"));
    QCOMPARE(p.edit(PC::Popcom)->text(), QStringLiteral("Dupont"));

    // The editor now works on the saved file.
    p.openEditor();
    QCOMPARE(p.edit(PC::PDate)->text(), QStringLiteral("07/03/2024 09:05:04"));
    QCOMPARE(p.edit(PC::Garret)->text(), QStringLiteral("00120"));
    QCOMPARE(p.combo(PC::PLangue)->currentIndex(), 2);
    QCOMPARE(p.combo(PC::Rmodef)->currentIndex(), 1);

    // Saving over the current file itself.
    p.edit(PC::Gfbeep)->setText("50");
    p.save(target);
    expected[2] = "#G 00010 00120 00000 00200 00200 00180 00000 00000 00050 00002";
    QCOMPARE(fileBytes(target), fixture::cp1252Bytes(expected));
    QCOMPARE(editFichierParametres(p.panel())->text(), target);
}

void TestParamPanel::cancellingTheSaveDialogWritesNothing() {
    ParamPanelFixture p;
    QVERIFY(p.start());
    const QString source = p.workedExample();
    p.choose(source);
    p.openEditor();
    p.edit(PC::Gfbeep)->setText("440");
    p.save(std::nullopt);
    QCOMPARE(p.f.dialogs->asked.last(), DialogKind::SaveConfig);
    QVERIFY(p.editor()->isVisible());
    QCOMPARE(p.edit(PC::Gfbeep)->text(), QStringLiteral("440"));
    QCOMPARE(p.editor()->state().ChampsG[8], QStringLiteral("00050"));
    QCOMPARE(editFichierParametres(p.panel())->text(), source);
    QCOMPARE(fileBytes(source), fixture::workedExampleBytes());
    QCOMPARE(QDir(p.f.dir.path()).entryList({"*.dat"}), QStringList({"configVEXA.dat"}));

    // A target that cannot be written: reported, the editor stays open on the same file.
    p.save(p.f.dir.path()); // a folder
    QCOMPARE(p.answerer.errors.size(), 1);
    QVERIFY(p.editor()->isVisible());
    QCOMPARE(editFichierParametres(p.panel())->text(), source);
    QCOMPARE(fileBytes(source), fixture::workedExampleBytes());
}

void TestParamPanel::unreadableFileWhenOpeningTheEditor() {
    ParamPanelFixture p;
    QVERIFY(p.start());
    const QString path = p.workedExample();
    p.choose(path);
    p.openEditor();
    QTest::mouseClick(buttonAnnuler(p.editor()), Qt::LeftButton);
    p.edit(PC::Gfbeep)->setText("777");

    QVERIFY(QFile::remove(path));
    p.openEditor();
    QCOMPARE(p.answerer.errors.size(), 1);
    QVERIFY(p.answerer.errors.first().contains("configVEXA.dat"));
    QVERIFY(p.editor()->isVisible()); // shown before the file was read
    QCOMPARE(p.edit(PC::Gfbeep)->text(), QStringLiteral("777"));
}

void TestParamPanel::sendingFromTheWindow() {
    ParamPanelFixture p;
    QVERIFY(p.start());
    const QString path = p.workedExample();
    p.choose(path);

    // Values edited and not saved are not what goes out.
    p.openEditor();
    p.edit(PC::Gfbeep)->setText("440");
    QTest::mouseClick(buttonAnnuler(p.editor()), Qt::LeftButton);

    bool enabledAtMessage = true;
    bool portOpenAtMessage = true;
    p.answerer.onDialog = [&](const QString&) {
        enabledAtMessage = p.f.main->isEnabled();
        portOpenAtMessage = comPort(p.f.main).Connected();
    };
    p.sim.clearTranscript();
    QTest::mouseClick(buttonInit(p.panel()), Qt::LeftButton);
    QCOMPARE(p.answerer.messages, QStringList({msg(MsgId::SendDone)}));
    QVERIFY(!enabledAtMessage);
    QVERIFY(!portOpenAtMessage);
    QVERIFY(p.f.main->isEnabled());
    QVERIFY(!splashScreen()->isVisible());
    QVERIFY(!comPort(p.f.main).Connected());

    const QList<QByteArray> lines = [] {
        QList<QByteArray> out;
        for (const QString& line : fixture::workedExampleLines().mid(0, 4))
            out << toCp1252(line);
        return out;
    }();
    QCOMPARE(p.sim.receivedLines(), QList<QByteArray>({"#i"}) + lines);
    QCOMPARE(p.sim.instrument()->records("#P"), QList<QByteArray>({lines[0]}));
    QCOMPARE(p.sim.instrument()->records("#R"), QList<QByteArray>({lines[1]}));
    QCOMPARE(p.sim.instrument()->records("#G"), QList<QByteArray>({lines[2]}));
    QCOMPARE(p.sim.instrument()->records("#F"), QList<QByteArray>({lines[3]}));

    // An instrument gone quiet: told so, and the window is usable again.
    p.sim.setSilent(true);
    QTest::mouseClick(buttonInit(p.panel()), Qt::LeftButton);
    QVERIFY(p.answerer.waitForMessages(2));
    QCOMPARE(p.answerer.messages.last(), msg(MsgId::NoAnswer));
    QVERIFY(p.f.main->isEnabled());
    QVERIFY(!comPort(p.f.main).Connected());
}

void TestParamPanel::editsAcceptOnlyWhatTheFileCanHold() {
    ParamPanelFixture p;
    QVERIFY(p.start());
    p.f.main->setMaintenanceMode(true);
    p.choose(p.workedExample());
    p.openEditor();
    pageControl(p.editor())->setCurrentIndex(1);

    p.type(PC::Rdmesu, "12a3b4567");
    QCOMPARE(p.edit(PC::Rdmesu)->text(), QStringLiteral("12345"));
    // No sign: "+440" would pass the check and be stored as "0+440".
    p.type(PC::Rdmesu, "+-5 ");
    QCOMPARE(p.edit(PC::Rdmesu)->text(), QStringLiteral("5"));
    p.edit(PC::Rdmesu)->setText("1234567");
    QCOMPARE(p.edit(PC::Rdmesu)->text(), QStringLiteral("12345"));

    pageControl(p.editor())->setCurrentIndex(0);
    p.type(PC::Popcom, QStringLiteral("Équipe Nord — 12345678901234"));
    QCOMPARE(p.edit(PC::Popcom)->text(), QStringLiteral("Équipe Nord — 123456"));
    p.type(PC::Popcom, QStringLiteral("Ωmega"));
    QCOMPARE(p.edit(PC::Popcom)->text(), QStringLiteral("mega"));
    // A pasted text longer than the room left is cut to it, not dropped.
    p.edit(PC::Popcom)->selectAll();
    p.edit(PC::Popcom)->insert(QStringLiteral("Contrôle annuel du site nord, équipe B"));
    QCOMPARE(p.edit(PC::Popcom)->text(), QStringLiteral("Contrôle annuel du s"));

    // A file in UTF-8 may bring a character the record cannot carry: it is refused at save,
    // and can be removed.
    QStringList lines = fixture::workedExampleLines();
    lines[0].replace(24, 5, QStringLiteral("Ωmega"));
    const QString utf8 = p.writeFile("utf8.dat", "\xEF\xBB\xBF" + lines.join("\r\n").toUtf8());
    QTest::mouseClick(buttonAnnuler(p.editor()), Qt::LeftButton);
    p.choose(utf8);
    p.openEditor();
    QVERIFY(p.edit(PC::Popcom)->text().startsWith(QStringLiteral("Ωmega")));
    QTest::mouseClick(buttonEnregistrer(p.editor()), Qt::LeftButton);
    QCOMPARE(p.answerer.messages,
             QStringList({msg(MsgId::BadParameters) + "\r\nOpérateur / Commentaires"}));
    QCOMPARE(p.redFields(), QStringList({"EditParamPopcom"}));
    QLineEdit* popcom = p.edit(PC::Popcom);
    popcom->setFocus();
    popcom->home(false);
    QTest::keyClick(popcom, Qt::Key_Delete);
    QVERIFY(popcom->text().startsWith(QStringLiteral("mega")));
    p.save(p.f.dir.filePath("out.dat"));
    QVERIFY(QFile::exists(p.f.dir.filePath("out.dat")));
}

void TestParamPanel::languageChangeKeepsTheChoices() {
    ParamPanelFixture p;
    QVERIFY(p.start());
    p.combo(PC::PLangue)->setCurrentIndex(1);
    p.combo(PC::Ralarm)->setCurrentIndex(-1);
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QCoreApplication::processEvents();
    const QString langue = p.combo(PC::PLangue)->currentText();
    const QString tab = pageControl(p.editor())->tabText(1);
    const QString label = p.label(PC::Rdmesu)->text();
    const int alarm = p.combo(PC::Ralarm)->currentIndex();
    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::processEvents();
    QCOMPARE(langue, QStringLiteral("EN:Anglais (date au format jj/mm/aaaa)"));
    QCOMPARE(tab, QStringLiteral("EN: Mesure Gamma "));
    QCOMPARE(label, QStringLiteral("EN:Temps de comptage (ms)  (*)"));
    QCOMPARE(alarm, -1);
    QCOMPARE(p.combo(PC::PLangue)->currentText(),
             QStringLiteral("Anglais (date au format jj/mm/aaaa)"));
}

QTEST_MAIN(TestParamPanel)
#include "tst_parampanel.moc"
