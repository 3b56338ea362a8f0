#include "ui/PanelNavigation.h"

#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "link/CommandExchange.h"
#include "link/InstrumentSearch.h"
#include "ui/HomePanel.h"
#include "ui/IdentityBox.h"
#include "ui/InstrumentPanel.h"
#include "ui/KeyboardNavigation.h"
#include "ui/ParameterFilePanel.h"
#include "ui/TransferPanel.h"

PanelNavigation::PanelNavigation(CommandExchange& exchange, OperatorFeedback& feedback,
                                 Panels panels, Builders builders)
    : m_exchange(exchange), m_feedback(feedback), m_panels(panels),
      m_builders(std::move(builders)) {}

QList<QWidget*> PanelNavigation::panels() const {
    QList<QWidget*> made{m_panels.home};
    for (QWidget* panel : {static_cast<QWidget*>(m_transfer), static_cast<QWidget*>(m_instrument),
                           static_cast<QWidget*>(m_parameterFile)})
        if (panel)
            made.append(panel);
    return made;
}

QWidget* PanelNavigation::panel(int index) {
    switch (index) {
    case 1:
        if (!m_transfer) {
            m_transfer = m_builders.transfer();
            if (m_transferEnabled)
                m_transfer->enableTransfer();
        }
        return m_transfer;
    case 2:
        if (!m_instrument)
            m_instrument = m_builders.instrument();
        return m_instrument;
    case 3:
        if (!m_parameterFile)
            m_parameterFile = m_builders.parameterFile();
        return m_parameterFile;
    default:
        return m_panels.home;
    }
}

int PanelNavigation::choose(int index) {
    for (QWidget* panel : panels())
        panel->hide();
    m_panels.identity->hide();
    if (index < 4) {
        checkPresence(m_exchange, [&](int answered) {
            if (answered != 0) {
                index = 0;
                m_panels.home->showConnectionPrompt(true);
                m_feedback.showInformation(msg(MsgId::NoAnswer));
            } else if (index == 0) {
                showIdentity();
            }
        });
    }
    if (index >= 4)
        return index;
    QWidget* shown = panel(index);
    shown->show();
    switch (index) {
    case 1:
        m_transfer->entryStep();
        break;
    case 2:
        m_instrument->entryStep();
        break;
    case 3:
        m_parameterFile->entryStep();
        break;
    default:
        break;
    }
    // Given by the window, not entered by the operator: the clock edit goes on following.
    focusFirstControl(shown);
    return index;
}

void PanelNavigation::showHomePanel() {
    for (QWidget* panel : panels())
        if (panel != m_panels.home)
            panel->hide();
    m_panels.home->show();
}

void PanelNavigation::showIdentity() {
    m_panels.identity->showIdentity(InstrumentIdentity::fromReply(m_exchange.ReplyBuffer));
}

void PanelNavigation::enableTransfer() {
    m_transferEnabled = true;
    if (m_transfer)
        m_transfer->enableTransfer();
}
