#include "ui/ParamEditorPanel.h"

#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "params/ParamEditor.h"
#include "params/ParamSave.h"
#include "ui/FileDialogs.h"
#include "ui/PanelContext.h"
#include "ui/ParamEditorWidgets.h"
#include "ui/TypedTextValidator.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <algorithm>

using PC = ParamControl;

bool ParamEditorPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Leaving the field for another control; not the window losing the keyboard to a
        // dialog or another program, after which the same field gets it back.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            std::find(m_numbers.begin(), m_numbers.end(), watched) != m_numbers.end())
            EditParamExit();
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- values

EditorValues ParamEditorPanel::values() const {
    EditorValues v;
    for (int i = 0; i < kCheckedFieldCount; ++i)
        v.numbers[i] = m_numbers[i]->text();
    v.opcom = m_popcom->text();
    v.date = m_date->text();
    v.langue = m_langue->currentIndex();
    v.modef = m_modef->currentIndex();
    v.alarm = m_alarm->currentIndex();
    return v;
}

void ParamEditorPanel::setValues(const EditorValues& v) {
    for (int i = 0; i < kCheckedFieldCount; ++i)
        m_numbers[i]->setText(v.numbers[i]);
    TypedTextValidator::setProgramText(m_popcom, v.opcom);
    m_date->setText(v.date);
    m_langue->setCurrentIndex(v.langue);
    m_modef->setCurrentIndex(v.modef);
    m_alarm->setCurrentIndex(v.alarm);
}

// ---------------------------------------------------------------- opening

void ParamEditorPanel::clearMarks() {
    for (QLineEdit* edit : m_numbers)
        setTextMarked(edit, false);
    setTextMarked(m_popcom, false);
}

void ParamEditorPanel::Open() {
    clearMarks();
    const int parentWidth = parentWidget() ? parentWidget()->width() : kWidth;
    move((parentWidth - kWidth) / 2, kTop);
    raise();
    show();
    ChargerFichierParametres(m_currentFile(), m_state);
    AfficherPlages();
    AfficherParametres();
    AccesParametres();
    VisibiliteParametres();
}

void ParamEditorPanel::AfficherPlages() {
    const auto tips = ::AfficherPlages(m_state.Plages);
    for (int i = 0; i < kCheckedFieldCount; ++i)
        m_numbers[i]->setToolTip(tips[i]);
}

void ParamEditorPanel::AfficherParametres() {
    EditorValues v = values();
    ::AfficherParametres(m_state, v);
    setValues(v);
}

void ParamEditorPanel::AccesParametres() {
    const bool maintenance = m_maintenanceMode;
    for (int i = 0; i < kParamControlCount; ++i) {
        const auto c = static_cast<PC>(i);
        control(c)->setEnabled(isControlEnabled(c, maintenance));
    }
}

void ParamEditorPanel::VisibiliteParametres() {
    m_hidden = hiddenSettings(m_softwareVersion);
    for (int i = 0; i < kCheckedFieldCount; ++i) {
        const PC c = checkedField(i);
        control(c)->setVisible(!m_hidden[i]);
        label(c)->setVisible(!m_hidden[i]);
    }
}

// ---------------------------------------------------------------- checking and saving

ParamCheck ParamEditorPanel::runCheck() {
    const ParamCheck check = ::TestParametres(values(), m_state.Plages, m_hidden);
    for (int i = 0; i < kCheckedFieldCount; ++i)
        setTextMarked(m_numbers[i], check.marked[i]);
    setTextMarked(m_popcom, check.operatorMarked);
    return check;
}

bool ParamEditorPanel::TestParametres() {
    return runCheck().ok();
}

QString ParamEditorPanel::refusalMessage(const ParamCheck& check) const {
    // A red mark the operator cannot see, or cannot change, would otherwise leave them with
    // a refusal and no way to learn why.
    QString message = msg(MsgId::BadParameters);
    for (PC c : readingOrder()) {
        if (!check.isMarked(c))
            continue;
        message += QStringLiteral("\r\n") + label(c)->text();
        if (isCheckedField(c) && m_hidden[index(c)])
            message += msg(MsgId::HiddenSetting);
        else if (!control(c)->isEnabled())
            message += msg(MsgId::LockedSetting);
    }
    return message;
}

void ParamEditorPanel::EditParamExit() {
    TestParametres();
}

void ParamEditorPanel::StockerParametres() {
    EditorValues v = values();
    ::StockerParametres(v, m_state, m_hidden);
    setValues(v);
}

void ParamEditorPanel::ButtonEnregistrerClick() {
    const ParamCheck check = runCheck();
    if (!check.ok()) {
        for (PC c : readingOrder()) {
            if (check.isMarked(c) && !(isCheckedField(c) && m_hidden[index(c)])) {
                m_pageControl->setCurrentIndex(pageOf(c));
                break;
            }
        }
        m_context.feedback.ShowInformation(refusalMessage(check));
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

void ParamEditorPanel::ButtonAnnulerClick() {
    hide();
}
