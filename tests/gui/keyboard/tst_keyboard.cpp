// Every operation of the program from start-up with the keyboard alone: keys go to the
// control that has the focus, dialogs are answered with keys, files are chosen through the
// scripted file dialogs (the system's file dialog is not the program's own).
#include "gui/keyboard/KeyboardOperator.h"
#include "support/MainWindowFixture.h"

#include "common/Messages.h"
#include "params/ParamFixture.h"
#include "sim/InstrumentSimulator.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTabBar>
#include <QtTest>

namespace {

QWidget* focused() {
    return QApplication::focusWidget();
}

QString focusedName() {
    return focused() ? focused()->objectName() : QStringLiteral("<nothing>");
}

// Waits for the next tick of the clock edit's refresh; the panel, connected first, has seen
// it when this returns true.
bool clockTicked(const TFormMain* main) {
    QSignalSpy tick(timerHorloge(main), &QTimer::timeout);
    return tick.wait(3 * timerHorloge(main)->interval());
}

// Whether the clock edit follows the clock `now` stands for: moved on by a second, the
// time shows in the edit at the next tick.
bool clockFollows(const TFormMain* main, QDateTime& now) {
    now = now.addSecs(1);
    return clockTicked(main) &&
           editHorlogeInit(main)->text() == now.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void menuBarByKeys();
    void disabledMenuBarIgnoresItsKeys();
    void transferByKeys();
    void clockByKeys();
    void passwordThenEditorSaveAndSendByKeys();

private:
    // Starts the window on the simulator; the detection message is answered by Enter.
    bool start();

    std::unique_ptr<InstrumentSimulator> m_sim;
    std::unique_ptr<MainWindowFixture> m_f;
    std::unique_ptr<KeyboardOperator> m_operator;
};

void TestKeyboard::init() {
    m_sim = std::make_unique<InstrumentSimulator>();
    m_f = std::make_unique<MainWindowFixture>();
    m_operator = std::make_unique<KeyboardOperator>();
}

void TestKeyboard::cleanup() {
    m_f.reset();
    m_operator.reset();
    m_sim.reset();
}

bool TestKeyboard::start() {
    m_sim->start();
    m_f->ports = {m_sim->slavePath()};
    m_f->create();
    return m_operator->waitForMessages(1) && megaMenu(m_f->main)->isEnabled();
}

void TestKeyboard::menuBarByKeys() {
    QVERIFY(start());
    QDateTime now(QDate(2015, 12, 8), QTime(13, 45, 0));
    m_f->main->setClock([&now] { return now; });
    // Found: the keyboard waits on the menu bar.
    QTRY_COMPARE(focused(), menuEntry(m_f->main, 0));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(menuEntry(m_f->main, i)->toolTip(), QStringLiteral("Touche F%1").arg(5 + i));

    PRESS(Qt::Key_Left); // round to the last entry
    QTRY_COMPARE(focused(), menuEntry(m_f->main, 4));
    PRESS(Qt::Key_Home);
    PRESS(Qt::Key_Right);
    QTRY_COMPARE(focused(), menuEntry(m_f->main, 1));
    PRESS(Qt::Key_Return);
    QVERIFY(panelLecture(m_f->main)->isVisible());
    QTRY_COMPARE(focused(), editFichierMesures(m_f->main));

    // The bar is one stop of the tab order, at the entry last chosen.
    PRESS(Qt::Key_Backtab);
    QTRY_COMPARE(focused(), menuEntry(m_f->main, 1));
    PRESS(Qt::Key_Right);
    PRESS(Qt::Key_Space);
    QVERIFY(panelInitialisation(m_f->main)->isVisible());
    // Given the focus by the window, the clock edit goes on following the computer's clock,
    // and Tab passing through it does not stop it.
    QTRY_COMPARE(focused(), editHorlogeInit(m_f->main));
    QVERIFY(clockFollows(m_f->main.get(), now));
    PRESS(Qt::Key_Tab);
    QTRY_COMPARE(focused(), buttonHorloge(m_f->main));
    QVERIFY(clockFollows(m_f->main.get(), now));

    // A function key chooses from anywhere; the home panel's tab order goes down its main
    // column before the language corner.
    PRESS(Qt::Key_F5);
    QTRY_VERIFY(panelAccueil(m_f->main)->isVisible());
    QVERIFY(groupBoxIdent(m_f->main)->isVisible());
    QTRY_COMPARE(focusedName(), QStringLiteral("LienNorvane"));
    PRESS(Qt::Key_Tab);
    QTRY_COMPARE(focused(), buttonLangueFr(m_f->main));
    PRESS(Qt::Key_Tab);
    QTRY_COMPARE(focused(), buttonLangueEn(m_f->main));
    PRESS(Qt::Key_Tab);
    QTRY_COMPARE(focused(), menuEntry(m_f->main, 0));
    QVERIFY(m_operator->withoutKeyboard.isEmpty());
}

void TestKeyboard::disabledMenuBarIgnoresItsKeys() {
    m_f->create(); // no instrument anywhere
    QVERIFY(m_operator->waitForMessages(1));
    QVERIFY(!megaMenu(m_f->main)->isEnabled());
    // The one thing left to do has the keyboard.
    QTRY_COMPARE(focused(), buttonConnexion(m_f->main));
    for (Qt::Key key : {Qt::Key_F6, Qt::Key_F9}) {
        PRESS(key);
        QTest::qWait(150);
        QVERIFY(panelAccueil(m_f->main)->isVisible());
        QVERIFY(!m_f->password->isVisible());
    }
    // Enter presses "Connexion": the search runs again, and now finds the instrument.
    m_sim->start();
    m_f->ports = {m_sim->slavePath()};
    PRESS(Qt::Key_Return);
    QVERIFY(m_operator->waitForMessages(2));
    QVERIFY(megaMenu(m_f->main)->isEnabled());
    QTRY_COMPARE(focused(), menuEntry(m_f->main, 0));
}

void TestKeyboard::transferByKeys() {
    m_sim->instrument()->generateMemory(2, 3);
    QVERIFY(start());
    const QString result = m_f->dir.filePath(QStringLiteral("mesures.txt"));
    PRESS(Qt::Key_F6);
    QTRY_VERIFY(isShown(m_f->main, "PanelLecture"));
    QTRY_COMPARE(focused(), editFichierMesures(m_f->main));
    PRESS(Qt::Key_Tab);
    m_f->dialogs->answers.push_back(result);
    PRESS(Qt::Key_Return); // "..."
    QCOMPARE(editFichierMesures(m_f->main)->text(), result);
    PRESS(Qt::Key_Tab);
    QTRY_COMPARE(focused(), buttonLecture(m_f->main));
    m_operator->answers = {Qt::Key_Escape}; // closes the message as "Ok" does
    PRESS(Qt::Key_Return);
    QCOMPARE(m_operator->messages.last(), msg(MsgId::ReadDone));
    QCOMPARE(memoLecture(m_f->main)->lines().size(), 2 + m_sim->instrument()->storedLines().size());
    QVERIFY(QFile::exists(result));
    // The window was disabled meanwhile; the keyboard is back on "Transfert".
    QTRY_COMPARE(focused(), buttonLecture(m_f->main));

    // Again into the same file: asked first, and Enter means "Non".
    m_sim->clearTranscript();
    PRESS(Qt::Key_Return);
    QCOMPARE(m_operator->questions.size(), 1);
    QVERIFY(m_sim->receivedLines().isEmpty());
    QTRY_COMPARE(focused(), buttonLecture(m_f->main));
    QVERIFY(m_operator->withoutKeyboard.isEmpty());
}

void TestKeyboard::clockByKeys() {
    QVERIFY(start());
    PRESS(Qt::Key_F7);
    QTRY_VERIFY(isShown(m_f->main, "PanelInitialisation"));
    QTRY_COMPARE(focused(), editHorlogeInit(m_f->main));
    // Typing is entering the edit: it stops following, and the typed date holds.
    TYPE(QStringLiteral("24122016070809"));
    QVERIFY(clockTicked(m_f->main.get()));
    QCOMPARE(editHorlogeInit(m_f->main)->text(), QStringLiteral("24/12/2016 07:08:09"));
    PRESS(Qt::Key_Tab);
    m_sim->clearTranscript();
    PRESS(Qt::Key_Return);
    QCOMPARE(m_operator->messages.last(), msg(MsgId::ClockDone));
    QCOMPARE(m_sim->instrument()->clockText(), QByteArray(" 24/12/2016 07:08:09"));
    QTRY_COMPARE(focused(), buttonHorloge(m_f->main));

    // The erase too; its button gets the keyboard back once its message is closed.
    PRESS(Qt::Key_Tab);
    QTRY_COMPARE(focused(), buttonEffacer(m_f->main));
    PRESS(Qt::Key_Return);
    QCOMPARE(m_operator->messages.last(), msg(MsgId::EraseDone));
    QVERIFY(m_sim->receivedLines().contains("#I"));
    QTRY_COMPARE(focused(), buttonEffacer(m_f->main));
    QVERIFY(m_operator->withoutKeyboard.isEmpty());
}

void TestKeyboard::passwordThenEditorSaveAndSendByKeys() {
    QVERIFY(start());
    PRESS(Qt::Key_F9);
    QTRY_VERIFY(m_f->password->isVisible());
    QTRY_COMPARE(focused(), editPassword(m_f->password));
    TYPE(QStringLiteral("morvel"));
    PRESS(Qt::Key_Tab);
    QTRY_COMPARE(focused(), buttonAnnuler(m_f->password));
    PRESS(Qt::Key_Tab);
    QTRY_COMPARE(focused(), buttonOK(m_f->password));
    PRESS(Qt::Key_Return);
    QCOMPARE(m_operator->messages.last(), msg(MsgId::WrongPassword));
    // Back in the emptied field, ready for another try, though "OK" was used.
    QTRY_COMPARE(focused(), editPassword(m_f->password));
    QVERIFY(editPassword(m_f->password)->text().isEmpty());
    TYPE(QStringLiteral("morvel52"));
    PRESS(Qt::Key_Return);
    QVERIFY(m_f->main->MaintenanceMode());
    QVERIFY(!m_f->password->isVisible());
    QTRY_COMPARE(focused(), menuEntry(m_f->main, 4));

    // Escape is "Annuler": closed, and the instrument searched for again.
    PRESS(Qt::Key_F9);
    QTRY_VERIFY(m_f->password->isVisible());
    m_sim->clearTranscript();
    PRESS(Qt::Key_Escape);
    QVERIFY(!m_f->password->isVisible());
    QVERIFY(m_f->main->isEnabled());
    QCOMPARE(m_sim->receivedLines(), QList<QByteArray>{"#i"});

    const QString source =
        writeFileIn(m_f->dir, QStringLiteral("configVEXA.dat"), fixture::workedExampleBytes());
    const QString saved = m_f->dir.filePath(QStringLiteral("operateur.dat"));
    PRESS(Qt::Key_F8);
    QTRY_VERIFY(isShown(m_f->main, "PanelHeader"));
    QTRY_COMPARE(focused(), editFichierParametres(m_f->main));
    PRESS(Qt::Key_Tab);
    m_f->dialogs->answers.push_back(source);
    PRESS(Qt::Key_Return); // "..."
    PRESS(Qt::Key_Tab);
    QTRY_COMPARE(focused(), buttonEdit(m_f->main));
    PRESS(Qt::Key_Return);
    ParameterEditorPanel* editor = panelParametres(m_f->main);
    QVERIFY(editor->isVisible());
    // On the first field that may be changed: the date above it may not.
    QTRY_COMPARE(focusedName(), QStringLiteral("EditParamPopcom"));

    // Tab goes round the editor, never under it.
    QWidgetList stops;
    for (int i = 0; i < 12; ++i) {
        PRESS(Qt::Key_Tab);
        QVERIFY2(editor->isAncestorOf(focused()), qPrintable(focusedName()));
        stops.append(focused());
    }
    QCOMPARE(stops.first()->objectName(), QStringLiteral("ComboBoxParamPLangue"));
    QCOMPARE(stops.at(1), buttonAnnuler(editor));
    QCOMPARE(stops.at(2), buttonEnregistrer(editor));
    QCOMPARE(stops.at(3), pageControl(editor)->tabBar());
    QCOMPARE(stops.at(4)->objectName(), QStringLiteral("EditParamPopcom"));

    // An operator text, then a page further on: the mode list, changed by the arrows.
    while (focusedName() != QStringLiteral("EditParamPopcom"))
        PRESS(Qt::Key_Tab);
    TYPE(QStringLiteral("Dupont"));
    PRESS(Qt::Key_Backtab); // over the date, which cannot be changed
    QTRY_COMPARE(focused(), pageControl(editor)->tabBar());
    PRESS(Qt::Key_Right);
    QCOMPARE(pageControl(editor)->currentIndex(), 1);
    PRESS(Qt::Key_Tab);
    QTRY_COMPARE(focusedName(), QStringLiteral("ComboBoxParamRmodef"));
    PRESS(Qt::Key_Down);
    QCOMPARE(qobject_cast<QComboBox*>(focused())->currentIndex(), 1);

    // "Enregistrer le fichier", one step back round from the page tabs.
    PRESS(Qt::Key_Backtab);
    PRESS(Qt::Key_Backtab);
    QTRY_COMPARE(focused(), buttonEnregistrer(editor));
    m_f->dialogs->answers.push_back(saved);
    PRESS(Qt::Key_Return);
    QVERIFY(!editor->isVisible());
    QCOMPARE(editFichierParametres(m_f->main)->text(), saved);
    // Back on the button that opened the editor; sending is the next stop.
    QTRY_COMPARE(focused(), buttonEdit(m_f->main));
    PRESS(Qt::Key_Tab);
    QTRY_COMPARE(focused(), buttonInit(m_f->main));
    m_sim->clearTranscript();
    PRESS(Qt::Key_Return);
    QCOMPARE(m_operator->messages.last(), msg(MsgId::SendDone));
    const QList<QByteArray> sent = m_sim->receivedLines();
    QVERIFY(sent.size() >= 5);
    QVERIFY2(sent.at(1).startsWith("#P operateur.dat") && sent.at(1).contains(" Dupont  "),
             sent.at(1).constData());
    QVERIFY2(sent.at(2).startsWith("#R 00001 "), sent.at(2).constData());
    QTRY_COMPARE(focused(), buttonInit(m_f->main));
    QVERIFY(m_operator->withoutKeyboard.isEmpty());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
