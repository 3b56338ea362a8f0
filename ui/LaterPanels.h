#pragma once

#include "ui/PanelNavigation.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>

class BusyAnimation;
class IdentityBox;
class QWidget;
struct PanelContext;

// The panels made on their entry's first visit. Each is placed as the home panel and told
// what the window already told the others — the clock, the maintenance mode, the software
// version the identity box announced — so that it comes up as if it had been there from the
// start.
class LaterPanels : public QObject {
    Q_OBJECT
public:
    LaterPanels(PanelContext& context, QWidget* window, IdentityBox* identity);

    // What the navigation calls to make each panel.
    PanelNavigation::Builders builders();
    // The navigation that holds the panels made so far.
    void setNavigation(const PanelNavigation* navigation) { m_navigation = navigation; }
    void setBusyAnimation(BusyAnimation* animation) { m_busyAnimation = animation; }

    // Size, place, background and stacking of every panel, the home panel's included.
    void placePanel(QWidget* panel) const;

    void setClock(std::function<QDateTime()> clock);
    void setMaintenanceMode(bool on);

Q_SIGNALS:
    void maintenanceModeChanged(bool on);

private:
    TransferPanel* buildTransferPanel();
    InstrumentPanel* buildInstrumentPanel();
    ParameterFilePanel* buildParameterFilePanel();

    PanelContext& m_context;
    QWidget* m_window;
    IdentityBox* m_identity;
    const PanelNavigation* m_navigation = nullptr;
    BusyAnimation* m_busyAnimation = nullptr;
    std::function<QDateTime()> m_clock;
    bool m_maintenanceMode = false;
    // The identity box's last software version caption, for an editor made later.
    QString m_softwareVersion;
};
