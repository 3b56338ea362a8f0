#include "ui/LaterPanels.h"

#include "ui/BusyAnimation.h"
#include "ui/Handlers.h"
#include "ui/IdentityBox.h"
#include "ui/InstrumentPanel.h"
#include "ui/ParameterEditorPanel.h"
#include "ui/ParameterFilePanel.h"
#include "ui/TransferPanel.h"

LaterPanels::LaterPanels(PanelContext& context, QWidget* window, IdentityBox* identity)
    : QObject(window), m_context(context), m_window(window), m_identity(identity) {
    // Followed from the start, so that an editor made later starts with what it would have.
    connect(m_identity, &IdentityBox::softwareVersionChanged, this,
            [this](const QString& version) { m_softwareVersion = version; });
}

PanelNavigation::Builders LaterPanels::builders() {
    return {[this] { return buildTransferPanel(); }, [this] { return buildInstrumentPanel(); },
            [this] { return buildParameterFilePanel(); }};
}

void LaterPanels::placePanel(QWidget* panel) const {
    panel->setGeometry(8, 41, 630, 375);
    panel->setAutoFillBackground(true);
    panel->setPalette(m_window->palette());
    panel->hide();
    // Under the identification box, over the busy animation, as all panels were made first.
    panel->stackUnder(m_identity);
    if (m_busyAnimation)
        m_busyAnimation->watch(panel);
}

TransferPanel* LaterPanels::buildTransferPanel() {
    auto* panel = new TransferPanel(m_context, m_window);
    if (m_clock)
        panel->setClock(m_clock);
    placePanel(panel);
    return panel;
}

InstrumentPanel* LaterPanels::buildInstrumentPanel() {
    auto* panel = new InstrumentPanel(m_context, m_window);
    if (m_clock)
        panel->setClock(m_clock);
    panel->setMaintenanceMode(m_maintenanceMode);
    connect(this, &LaterPanels::maintenanceModeChanged, panel,
            &InstrumentPanel::setMaintenanceMode);
    // Leaving the HT or contrast field runs the editor's check, even with the editor closed;
    // an editor not made yet has nothing to mark.
    connectHandler(panel, &InstrumentPanel::specificNumberLeft, this, [this] {
        if (ParameterFilePanel* parameterFile =
                m_navigation ? m_navigation->parameterFile() : nullptr)
            parameterFile->panelParametres()->TestParametres();
    });
    placePanel(panel);
    return panel;
}

ParameterFilePanel* LaterPanels::buildParameterFilePanel() {
    auto* panel = new ParameterFilePanel(m_context, m_window);
    ParameterEditorPanel* editor = panel->panelParametres();
    if (m_clock)
        editor->setClock(m_clock);
    editor->setMaintenanceMode(m_maintenanceMode);
    editor->setSoftwareVersion(m_softwareVersion);
    connect(this, &LaterPanels::maintenanceModeChanged, editor,
            &ParameterEditorPanel::setMaintenanceMode);
    connect(m_identity, &IdentityBox::softwareVersionChanged, editor,
            &ParameterEditorPanel::setSoftwareVersion);
    placePanel(panel);
    return panel;
}

void LaterPanels::setClock(std::function<QDateTime()> clock) {
    m_clock = std::move(clock);
    if (!m_navigation)
        return;
    if (TransferPanel* transfer = m_navigation->transfer())
        transfer->setClock(m_clock);
    if (InstrumentPanel* instrument = m_navigation->instrument())
        instrument->setClock(m_clock);
    if (ParameterFilePanel* parameterFile = m_navigation->parameterFile())
        parameterFile->panelParametres()->setClock(m_clock);
}

void LaterPanels::setMaintenanceMode(bool on) {
    m_maintenanceMode = on;
    Q_EMIT maintenanceModeChanged(on);
}
