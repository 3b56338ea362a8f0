// What assistive technology is told: every control an operator can use has a name, on
// every panel and dialog, and the texts read out are the ones meant (no padding blanks, the
// ranges of the editor's fields).
#include "support/InstrumentWindowFixture.h"

#include "common/Messages.h"
#include "params/ParamFixture.h"

#include <QAccessible>
#include <QtTest>

namespace {

bool isInteractive(QAccessibleInterface* iface) {
    switch (iface->role()) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::PageTab:
    case QAccessible::Link:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
        return true;
    default:
        return iface->state().focusable;
    }
}

QString describe(QAccessibleInterface* iface) {
    const QObject* object = iface->object() ? iface->object() : iface->parent()->object();
    return QStringLiteral("%1 %2%3 (role %4)")
        .arg(object->objectName(), QString::fromLatin1(object->metaObject()->className()),
             iface->object() ? QString() : QStringLiteral("'s child"))
        .arg(int(iface->role()));
}

// Walks what is shown of `window`'s accessibility tree; the interactive parts without a
// name, or whose name is padded with blanks.
QStringList badlyNamed(QWidget* window) {
    QStringList unnamed;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* iface) {
        if (!iface || iface->state().invisible)
            return;
        const QString name = iface->text(QAccessible::Name);
        if (isInteractive(iface) && (name.trimmed().isEmpty() || name.trimmed() != name))
            unnamed.append(describe(iface) + u" '" + name + u'\'');
        for (int i = 0; i < iface->childCount(); ++i)
            walk(iface->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    return unnamed;
}

QString nameOf(QObject* object) {
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void promptWithoutInstrument();
    void everyPanelAndTheEditor();
    void passwordAndMessageDialogs();
};

void TestAccessibility::promptWithoutInstrument() {
    MainWindowFixture f;
    DialogAnswerer answerer;
    f.create();
    QVERIFY(answerer.waitForMessages(1));
    QVERIFY(panelInfoConnexion(f.main)->isVisible());
    QCOMPARE(badlyNamed(f.main.get()), QStringList());
    // Named in their own language; the tool-tips stay as they were.
    QCOMPARE(nameOf(buttonLangueFr(f.main)), QStringLiteral("Français"));
    QCOMPARE(nameOf(buttonLangueEn(f.main)), QStringLiteral("English"));
    QCOMPARE(buttonLangueFr(f.main)->toolTip(), QStringLiteral("Francais"));
    QVERIFY(!nameOf(parts::child<QLabel>(f.main.get(), "Image3")).isEmpty());
    QVERIFY(!nameOf(imageWait(f.main)).isEmpty());
}

void TestAccessibility::everyPanelAndTheEditor() {
    WithInstrument rig;
    QVERIFY(rig.start());
    TFormMain& w = *rig.f.main;
    w.setMaintenanceMode(true); // every group of every panel shown
    for (int entry = 0; entry < 4; ++entry) {
        chooseMenuEntry(w, entry);
        QVERIFY(rig.answerer.errors.isEmpty());
        QCOMPARE(isShown(w, "GroupBoxHeader"), entry == 2);
        QVERIFY2(badlyNamed(&w).isEmpty(),
                 qPrintable(QString::number(entry) + u": " + badlyNamed(&w).join(u", ")));
    }
    rig.f.dialogs->answers.push_back(
        writeFileIn(rig.f.dir, QStringLiteral("c.dat"), fixture::workedExampleBytes()));
    buttonSelectFichierParametres(w)->click();
    buttonEdit(w)->click();
    ParameterEditorPanel* editor = panelParametres(w);
    QVERIFY(editor->isVisible());
    for (int page = 0; page < pageControl(editor)->count(); ++page) {
        pageControl(editor)->setCurrentIndex(page);
        QVERIFY2(badlyNamed(&w).isEmpty(),
                 qPrintable(QString::number(page) + u": " + badlyNamed(&w).join(u", ")));
    }
    // The range of a field is its description, as its tool-tip shows it.
    auto* dmesu = parts::child<QLineEdit>(editor, "EditParamRdmesu");
    QVERIFY(dmesu->toolTip().startsWith(msg(MsgId::RangePrefix)));
    QCOMPARE(QAccessible::queryAccessibleInterface(dmesu)->text(QAccessible::Description),
             dmesu->toolTip());
    QCOMPARE(nameOf(dmesu), QStringLiteral("Temps de comptage (ms)  (*)"));
}

void TestAccessibility::passwordAndMessageDialogs() {
    WithInstrument rig;
    QVERIFY(rig.start());
    rig.answerer.clear();
    chooseMenuEntry(rig.f.main, 4);
    QVERIFY(rig.f.password->isVisible());
    QCOMPARE(badlyNamed(rig.f.password.get()), QStringList());
    QCOMPARE(nameOf(editPassword(rig.f.password)), QStringLiteral("Mot de passe"));

    // The message read out without the blanks that centre it; shown with them.
    QStringList unnamed;
    QString spoken, shown;
    rig.answerer.onDialog = [&](const QString&) {
        auto* info = qobject_cast<MessageDialogInfo*>(QApplication::activeModalWidget());
        unnamed = badlyNamed(info);
        spoken = nameOf(info);
        shown = parts::child<QLabel>(info, "caption")->text();
    };
    buttonOK(rig.f.password)->click();
    QCOMPARE(rig.answerer.messages, QStringList{msg(MsgId::WrongPassword)});
    QCOMPARE(unnamed, QStringList());
    QCOMPARE(spoken, QStringLiteral("Mot de passe incorrect"));
    QCOMPARE(shown, msg(MsgId::WrongPassword));

    // A question, and a message of two lines, each line trimmed.
    rig.f.password->close();
    auto* feedback = operatorFeedback(rig.f.main);
    rig.answerer.answers = {false};
    feedback->askQuestion(msg(MsgId::ReplaceResultFile).arg(QStringLiteral("/tmp/r.txt")));
    QCOMPARE(unnamed, QStringList());
    QCOMPARE(spoken,
             QStringLiteral("Le fichier /tmp/r.txt existe déjà.\nVoulez-vous le remplacer ?"));
    feedback->showInformation(msg(MsgId::SendDone));
    QCOMPARE(spoken, QStringLiteral("Paramétrage terminé\nDéconnectez le Vexameter"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
