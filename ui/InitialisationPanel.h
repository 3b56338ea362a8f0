#pragma once

#include "operations/SpecificParameters.h"

#include <QDateTime>
#include <QWidget>
#include <functional>

struct PanelContext;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The "PanelInitialisation" panel: the instrument's clock, the erasing of its memory and,
// in maintenance mode, its specific parameters.
class InitialisationPanel : public QWidget {
    Q_OBJECT
public:
    InitialisationPanel(PanelContext& context, QWidget* parent = nullptr);

    // What the menu entry does once the panel is shown: the clock edit follows the
    // computer's clock again, then the specific parameters are read.
    void EntryStep();

    // The clock the edit follows.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    // The specific parameters are shown only in maintenance mode.
    void setMaintenanceMode(bool on) { m_maintenanceMode = on; }

    // Clock and memory
    void EditHorlogeInitEnter();
    void TimerHorlogeTimer();
    void ButtonHorlogeClick();
    void ButtonEffacerClick();
    bool SuiviHorloge() const { return m_suiviHorloge; }

    // Specific parameters
    int LectureHeader();
    void ButtonLireHeaderClick();
    void ButtonEcrireHeaderClick();
    void ButtonLoadHeaderClick();
    void ButtonSaveHeaderClick();
    SpecificParameters specificParameters() const;
    void setSpecificParameters(const SpecificParameters& values);

Q_SIGNALS:
    // The HT or contrast field was left: the parameter editor checks its fields again.
    void specificNumberLeft();

protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void holdWhileErasing(class RestoreGuard& restore);
    void buildClockGroup();
    void buildEraseGroup();
    void buildSpecificGroup();
    void retranslateUi();
    QString clockEditText() const;

    PanelContext& m_context;
    bool m_maintenanceMode = false;
    std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTime(); };
    bool m_suiviHorloge = false;

    QGroupBox* m_groupBoxHorloge = nullptr;
    QLabel* m_label11 = nullptr;
    QLineEdit* m_editHorlogeInit = nullptr;
    QPushButton* m_buttonHorloge = nullptr;
    QTimer* m_timerHorloge = nullptr;

    QGroupBox* m_groupBoxEffacement = nullptr;
    QLabel* m_label2 = nullptr;
    QPushButton* m_buttonEffacer = nullptr;

    QGroupBox* m_groupBoxHeader = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label5 = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_label7 = nullptr;
    QLabel* m_label12 = nullptr;
    QLineEdit* m_editParamKserie = nullptr;
    QLineEdit* m_editParamKscint = nullptr;
    QLineEdit* m_editParamKhtval = nullptr;
    QLineEdit* m_editParamKcontr = nullptr;
    QCheckBox* m_editParamKMaint = nullptr;
    QPushButton* m_buttonLireHeader = nullptr;
    QPushButton* m_buttonEcrireHeader = nullptr;
    QPushButton* m_buttonLoadHeader = nullptr;
    QPushButton* m_buttonSaveHeader = nullptr;
};
