#pragma once

#include "params/ParamCheck.h"
#include "params/ParamControls.h"
#include "params/ParamFile.h"

#include <QDateTime>
#include <QWidget>
#include <array>
#include <functional>

struct PanelContext;
class ParameterEditorPages;
class QPushButton;

// "PanelParametres": the editor of a parameter file, five tabbed pages over the upper part
// of the "Paramétrage" panel. It shows the records of the current file in user units,
// marks values out of range in red, and saves the file back under a name the user picks.
class ParameterEditorPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 597;
    static constexpr int kHeight = 337;
    static constexpr int kTop = 5;

    // `currentFile` gives the full path of the file the panel works on.
    ParameterEditorPanel(PanelContext& context, std::function<QString()> currentFile,
                         QWidget* parent = nullptr);

    // "Editer le fichier": shows the editor, then loads the current file from disk and
    // shows its values, ranges, access and the settings the instrument uses. A file that
    // cannot be read raises once the editor is shown; the fields then keep what they had.
    void Open();

    // Checks the fields, marks the offending ones; true when none is marked.
    bool TestParametres();
    void AfficherPlages();
    void AfficherParametres();
    void StockerParametres();
    void AccesParametres();
    void VisibiliteParametres();

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
    // Tab goes round the editor's own controls: those of the panel beneath are covered.
    bool focusNextPrevChild(bool next) override;

private Q_SLOTS:
    // Leaving a checked field: checks all of them again and recolours.
    void EditParamExit();
    void ButtonEnregistrerClick();
    void ButtonAnnulerClick();

private:
    // Tab from the page tabs down the page shown, then "Annuler" and "Enregistrer".
    void orderTabStops();
    // The check as the editor shows it, marks included.
    ParamCheck runCheck();
    // "Paramètres incorrects" and, a line each, the settings at fault, in page order.
    QString refusalMessage(const ParamCheck& check) const;
    void retranslateUi();

    PanelContext& m_context;
    bool m_maintenanceMode = false;
    // The identity box's software version caption.
    QString m_softwareVersion;
    std::function<QString()> m_currentFile;
    std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTime(); };
    ParamState m_state;
    // The fields the operator cannot see (for the version shown, or never offered).
    HiddenFields m_hidden{};

    ParameterEditorPages* m_pageControl = nullptr;
    QPushButton* m_buttonAnnuler = nullptr;
    QPushButton* m_buttonEnregistrer = nullptr;
};
