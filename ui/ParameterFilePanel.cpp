#include "ui/ParameterFilePanel.h"

#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "link/CommandExchange.h"
#include "params/ParamFile.h"
#include "params/ParamSender.h"
#include "ui/FileDialogs.h"
#include "ui/Handlers.h"
#include "ui/PanelContext.h"
#include "ui/ParameterEditorPanel.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

ParameterFilePanel::ParameterFilePanel(PanelContext& context, QWidget* parent)
    : QWidget(parent), m_context(context) {
    setObjectName(QStringLiteral("PanelHeader"));
    resize(630, 375);

    // Only a caption for the file field below.
    m_edit1 = new QLineEdit(this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setGeometry(20, 12, 400, 20);
    m_edit1->setFrame(false);
    m_edit1->setReadOnly(true);
    m_edit1->setFocusPolicy(Qt::NoFocus);

    m_editFichierParametres = new QLineEdit(this);
    m_editFichierParametres->setObjectName(QStringLiteral("EditFichierParametres"));
    m_editFichierParametres->setGeometry(20, 34, 548, 22);
    m_editFichierParametres->setReadOnly(true);

    m_buttonSelectFichierParametres = new QPushButton(this);
    m_buttonSelectFichierParametres->setObjectName(QStringLiteral("ButtonSelectFichierParametres"));
    m_buttonSelectFichierParametres->setGeometry(574, 33, 36, 24);
    connectHandler(m_buttonSelectFichierParametres, &QPushButton::clicked, this,
                   &ParameterFilePanel::ButtonSelectFichierParametresClick);

    m_buttonEdit = new QPushButton(this);
    m_buttonEdit->setObjectName(QStringLiteral("ButtonEdit"));
    m_buttonEdit->setGeometry(20, 70, 160, 26);
    m_buttonEdit->setEnabled(false);
    connectHandler(m_buttonEdit, &QPushButton::clicked, this, &ParameterFilePanel::ButtonEditClick);

    m_buttonInit = new QPushButton(this);
    m_buttonInit->setObjectName(QStringLiteral("ButtonInit"));
    m_buttonInit->setGeometry(190, 70, 160, 26);
    m_buttonInit->setEnabled(false);
    connectOperation(m_buttonInit, &QPushButton::clicked, this,
                     &ParameterFilePanel::ButtonInitClick, m_context.gate);

    m_panelParametres = new ParameterEditorPanel(
        context, [this] { return m_editFichierParametres->text(); }, this);
    connect(m_panelParametres, &ParameterEditorPanel::fileSaved, m_editFichierParametres,
            &QLineEdit::setText);
    m_panelParametres->installEventFilter(this);

    retranslateUi();
}

void ParameterFilePanel::retranslateUi() {
    m_edit1->setText(tr("Sélectionner un fichier :"));
    // A caption drawn as a field; assistive technology takes it for one all the same.
    m_edit1->setAccessibleName(m_edit1->text());
    m_buttonSelectFichierParametres->setText(tr("..."));
    m_buttonEdit->setText(tr("Editer le fichier"));
    m_buttonInit->setText(tr("Envoyer les paramètres"));
    m_editFichierParametres->setAccessibleName(tr("Fichier paramètres"));
}

void ParameterFilePanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

bool ParameterFilePanel::eventFilter(QObject* watched, QEvent* event) {
    // The editor closing with the focus inside: the keyboard goes back to the button that
    // opened it, before the toolkit sends it to whatever follows in the tab order.
    if (watched == m_panelParametres && event->type() == QEvent::Hide &&
        m_panelParametres->isHidden() && m_panelParametres->isAncestorOf(window()->focusWidget()) &&
        m_buttonEdit->isEnabled())
        m_buttonEdit->setFocus(Qt::OtherFocusReason);
    return QWidget::eventFilter(watched, event);
}

bool ParameterFilePanel::editorOpen() const {
    return m_panelParametres->isVisible();
}

void ParameterFilePanel::entryStep() {
    m_panelParametres->hide();
    m_editFichierParametres->clear();
    m_buttonInit->setEnabled(false);
    m_buttonEdit->setEnabled(false);
}

void ParameterFilePanel::ButtonSelectFichierParametresClick() {
    if (editorOpen())
        return;
    const auto chosen = m_context.dialogs.execute(DialogKind::OpenConfig);
    if (!chosen)
        return;
    if (isValidParameterFile(*chosen)) {
        m_editFichierParametres->setText(*chosen);
        m_buttonInit->setEnabled(true);
        m_buttonEdit->setEnabled(true);
    } else {
        // The earlier file stays open for editing, but is no longer offered for sending.
        m_buttonInit->setEnabled(false);
        m_context.feedback.showInformation(msg(MsgId::InvalidFile));
    }
}

void ParameterFilePanel::ButtonEditClick() {
    if (editorOpen())
        return;
    m_panelParametres->Open();
}

void ParameterFilePanel::ButtonInitClick() {
    if (editorOpen())
        return;
    ParamSender(m_context.exchange, m_context.feedback).send(m_editFichierParametres->text());
}
