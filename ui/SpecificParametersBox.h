#pragma once

#include "operations/SpecificParameters.h"

#include <QGroupBox>

struct PanelContext;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "GroupBoxHeader", the lower half of the Initialisation panel, shown in maintenance mode:
// the instrument's specific parameters, read from and written to the instrument, loaded
// from and saved to a ".par" file.
class SpecificParametersBox : public QGroupBox {
    Q_OBJECT
public:
    SpecificParametersBox(PanelContext& context, QWidget* parent);

    // Reads the specific parameters into the fields: how the "#k" exchange went.
    OperationResult readFromInstrument();
    // The same, as its number (kSpecificRead, kSpecificNoAnswer, ...).
    int LectureHeader();
    SpecificParameters specificParameters() const;
    void setSpecificParameters(const SpecificParameters& values);
    void retranslateUi();

Q_SIGNALS:
    // The HT or contrast field was left: the parameter editor checks its fields again.
    void specificNumberLeft();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void ButtonLireHeaderClick();
    void ButtonEcrireHeaderClick();
    void ButtonLoadHeaderClick();
    void ButtonSaveHeaderClick();

private:
    void buildFields();
    void buildButtons();

    PanelContext& m_context;

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
