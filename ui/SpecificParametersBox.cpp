#include "ui/SpecificParametersBox.h"

#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "ui/FileDialogs.h"
#include "ui/Handlers.h"
#include "ui/PanelContext.h"
#include "ui/PanelControls.h"
#include "ui/TypedTextValidator.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SpecificParametersBox::SpecificParametersBox(PanelContext& context, QWidget* parent)
    : QGroupBox(parent), m_context(context) {
    styleGroup(this, "GroupBoxHeader", QRect(10, 114, 610, 250));
    buildFields();
    buildButtons();
    keepOrdinaryWeight(this);
    hide();
    // Each field is named after the caption beside it, for a screen reader.
    const std::pair<QLabel*, QWidget*> captions[] = {{m_label3, m_editParamKserie},
                                                     {m_label5, m_editParamKscint},
                                                     {m_label6, m_editParamKhtval},
                                                     {m_label7, m_editParamKcontr},
                                                     {m_label12, m_editParamKMaint}};
    for (const auto& [caption, field] : captions)
        caption->setBuddy(field);
}

void SpecificParametersBox::buildFields() {
    m_label3 = makeLabel(this, "Label3", 16, 34, 150);
    m_editParamKserie = makeEdit(this, "EditParamKserie", 170, 31, 170);
    m_label5 = makeLabel(this, "Label5", 16, 70, 150);
    m_editParamKscint = makeEdit(this, "EditParamKscint", 170, 67, 170);
    m_label6 = makeLabel(this, "Label6", 16, 106, 150);
    m_editParamKhtval = makeEdit(this, "EditParamKhtval", 170, 103, 60);
    m_label7 = makeLabel(this, "Label7", 16, 142, 150);
    m_editParamKcontr = makeEdit(this, "EditParamKcontr", 170, 139, 60);
    m_label12 = makeLabel(this, "Label12", 16, 178, 150);
    m_editParamKMaint = new QCheckBox(this);
    m_editParamKMaint->setObjectName(QStringLiteral("EditParamKMaint"));
    m_editParamKMaint->setGeometry(170, 176, 20, 20);

    for (QLineEdit* edit : {m_editParamKserie, m_editParamKscint})
        edit->setValidator(new TypedTextValidator(edit, kSpecificTypedTextLimit));
    for (QLineEdit* edit : {m_editParamKhtval, m_editParamKcontr}) {
        // The length limit also cuts a longer text the program puts in.
        edit->setMaxLength(kSpecificNumberLength);
        edit->setValidator(newDigitsValidator(edit));
        edit->installEventFilter(this);
    }
    setSpecificParameters(kInitialSpecificFields);
}

void SpecificParametersBox::buildButtons() {
    m_buttonLireHeader = makeButton(this, "ButtonLireHeader", 400, 29, 180);
    m_buttonEcrireHeader = makeButton(this, "ButtonEcrireHeader", 400, 65, 180);
    m_buttonLoadHeader = makeButton(this, "ButtonLoadHeader", 400, 137, 180);
    m_buttonSaveHeader = makeButton(this, "ButtonSaveHeader", 400, 173, 180);
    OperationGate& gate = m_context.gate;
    connectOperation(m_buttonLireHeader, &QPushButton::clicked, this,
                     &SpecificParametersBox::ButtonLireHeaderClick, gate);
    connectOperation(m_buttonEcrireHeader, &QPushButton::clicked, this,
                     &SpecificParametersBox::ButtonEcrireHeaderClick, gate);
    connectOperation(m_buttonLoadHeader, &QPushButton::clicked, this,
                     &SpecificParametersBox::ButtonLoadHeaderClick, gate);
    connectOperation(m_buttonSaveHeader, &QPushButton::clicked, this,
                     &SpecificParametersBox::ButtonSaveHeaderClick, gate);
}

void SpecificParametersBox::retranslateUi() {
    setTitle(tr(" Paramètres spécifiques "));
    m_label3->setText(tr("Numéro d'instrument"));
    m_label5->setText(tr("PM/Scintillateur"));
    m_label6->setText(tr("Réglage HT (Volts)"));
    m_label7->setText(tr("Contraste (0-1023)"));
    m_label12->setText(tr("Maintenance"));
    m_buttonLireHeader->setText(tr("Lire Instrument"));
    m_buttonEcrireHeader->setText(tr("Ecrire Instrument"));
    m_buttonLoadHeader->setText(tr("Charger Fichier"));
    m_buttonSaveHeader->setText(tr("Enregistrer Fichier"));
    // Read out without the blanks that set the caption off from the frame.
    setAccessibleName(title().trimmed());
}

bool SpecificParametersBox::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_editParamKhtval || watched == m_editParamKcontr) &&
        event->type() == QEvent::FocusOut)
        Q_EMIT specificNumberLeft();
    return QGroupBox::eventFilter(watched, event);
}

SpecificParameters SpecificParametersBox::specificParameters() const {
    return {m_editParamKserie->text(), m_editParamKscint->text(), m_editParamKhtval->text(),
            m_editParamKcontr->text(), m_editParamKMaint->isChecked()};
}

void SpecificParametersBox::setSpecificParameters(const SpecificParameters& values) {
    TypedTextValidator::setProgramText(m_editParamKserie, values.serialNumber);
    TypedTextValidator::setProgramText(m_editParamKscint, values.pmReference);
    m_editParamKhtval->setText(values.highVoltage);
    m_editParamKcontr->setText(values.contrast);
    m_editParamKMaint->setChecked(values.maintenance);
}

OperationResult SpecificParametersBox::readFromInstrument() {
    const SpecificReading reading = readSpecificParameters(m_context.exchange);
    if (reading.values)
        setSpecificParameters(*reading.values);
    return reading.result;
}

int SpecificParametersBox::LectureHeader() {
    return ::LectureHeader(readFromInstrument());
}

void SpecificParametersBox::ButtonLireHeaderClick() {
    m_context.feedback.showInformation(outcomeMessage(readFromInstrument()));
}

void SpecificParametersBox::ButtonEcrireHeaderClick() {
    writeSpecificParameters(m_context.exchange, m_context.feedback, specificParameters());
}

void SpecificParametersBox::ButtonLoadHeaderClick() {
    const auto chosen = m_context.dialogs.execute(DialogKind::OpenSpecific);
    if (!chosen)
        return;
    const auto values = loadSpecificParameterFile(*chosen);
    if (!values) {
        m_context.feedback.showInformation(msg(MsgId::InvalidFile));
        return;
    }
    // What the instrument would receive must be what the fields show.
    if (const auto c = firstUnsendableCharacter(*values)) {
        m_context.feedback.showInformation(msg(MsgId::UnsendableCharacter).arg(*c));
        return;
    }
    // The maintenance box is the instrument's business, never a file's.
    SpecificParameters fields = *values;
    fields.maintenance = m_editParamKMaint->isChecked();
    setSpecificParameters(fields);
}

void SpecificParametersBox::ButtonSaveHeaderClick() {
    const auto chosen = m_context.dialogs.execute(DialogKind::SaveSpecific);
    if (!chosen)
        return;
    saveSpecificParameterFile(*chosen, specificParameters());
    m_context.feedback.showInformation(kFileSavedMessage);
}
