#pragma once

#include "params/ParamCheck.h"
#include "params/ParamControls.h"
#include "params/ParamFile.h"

#include <QDateTime>
#include <QWidget>
#include <array>
#include <functional>

struct PanelContext;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

// "PanelParametres": the editor of a parameter file, five tabbed pages over the upper part
// of the "Paramétrage" panel. It shows the records of the current file in user units,
// marks values out of range in red, and saves the file back under a name the user picks.
class ParamEditorPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 597;
    static constexpr int kHeight = 337;
    static constexpr int kTop = 5;

    // `currentFile` gives the full path of the file the panel works on.
    ParamEditorPanel(PanelContext& context, std::function<QString()> currentFile,
                     QWidget* parent = nullptr);

    // "Editer le fichier": shows the editor, then loads the current file from disk and
    // shows its values, ranges, access and the settings the instrument uses. A file that
    // cannot be read raises once the editor is shown; the fields then keep what they had.
    void Open();

    // Leaving a checked field: checks all of them again and recolours.
    void EditParamExit();
    // Checks the fields, marks the offending ones; true when none is marked.
    bool TestParametres();
    void AfficherPlages();
    void AfficherParametres();
    void StockerParametres();
    void AccesParametres();
    void VisibiliteParametres();

    void ButtonEnregistrerClick();
    void ButtonAnnulerClick();

    // The records and ranges of the last load, as the last save stored them.
    const ParamState& state() const { return m_state; }

    // The clock the saved identification record is dated from.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    // What the next opening shows: which fields may be changed, and which settings the
    // instrument's software uses.
    void setMaintenanceMode(bool on) { m_maintenanceMode = on; }
    void setSoftwareVersion(const QString& version) { m_softwareVersion = version; }

Q_SIGNALS:
    // A save wrote `path`; it is now the current file.
    void fileSaved(const QString& path);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the controls hold, and putting values into them.
    EditorValues values() const;
    void setValues(const EditorValues& values);
    QWidget* control(ParamControl c) const;
    QLabel* label(ParamControl c) const { return m_labels[index(c)]; }

    void buildPages();
    // The check as the editor shows it, marks included.
    ParamCheck runCheck();
    // "Paramètres incorrects" and, a line each, the settings at fault, in page order.
    QString refusalMessage(const ParamCheck& check) const;
    // The controls from the first page to the last, top to bottom.
    static QList<ParamControl> readingOrder();
    static int pageOf(ParamControl c);
    void addRow(QWidget* page, int row, ParamControl c, QWidget* field);
    void addNote(QWidget* page, int pageIndex, bool visible);
    void retranslateUi();
    void clearMarks();

    PanelContext& m_context;
    bool m_maintenanceMode = false;
    // The identity box's software version caption.
    QString m_softwareVersion;
    std::function<QString()> m_currentFile;
    std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTime(); };
    ParamState m_state;
    // The fields the operator cannot see (for the version shown, or never offered).
    HiddenFields m_hidden{};

    QTabWidget* m_pageControl = nullptr;
    std::array<QLineEdit*, kCheckedFieldCount> m_numbers{};
    QLineEdit* m_popcom = nullptr;
    QLineEdit* m_date = nullptr;
    QComboBox* m_langue = nullptr;
    QComboBox* m_modef = nullptr;
    QComboBox* m_alarm = nullptr;
    std::array<QLabel*, kParamControlCount> m_labels{};
    // "(*)" and its explanation at the foot of three pages, by page.
    std::array<QLabel*, 5> m_noteMarks{};
    std::array<QLabel*, 5> m_noteTexts{};
    QPushButton* m_buttonAnnuler = nullptr;
    QPushButton* m_buttonEnregistrer = nullptr;
};
