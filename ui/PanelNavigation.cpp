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
                                 Panels panels)
    : m_exchange(exchange), m_feedback(feedback), m_panels(panels) {}

QList<QWidget*> PanelNavigation::panels() const {
    return {m_panels.home, m_panels.transfer, m_panels.instrument, m_panels.parameterFile};
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
    for (int i = 0; i < 4; ++i)
        panels().at(i)->setVisible(index == i);
    switch (index) {
    case 1:
        m_panels.transfer->entryStep();
        break;
    case 2:
        m_panels.instrument->entryStep();
        break;
    case 3:
        m_panels.parameterFile->entryStep();
        break;
    default:
        break;
    }
    // Given by the window, not entered by the operator: the clock edit goes on following.
    if (index < 4)
        focusFirstControl(panels().at(index));
    return index;
}

void PanelNavigation::showHomePanel() {
    m_panels.transfer->hide();
    m_panels.instrument->hide();
    m_panels.parameterFile->hide();
    m_panels.home->show();
}

void PanelNavigation::showIdentity() {
    m_panels.identity->showIdentity(InstrumentIdentity::fromReply(m_exchange.ReplyBuffer));
}
