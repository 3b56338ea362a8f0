#pragma once

#include "params/ParamFixture.h"
#include "support/WindowTest.h"
#include "ui/MegaMenu.h"
#include "ui/ParameterEditorPanel.h"
#include "ui/ParameterFilePanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The base of the tests of the "Paramétrage" panel: the real main window on that panel,
// talking to a simulated instrument, with parameter files in the window's folder.
class ParamPanelTest : public WindowTest {
protected:
    bool prepare() override {
        if (!megaMenu(window())->isEnabled())
            return false;
        chooseMenu(3);
        return panel()->isVisible() && answerer().messages.isEmpty();
    }
    // Starts again with an instrument of that software version.
    bool restartWithVersion(const QString& softwareVersion) {
        return restart([&](InstrumentSimulator& sim) {
            InstrumentSimulator::Identity id;
            id.softwareVersion = softwareVersion;
            sim.instrument()->setIdentity(id);
        });
    }

    ParameterFilePanel* panel() const { return panelHeader(window()); }
    ParameterEditorPanel* editor() const { return panelParametres(panel()); }
    QWidget* control(ParamControl c) const {
        return parts::child<QWidget>(editor(), controlObjectName(c));
    }
    QLabel* label(ParamControl c) const {
        return parts::child<QLabel>(editor(), labelObjectName(c));
    }
    QLineEdit* edit(ParamControl c) const { return qobject_cast<QLineEdit*>(control(c)); }
    QComboBox* combo(ParamControl c) const { return qobject_cast<QComboBox*>(control(c)); }

    QString writeFile(const QString& name, const QByteArray& bytes) const {
        return writeFileIn(dir(), name, bytes);
    }
    QString workedExample(const QString& name = QStringLiteral("configVEXA.dat")) const {
        return writeFile(name, fixture::workedExampleBytes());
    }

    // "..." answered with `path` (or cancelled).
    void choose(const std::optional<QString>& path) {
        dialogs().answers.push_back(path);
        QTest::mouseClick(buttonSelectFichierParametres(panel()), Qt::LeftButton);
    }
    void openEditor() { QTest::mouseClick(buttonEdit(panel()), Qt::LeftButton); }
    void save(const std::optional<QString>& path) {
        dialogs().answers.push_back(path);
        QTest::mouseClick(buttonEnregistrer(editor()), Qt::LeftButton);
    }

    // Types `text` over the field's content, as a user who selected it all.
    void type(ParamControl c, const QString& text) {
        QLineEdit* field = edit(c);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        // One key press per character, the character as its text (any script).
        for (QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    // Moves the keyboard on to another field, as Tab does.
    void leave(ParamControl c) { QTest::keyClick(edit(c), Qt::Key_Tab); }

    bool isRed(ParamControl c) const {
        return control(c)->palette().color(QPalette::Text) == QColor(255, 0, 0);
    }
    QStringList redFields() const {
        QStringList red;
        for (int i = 0; i < kParamControlCount; ++i)
            if (isRed(static_cast<ParamControl>(i)))
                red << controlObjectName(static_cast<ParamControl>(i));
        return red;
    }
};
