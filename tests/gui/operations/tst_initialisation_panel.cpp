// The Initialisation panel in the real window: the clock edit following the computer's
// clock, setting the clock and erasing the memory from the buttons, and the specific
// parameters group with its edits and .par files.
#include "support/WindowTest.h"

#include "common/Messages.h"
#include "link/TComPort.h"
#include "ui/InstrumentPanel.h"
#include "ui/MegaMenu.h"

#include "support/TestFiles.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

// Types any text, characters outside Latin-1 included, key by key.
void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void sendFocus(QWidget* widget, QEvent::Type type) {
    QFocusEvent event(type, Qt::TabFocusReason);
    QCoreApplication::sendEvent(widget, &event);
}

const QByteArray kSection = "[VEXA Param\xE8tres sp\xE9"
                            "cifiques]\r\n";

} // namespace

class TestInitialisationPanel : public WindowTest {
    Q_OBJECT

private Q_SLOTS:
    void clockEditFollowsUntilEntered();
    void clockEditWithMissingDigitIsReported();
    void eraseHoldsButtonsUntilMessageClosed();
    void clockTypedAfterAnEraseIsTheOneSent();
    void specificGroupShownOnlyInMaintenanceAfterRead();
    void specificButtonsTalkToInstrument();
    void specificEditsAndParFiles();
    void specificFieldsHoldOnlyWhatTheLineCarries();

private:
    InstrumentPanel* panel() const { return panelInitialisation(window()); }
    // The computer's clock as the panel reads it, moved on by the tests.
    bool prepare() override {
        m_now = QDateTime(QDate(2015, 12, 8), QTime(13, 45, 0));
        window().setClock([this] { return m_now; });
        return true;
    }

    // Waits for the next tick of the clock; the panel, connected first, has seen it when
    // this returns true.
    bool clockTicked() const {
        QTimer* timer = timerHorloge(panel());
        QSignalSpy tick(timer, &QTimer::timeout);
        return tick.wait(3 * timer->interval());
    }
    // Whether the clock edit follows the computer's clock: moved on by a second, the clock
    // shows in the edit at the next tick.
    bool clockFollows() {
        m_now = m_now.addSecs(1);
        return clockTicked() && editHorlogeInit(panel())->text() ==
                                    m_now.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }

    QDateTime m_now;
};

void TestInitialisationPanel::clockEditFollowsUntilEntered() {
    // Nothing refreshes a clock edit before the panel is first shown: it is made then.
    QVERIFY(!window().findChild<QTimer*>(QStringLiteral("TimerHorloge")));

    chooseMenu(2);
    QLineEdit* edit = editHorlogeInit(panel());
    QCOMPARE(edit->maxLength(), 19);
    QCOMPARE(edit->text(), QStringLiteral("08/12/2015 13:45:00"));
    QCOMPARE(timerHorloge(panel())->interval(), 1000);

    m_now = m_now.addSecs(7);
    QTRY_COMPARE_WITH_TIMEOUT(edit->text(), QStringLiteral("08/12/2015 13:45:07"), 2500);

    // Entering the edit stops the refresh; leaving it does not restart it.
    sendFocus(edit, QEvent::FocusIn);
    sendFocus(edit, QEvent::FocusOut);
    m_now = m_now.addSecs(60);
    QVERIFY(clockTicked());
    QCOMPARE(edit->text(), QStringLiteral("08/12/2015 13:45:07"));
    QVERIFY(timerHorloge(panel())->isActive());

    // Leaving the panel stops the refresh nobody would see; choosing the entry again
    // starts it.
    chooseMenu(0);
    QVERIFY(!timerHorloge(panel())->isActive());
    chooseMenu(2);
    QVERIFY(timerHorloge(panel())->isActive());
    QCOMPARE(edit->text(), QStringLiteral("08/12/2015 13:46:07"));
    QVERIFY(clockFollows());

    // Only digits go into the fourteen positions.
    edit->clear();
    QCOMPARE(edit->displayText(), QStringLiteral("__/__/____ __:__:__"));
    edit->setFocus();
    edit->setCursorPosition(0);
    QTest::keyClicks(edit, QStringLiteral("0a1"));
    QCOMPARE(edit->displayText(), QStringLiteral("01/__/____ __:__:__"));
}

void TestInitialisationPanel::clockEditWithMissingDigitIsReported() {
    chooseMenu(2);
    QLineEdit* edit = editHorlogeInit(panel());
    sendFocus(edit, QEvent::FocusIn);
    edit->setText(QStringLiteral("08/12/2015 1"));
    sim().clearTranscript();

    QTest::mouseClick(buttonHorloge(panel()), Qt::LeftButton);

    // The error names the text as the edit shows it, untyped positions as blanks.
    QCOMPARE(answerer().errors.size(), 1);
    QVERIFY2(answerer().errors.first().contains(QStringLiteral("'08/12/2015 1 :  :  '")),
             qPrintable(answerer().errors.first()));
    QVERIFY(answerer().messages.isEmpty());
    QCOMPARE(sim().receivedLines(), (QList<QByteArray>{"#i", "#p"}));
    QVERIFY(!comPort(window()).Connected());

    // Still usable: a whole date goes out in the order the instrument wants.
    sim().instrument()->setLanguageCode('C');
    edit->setText(QStringLiteral("24/12/2016 07:08:09"));
    QTest::mouseClick(buttonHorloge(panel()), Qt::LeftButton);
    QCOMPARE(answerer().messages, QStringList{msg(MsgId::ClockDone)});
    QCOMPARE(sim().instrument()->clockText(), QByteArray(" 12/24/2016 07:08:09 "));
    QVERIFY(!comPort(window()).Connected());
}

void TestInitialisationPanel::eraseHoldsButtonsUntilMessageClosed() {
    sim().instrument()->generateMemory(2, 4);
    chooseMenu(2);
    InstrumentPanel* p = panel();
    bool buttonsDisabled = false;
    bool busyPointer = false;
    answerer().onDialog = [&](const QString&) {
        buttonsDisabled = !buttonHorloge(p)->isEnabled() && !buttonEffacer(p)->isEnabled();
        busyPointer = true;
        for (QWidget* w : {static_cast<QWidget*>(p), static_cast<QWidget*>(buttonEffacer(p)),
                           static_cast<QWidget*>(groupBoxEffacement(p)),
                           static_cast<QWidget*>(groupBoxHorloge(p))})
            busyPointer = busyPointer && w->testAttribute(Qt::WA_SetCursor) &&
                          w->cursor().shape() == Qt::WaitCursor;
    };

    // Clicked with the focus on it, as a real click leaves it: the clock must go on
    // following (the disabled button's focus must not land in the clock edit).
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    buttonEffacer(p)->setFocus();
    QVERIFY(clockFollows());
    QTest::mouseClick(buttonEffacer(p), Qt::LeftButton);

    QCOMPARE(answerer().messages, QStringList{msg(MsgId::EraseDone)});
    QVERIFY(clockFollows());
    QVERIFY(buttonsDisabled);
    QVERIFY(busyPointer);
    QVERIFY(sim().instrument()->storedLines().isEmpty());
    QVERIFY(buttonHorloge(p)->isEnabled());
    QVERIFY(buttonEffacer(p)->isEnabled());
    QVERIFY(!p->testAttribute(Qt::WA_SetCursor));
    QVERIFY(!comPort(window()).Connected());

    // A silent instrument: the same restoration, with the no-answer message.
    sim().setSilent(true);
    QTest::mouseClick(buttonEffacer(p), Qt::LeftButton);
    QCOMPARE(answerer().messages.last(), msg(MsgId::NoAnswer));
    QVERIFY(buttonEffacer(p)->isEnabled());
    QVERIFY(!groupBoxHorloge(p)->testAttribute(Qt::WA_SetCursor));
}

void TestInitialisationPanel::clockTypedAfterAnEraseIsTheOneSent() {
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    chooseMenu(2);
    InstrumentPanel* p = panel();
    QTest::mouseClick(buttonEffacer(p), Qt::LeftButton);
    QCOMPARE(answerer().messages, QStringList{msg(MsgId::EraseDone)});
    // The window manager gives the window back the keyboard once the message has gone,
    // and with it the focus to whichever control Qt picks.
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), buttonEffacer(p));
    QVERIFY(clockFollows());

    // Given the focus by the window itself (as when it comes to the front with nothing
    // focused), the edit goes on following; the operator's click then raises no focus event.
    QLineEdit* edit = editHorlogeInit(p);
    edit->setFocus(Qt::ActiveWindowFocusReason);
    QVERIFY(clockFollows());
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(3, edit->height() / 2));
    QVERIFY(edit->hasFocus());
    edit->setCursorPosition(0);
    QTest::keyClicks(edit, QStringLiteral("24122016070809"));
    QCOMPARE(edit->text(), QStringLiteral("24/12/2016 07:08:09"));
    // A tick of the clock must not take the typed date back.
    m_now = m_now.addSecs(5);
    QVERIFY(clockTicked());
    QCOMPARE(edit->text(), QStringLiteral("24/12/2016 07:08:09"));

    sim().clearTranscript();
    QTest::mouseClick(buttonHorloge(p), Qt::LeftButton);
    QCOMPARE(answerer().messages.last(), msg(MsgId::ClockDone));
    QCOMPARE(sim().receivedLines().last(), QByteArray("#D 24/12/2016 07:08:09"));
}

void TestInitialisationPanel::specificGroupShownOnlyInMaintenanceAfterRead() {
    TFormMain& w = window();
    // Outside maintenance the group stays hidden, though the instrument was read.
    sim().clearTranscript();
    chooseMenu(2);
    QGroupBox* group = groupBoxHeader(panel());
    QVERIFY(panel()->isVisible());
    QVERIFY(!group->isVisible());
    QCOMPARE(sim().receivedLines(), (QList<QByteArray>{"#i", "#i", "#k"}));

    w.setMaintenanceMode(true);
    chooseMenu(2);
    QVERIFY(group->isVisible());
    QCOMPARE(editParamKserie(panel())->text(), QStringLiteral("VX0123") + QString(10, u' '));
    QCOMPARE(editParamKhtval(panel())->text(), QStringLiteral("0800"));
    QVERIFY(answerer().messages.isEmpty());

    // An error number: hidden, nothing said. Error 0: shown, fields untouched.
    editParamKserie(panel())->setText(QStringLiteral("typed"));
    sim().setErrorReply("#k", 7);
    chooseMenu(2);
    QVERIFY(!group->isVisible());
    QVERIFY(answerer().messages.isEmpty());
    sim().clearErrorReplies();
    sim().setErrorReply("#k", 0);
    chooseMenu(2);
    QVERIFY(group->isVisible());
    QCOMPARE(editParamKserie(panel())->text(), QStringLiteral("typed"));

    // "#k" unanswered: the panel is shown all the same, with the message.
    sim().clearErrorReplies();
    sim().scriptReply("#k", "");
    chooseMenu(2);
    QCOMPARE(answerer().messages, QStringList{msg(MsgId::CommError)});
    QVERIFY(panel()->isVisible());
    QVERIFY(!group->isVisible());

    // A maintenance character that is no number: error report, port closed, panel shown.
    sim().instrument()->setSpecificLine(sim().instrument()->specificLine().left(55) + 'x');
    chooseMenu(2);
    QCOMPARE(answerer().errors.size(), 1);
    QVERIFY(!comPort(w).Connected());
    QVERIFY(panel()->isVisible());
}

void TestInitialisationPanel::specificButtonsTalkToInstrument() {
    TFormMain& w = window();
    w.setMaintenanceMode(true);
    chooseMenu(2);
    InstrumentPanel* p = panel();

    // The fields as they stand go to the instrument and come back from it.
    groupBoxHeader(p)->setSpecificParameters({QStringLiteral("123"), QStringLiteral("045/112"),
                                              QStringLiteral("800"), QStringLiteral("512"), true});
    QTest::mouseClick(buttonEcrireHeader(p), Qt::LeftButton);
    groupBoxHeader(p)->setSpecificParameters({});
    QTest::mouseClick(buttonLireHeader(p), Qt::LeftButton);
    QCOMPARE(editParamKserie(p)->text(), QStringLiteral("123") + QString(13, u' '));
    QCOMPARE(editParamKhtval(p)->text(), QStringLiteral("0800"));
    QVERIFY(editParamKMaint(p)->isChecked());

    sim().setErrorReply("#k", 5);
    QTest::mouseClick(buttonLireHeader(p), Qt::LeftButton);
    sim().setSilent(true);
    QTest::mouseClick(buttonLireHeader(p), Qt::LeftButton);
    QCOMPARE(answerer().messages, (QStringList{msg(MsgId::SpecificWriteDone), msg(MsgId::ReadDone),
                                               msg(MsgId::UnknownCommand), msg(MsgId::NoAnswer)}));
    QVERIFY(!comPort(w).Connected());
}

void TestInitialisationPanel::specificEditsAndParFiles() {
    TFormMain& w = window();
    w.setMaintenanceMode(true);
    chooseMenu(2);
    InstrumentPanel* p = panel();
    QSignalSpy exits(p, &InstrumentPanel::specificNumberLeft);

    // HT and contrast: whole numbers of at most 4 typed characters; leaving them runs the
    // editor's field check.
    editParamKhtval(p)->clear();
    QTest::keyClicks(editParamKhtval(p), QStringLiteral("9x87654"));
    QCOMPARE(editParamKhtval(p)->text(), QStringLiteral("9876"));
    sendFocus(editParamKhtval(p), QEvent::FocusOut);
    sendFocus(editParamKcontr(p), QEvent::FocusOut);
    sendFocus(editParamKserie(p), QEvent::FocusOut);
    QCOMPARE(exits.count(), 2);

    // A file's values go in as they are, HT and contrast cut to 4; the box stays.
    editParamKMaint(p)->setChecked(true);
    const QString loaded = dir().filePath(QStringLiteral("in.par"));
    QVERIFY(writeFileBytes(
        loaded, kSection + "SN=ABCDEFGHIJKLMNOPQRST\r\nPM=P/1\r\nPWM=123456\r\nCONTR=x\r\n"));
    dialogs().answers = {loaded};
    QTest::mouseClick(buttonLoadHeader(p), Qt::LeftButton);
    QVERIFY(answerer().messages.isEmpty());
    QCOMPARE(dialogs().asked.last(), DialogKind::OpenSpecific);
    QCOMPARE(editParamKserie(p)->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    QCOMPARE(editParamKhtval(p)->text(), QStringLiteral("1234"));
    QCOMPARE(editParamKcontr(p)->text(), QStringLiteral("x"));
    QVERIFY(editParamKMaint(p)->isChecked());

    // The number came longer than 16 from the file: typing may shorten it, not lengthen it.
    QLineEdit* serial = editParamKserie(p);
    serial->setFocus();
    serial->end(false);
    QTest::keyClicks(serial, QStringLiteral("U"));
    QCOMPARE(serial->text().size(), 20);
    QTest::keyClick(serial, Qt::Key_Backspace);
    QTest::keyClicks(serial, QStringLiteral("V"));
    QCOMPARE(serial->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRS"));
    serial->clear();
    QTest::keyClicks(serial, QStringLiteral("0123456789ABCDEFGH"));
    QCOMPARE(serial->text(), QStringLiteral("0123456789ABCDEF"));

    // Saved and loaded back; the box is never stored.
    const QString saved = dir().filePath(QStringLiteral("out.par"));
    dialogs().answers = {saved};
    QTest::mouseClick(buttonSaveHeader(p), Qt::LeftButton);
    QCOMPARE(answerer().messages, QStringList{kFileSavedMessage});
    QCOMPARE(dialogs().asked.last(), DialogKind::SaveSpecific);
    groupBoxHeader(p)->setSpecificParameters({});
    dialogs().answers = {saved};
    QTest::mouseClick(buttonLoadHeader(p), Qt::LeftButton);
    QCOMPARE(groupBoxHeader(p)->specificParameters(),
             (SpecificParameters{QStringLiteral("0123456789ABCDEF"), QStringLiteral("P/1"),
                                 QStringLiteral("1234"), QStringLiteral("x"), false}));

    // A file without CONTR is refused and changes nothing; a cancelled dialog neither.
    const QString bad = dir().filePath(QStringLiteral("bad.par"));
    QVERIFY(writeFileBytes(bad, kSection + "SN=1\r\nPM=2\r\nPWM=3\r\n"));
    dialogs().answers = {bad, std::nullopt};
    QTest::mouseClick(buttonLoadHeader(p), Qt::LeftButton);
    QCOMPARE(answerer().messages.last(), msg(MsgId::InvalidFile));
    QTest::mouseClick(buttonLoadHeader(p), Qt::LeftButton);
    QCOMPARE(answerer().messages.size(), 2);
    QCOMPARE(editParamKserie(p)->text(), QStringLiteral("0123456789ABCDEF"));
    QVERIFY(answerer().errors.isEmpty());
}

void TestInitialisationPanel::specificFieldsHoldOnlyWhatTheLineCarries() {
    TFormMain& w = window();
    w.setMaintenanceMode(true);
    chooseMenu(2);
    InstrumentPanel* p = panel();

    // A sign would be zero-filled into the line as "0-80".
    for (QLineEdit* edit : {editParamKhtval(p), editParamKcontr(p)}) {
        edit->clear();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("-80"));
        QCOMPARE(edit->text(), QStringLiteral("80"));
    }
    // A character the 8-bit line cannot carry would reach the instrument as "?".
    for (QLineEdit* edit : {editParamKserie(p), editParamKscint(p)}) {
        edit->clear();
        edit->setFocus();
        typeText(edit, QStringLiteral("A\u4E2D\u00E9B"));
        QCOMPARE(edit->text(), QStringLiteral("A\u00E9B"));
    }

    // Nor from a file: refused with the character named, the fields unchanged.
    const SpecificParameters before = groupBoxHeader(p)->specificParameters();
    const QString loaded = dir().filePath(QStringLiteral("utf8.par"));
    QVERIFY(writeFileBytes(loaded, "\xEF\xBB\xBF[VEXA Param\xC3\xA8tres sp\xC3\xA9"
                                   "cifiques]\r\nSN=N\xC2\xB0 7\r\nPM=\xE4\xB8\xAD/1\r\n"
                                   "PWM=800\r\nCONTR=512\r\n"));
    dialogs().answers = {loaded};
    QTest::mouseClick(buttonLoadHeader(p), Qt::LeftButton);
    QCOMPARE(answerer().messages,
             QStringList{msg(MsgId::UnsendableCharacter).arg(QStringLiteral("\u4E2D"))});
    QCOMPARE(groupBoxHeader(p)->specificParameters(), before);

    // What goes out is what the fields show.
    sim().clearTranscript();
    QTest::mouseClick(buttonEcrireHeader(p), Qt::LeftButton);
    QCOMPARE(sim().instrument()->specificLine().mid(3, 20),
             QByteArray("SN: A\xE9") + "B" + QByteArray(13, ' '));
    QCOMPARE(sim().instrument()->specificLine().mid(45, 9), QByteArray("0080 0080"));
}

QTEST_MAIN(TestInitialisationPanel)
#include "tst_initialisation_panel.moc"
