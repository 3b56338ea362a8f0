#pragma once

#include <QWidget>

struct PanelContext;
class QLineEdit;
class QPushButton;
class ParameterEditorPanel;

// The "PanelHeader" panel ("Paramétrage"): choice of a parameter file, its editor, and the sending
// of its records to the instrument.
class ParameterFilePanel : public QWidget {
    Q_OBJECT
public:
    ParameterFilePanel(PanelContext& context, QWidget* parent = nullptr);

    // What the menu entry does once the panel is shown: closes the editor and forgets the
    // file.
    void entryStep();

    ParameterEditorPanel* panelParametres() const { return m_panelParametres; }

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void ButtonSelectFichierParametresClick();
    void ButtonEditClick();
    void ButtonInitClick();

private:
    void retranslateUi();
    // While the editor is open it covers the file choice and both buttons.
    bool editorOpen() const;

    PanelContext& m_context;

    QLineEdit* m_edit1 = nullptr;
    QLineEdit* m_editFichierParametres = nullptr;
    QPushButton* m_buttonSelectFichierParametres = nullptr;
    QPushButton* m_buttonEdit = nullptr;
    QPushButton* m_buttonInit = nullptr;
    ParameterEditorPanel* m_panelParametres = nullptr;
};
