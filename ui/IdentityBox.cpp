#include "ui/IdentityBox.h"

#include "ui/Theme.h"

#include <QEvent>
#include <QLabel>

namespace {

QLabel* makeLabel(QWidget* parent, int x, int y, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->move(x, y);
    return label;
}

} // namespace

IdentityBox::IdentityBox(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("GroupBoxIdent"));
    setGeometry(26, 285, 583, 121);
    setStyleSheet(QStringLiteral("#GroupBoxIdent { border: 1px solid %1; border-radius: 6px;"
                                 " margin-top: 7px; background: white; }"
                                 "#GroupBoxIdent::title { subcontrol-origin: margin; left: 10px;"
                                 " padding: 0 2px; color: %2; font-weight: bold; }")
                      .arg(theme::css(theme::groupFrame()), theme::css(theme::title())));
    m_labelDescription = makeLabel(this, 20, 26, "LabelDescription");
    QFont bold = font();
    bold.setBold(true);
    m_labelDescription->setFont(bold);
    m_captionSN = makeLabel(this, 20, 45, "LabelCaptionSN");
    m_labelSN = makeLabel(this, 120, 45, "LabelSN");
    m_captionPN = makeLabel(this, 20, 64, "LabelCaptionPN");
    m_labelPN = makeLabel(this, 120, 64, "LabelPN");
    m_captionPM = makeLabel(this, 20, 83, "LabelCaptionPM");
    m_labelPM = makeLabel(this, 120, 83, "LabelPM");
    m_captionLN = makeLabel(this, 346, 83, "LabelCaptionLN");
    m_labelLN = makeLabel(this, 446, 83, "LabelLN");
    m_captionDN = makeLabel(this, 346, 63, "LabelCaptionDN");
    m_labelDN = makeLabel(this, 446, 64, "LabelDN");
    // The parameter file the instrument reports is never shown.
    m_captionDN->hide();
    m_labelDN->hide();
    for (QLabel* value : {m_labelDescription, m_labelSN, m_labelPN, m_labelPM, m_labelLN}) {
        value->resize(value == m_labelDescription ? 540 : 220, 17);
        value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    hide();
    retranslateUi();
}

void IdentityBox::retranslateUi() {
    setTitle(tr(" Identification de l'instrument "));
    setAccessibleName(title().trimmed());
    m_captionSN->setText(tr("Numéro de série : "));
    m_captionPN->setText(tr("Référence produit :"));
    m_captionPM->setText(tr("Référence PM :"));
    m_captionLN->setText(tr("Version du logiciel : "));
    m_captionDN->setText(tr("Fichier Paramètres : "));
    for (QLabel* caption : {m_captionSN, m_captionPN, m_captionPM, m_captionLN, m_captionDN})
        caption->adjustSize();
    if (!m_identityShown) {
        m_labelLN->setText(tr("Version du logiciel"));
        Q_EMIT softwareVersionChanged(m_labelLN->text());
    }
}

void IdentityBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QGroupBox::changeEvent(event);
}

void IdentityBox::showIdentity(const InstrumentIdentity& id) {
    m_labelDescription->setText(id.description);
    m_labelPN->setText(id.productReference);
    m_labelLN->setText(id.softwareVersion);
    m_labelDN->setText(id.parameterFile);
    m_labelSN->setText(id.serialNumber);
    m_labelPM->setText(id.pmReference);
    // The instrument pads its fields with blanks; assistive technology reads them without.
    for (QLabel* value : {m_labelDescription, m_labelPN, m_labelLN, m_labelSN, m_labelPM})
        value->setAccessibleName(value->text().trimmed());
    m_identityShown = true;
    Q_EMIT softwareVersionChanged(id.softwareVersion);
    show();
}
