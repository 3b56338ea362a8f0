#include "ui/TransferPanel.h"

#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "link/CommandExchange.h"
#include "ui/FileDialogs.h"
#include "ui/Handlers.h"
#include "ui/PanelContext.h"

#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

TransferPanel::TransferPanel(PanelContext& context, QWidget* parent)
    : QWidget(parent), m_context(context) {
    setObjectName(QStringLiteral("PanelLecture"));

    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(20, 14, 400, 17);

    m_editFichierMesures = new QLineEdit(this);
    m_editFichierMesures->setObjectName(QStringLiteral("EditFichierMesures"));
    m_editFichierMesures->setGeometry(20, 34, 548, 22);
    m_editFichierMesures->setReadOnly(true);

    m_buttonSelectFichierMesures = new QPushButton(this);
    m_buttonSelectFichierMesures->setObjectName(QStringLiteral("ButtonSelectFichierMesures"));
    m_buttonSelectFichierMesures->setGeometry(574, 33, 36, 24);
    connectOperation(m_buttonSelectFichierMesures, &QPushButton::clicked, this,
                     &TransferPanel::ButtonSelectFichierMesuresClick, m_context.gate);

    m_buttonLecture = new QPushButton(this);
    m_buttonLecture->setObjectName(QStringLiteral("ButtonLecture"));
    m_buttonLecture->setGeometry(20, 66, 120, 26);
    m_buttonLecture->setEnabled(false);
    connectOperation(m_buttonLecture, &QPushButton::clicked, this,
                     &TransferPanel::ButtonLectureClick, m_context.gate);

    m_memoLecture = new LectureMemo(this);
    m_memoLecture->setGeometry(20, 102, 590, 258);
    // A caret the arrows move, so that the lines can be read one by one (and by a screen
    // reader), not only scrolled.
    m_memoLecture->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                           Qt::TextSelectableByKeyboard);

    retranslateUi();
}

void TransferPanel::retranslateUi() {
    m_label1->setText(tr("Sélectionner un fichier :"));
    m_buttonSelectFichierMesures->setText(tr("..."));
    m_buttonLecture->setText(tr("Transfert"));
    m_editFichierMesures->setAccessibleName(tr("Fichier résultat"));
    m_memoLecture->setAccessibleName(tr("Mesures transférées"));
}

void TransferPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void TransferPanel::entryStep() {
    // Always in the dialog's start folder, whatever was chosen since.
    const QString name =
        proposedResultFileName(m_context.dialogs.initialDir(DialogKind::SaveResult), m_clock());
    m_context.dialogs.setFileName(DialogKind::SaveResult, name);
    m_editFichierMesures->setText(name);
}

void TransferPanel::enableTransfer() {
    m_buttonLecture->setEnabled(true);
}

void TransferPanel::ButtonSelectFichierMesuresClick() {
    if (const auto chosen = m_context.dialogs.execute(DialogKind::SaveResult)) {
        m_editFichierMesures->setText(*chosen);
        // The dialog asked before choosing an existing file.
        m_confirmedFile = *chosen;
    }
}

void TransferPanel::ButtonLectureClick() {
    const QString path = m_editFichierMesures->text();
    // The proposed name changes only once a minute: a second transfer in the same minute
    // (another instrument, say) would silently replace the results of the first. What the
    // operator confirmed in the dialog holds for the next transfer only.
    const bool confirmed = std::exchange(m_confirmedFile, QString()) == path;
    if (!confirmed && QFileInfo::exists(path) &&
        !m_context.feedback.askQuestion(msg(MsgId::ReplaceResultFile).arg(path)))
        return;
    MeasurementTransfer transfer(m_context.exchange, m_context.feedback, m_memoLecture);
    transfer.Run(path);
}
