#include "ui/InstrumentPanel.h"

#include "common/OperatorFeedback.h"
#include "ui/ClockAndMemory.h"
#include "ui/PanelContext.h"
#include "ui/SpecificParametersBox.h"

#include <QEvent>

InstrumentPanel::InstrumentPanel(PanelContext& context, QWidget* parent)
    : QWidget(parent), m_context(context) {
    setObjectName(QStringLiteral("PanelInitialisation"));
    m_clockAndMemory = new ClockAndMemory(context, this);
    m_groupBoxHeader = new SpecificParametersBox(context, this);
    connect(m_groupBoxHeader, &SpecificParametersBox::specificNumberLeft, this,
            &InstrumentPanel::specificNumberLeft);
    retranslateUi();
}

void InstrumentPanel::setClock(std::function<QDateTime()> clock) {
    m_clockAndMemory->setClock(std::move(clock));
}

void InstrumentPanel::retranslateUi() {
    m_clockAndMemory->retranslateUi();
    m_groupBoxHeader->retranslateUi();
}

void InstrumentPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void InstrumentPanel::hideEvent(QHideEvent* event) {
    // Nobody sees the clock edit while the panel is hidden, and the panel is shown again only
    // by its menu entry, whose step starts the clock afresh: the program sleeps meanwhile.
    m_clockAndMemory->stopRefreshing();
    QWidget::hideEvent(event);
}

void InstrumentPanel::entryStep() {
    m_clockAndMemory->followComputerClock();

    m_groupBoxHeader->hide();
    const OperationResult result = m_groupBoxHeader->readFromInstrument();
    if (result.done()) {
        if (m_maintenanceMode)
            m_groupBoxHeader->show();
    } else if (result.outcome != Outcome::InstrumentError) {
        // An error number from the instrument leaves the group hidden without a word.
        m_context.feedback.showInformation(outcomeMessage(result));
    }
}
