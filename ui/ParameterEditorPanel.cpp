#include "ui/ParameterEditorPanel.h"

#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "params/ParamEditor.h"
#include "params/ParamSave.h"
#include "ui/FileDialogs.h"
#include "ui/Handlers.h"
#include "ui/KeyboardNavigation.h"
#include "ui/PanelContext.h"
#include "ui/ParameterEditorPages.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

using PC = ParamControl;

bool ParameterEditorPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Leaving the field for another control; not the window losing the keyboard to a
        // dialog or another program, after which the same field gets it back.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            m_pageControl->isNumber(watched))
            EditParamExit();
    }
    return QWidget::eventFilter(watched, event);
}

bool ParameterEditorPanel::focusNextPrevChild(bool next) {
    return focusNextInside(this, next) || QWidget::focusNextPrevChild(next);
}

ParameterEditorPanel::ParameterEditorPanel(PanelContext& context,
                                           std::function<QString()> currentFile, QWidget* parent)
    : QWidget(parent), m_context(context), m_currentFile(std::move(currentFile)) {
    setObjectName(QStringLiteral("PanelParametres"));
    resize(kWidth, kHeight);
    setAutoFillBackground(true);

    m_pageControl = new ParameterEditorPages(this);
    for (int i = 0; i < kCheckedFieldCount; ++i)
        m_pageControl->number(i)->installEventFilter(this);
    VisibiliteParametres();

    m_buttonAnnuler = new QPushButton(this);
    m_buttonAnnuler->setObjectName(QStringLiteral("ButtonAnnuler"));
    m_buttonAnnuler->setGeometry(3, 292, 139, 40);
    connectHandler(m_buttonAnnuler, &QPushButton::clicked, this,
                   &ParameterEditorPanel::ButtonAnnulerClick);

    m_buttonEnregistrer = new QPushButton(this);
    m_buttonEnregistrer->setObjectName(QStringLiteral("ButtonEnregistrer"));
    m_buttonEnregistrer->setGeometry(585 - 139, 292, 139, 40);
    connectHandler(m_buttonEnregistrer, &QPushButton::clicked, this,
                   &ParameterEditorPanel::ButtonEnregistrerClick);

    orderTabStops();
    retranslateUi();
    m_pageControl->setValues(EditorValues::initial());
    hide();
}

void ParameterEditorPanel::orderTabStops() {
    QWidget* previous = m_pageControl->tabBar();
    for (PC c : ParameterEditorPages::readingOrder()) {
        QWidget::setTabOrder(previous, m_pageControl->control(c));
        previous = m_pageControl->control(c);
    }
    QWidget::setTabOrder(previous, m_buttonAnnuler);
    QWidget::setTabOrder(m_buttonAnnuler, m_buttonEnregistrer);
}

void ParameterEditorPanel::retranslateUi() {
    m_buttonAnnuler->setText(tr("Annuler"));
    m_buttonEnregistrer->setText(tr("Enregistrer le fichier"));
}

void ParameterEditorPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

// ---------------------------------------------------------------- opening

void ParameterEditorPanel::Open() {
    m_pageControl->clearMarks();
    const int parentWidth = parentWidget() ? parentWidget()->width() : kWidth;
    move((parentWidth - kWidth) / 2, kTop);
    raise();
    show();
    // The button that opened the editor now lies under it: the page tabs take the keyboard,
    // then the first field of the page that may be changed, where the focus shows.
    focusFirstControl(this);
    ChargerFichierParametres(m_currentFile(), m_state);
    AfficherPlages();
    AfficherParametres();
    AccesParametres();
    VisibiliteParametres();
    focusFirstControl(m_pageControl->currentWidget());
}

void ParameterEditorPanel::AfficherPlages() {
    const auto tips = ::AfficherPlages(m_state.Plages);
    for (int i = 0; i < kCheckedFieldCount; ++i)
        m_pageControl->number(i)->setToolTip(tips[i]);
}

void ParameterEditorPanel::AfficherParametres() {
    EditorValues v = m_pageControl->values();
    ::AfficherParametres(m_state, v);
    m_pageControl->setValues(v);
}

void ParameterEditorPanel::AccesParametres() {
    const bool maintenance = m_maintenanceMode;
    for (int i = 0; i < kParamControlCount; ++i) {
        const auto c = static_cast<PC>(i);
        m_pageControl->control(c)->setEnabled(isControlEnabled(c, maintenance));
    }
}

void ParameterEditorPanel::VisibiliteParametres() {
    m_hidden = hiddenSettings(m_softwareVersion);
    for (int i = 0; i < kCheckedFieldCount; ++i) {
        const PC c = checkedField(i);
        m_pageControl->control(c)->setVisible(!m_hidden[i]);
        m_pageControl->label(c)->setVisible(!m_hidden[i]);
    }
}

// ---------------------------------------------------------------- checking and saving

ParamCheck ParameterEditorPanel::runCheck() {
    const ParamCheck check = ::TestParametres(m_pageControl->values(), m_state.Plages, m_hidden);
    m_pageControl->showMarks(check);
    return check;
}

bool ParameterEditorPanel::TestParametres() {
    return runCheck().ok();
}

QString ParameterEditorPanel::refusalMessage(const ParamCheck& check) const {
    // A red mark the operator cannot see, or cannot change, would otherwise leave them with
    // a refusal and no way to learn why.
    QString message = msg(MsgId::BadParameters);
    for (PC c : ParameterEditorPages::readingOrder()) {
        if (!check.isMarked(c))
            continue;
        message += QStringLiteral("\r\n") + m_pageControl->label(c)->text();
        if (isCheckedField(c) && m_hidden[index(c)])
            message += msg(MsgId::HiddenSetting);
        else if (!m_pageControl->control(c)->isEnabled())
            message += msg(MsgId::LockedSetting);
    }
    return message;
}

void ParameterEditorPanel::EditParamExit() {
    TestParametres();
}

void ParameterEditorPanel::StockerParametres() {
    EditorValues v = m_pageControl->values();
    ::StockerParametres(v, m_state, m_hidden);
    m_pageControl->setValues(v);
}

void ParameterEditorPanel::ButtonEnregistrerClick() {
    const ParamCheck check = runCheck();
    if (!check.ok()) {
        for (PC c : ParameterEditorPages::readingOrder()) {
            if (check.isMarked(c) && !(isCheckedField(c) && m_hidden[index(c)])) {
                m_pageControl->showPageOf(c);
                break;
            }
        }
        m_context.feedback.showInformation(refusalMessage(check));
        return;
    }
    const QString current = m_currentFile();
    m_context.dialogs.setFileName(DialogKind::SaveConfig, current);
    const auto chosen = m_context.dialogs.execute(DialogKind::SaveConfig);
    if (!chosen)
        return;
    StockerParametres();
    SauverFichierParametres(current, *chosen, m_state, m_clock());
    Q_EMIT fileSaved(*chosen);
    hide();
}

void ParameterEditorPanel::ButtonAnnulerClick() {
    hide();
}
