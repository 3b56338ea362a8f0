#pragma once

#include <QDateTime>
#include <QWidget>
#include <functional>

class ClockAndMemory;
class SpecificParametersBox;
struct PanelContext;

// The "PanelInitialisation" panel: the instrument's clock and the erasing of its memory
// above, and, in maintenance mode, its specific parameters below.
class InstrumentPanel : public QWidget {
    Q_OBJECT
public:
    InstrumentPanel(PanelContext& context, QWidget* parent = nullptr);

    // What the menu entry does once the panel is shown: the clock edit follows the
    // computer's clock again, then the specific parameters are read.
    void entryStep();

    // The clock the edit follows.
    void setClock(std::function<QDateTime()> clock);
    // The specific parameters are shown only in maintenance mode.
    void setMaintenanceMode(bool on) { m_maintenanceMode = on; }

Q_SIGNALS:
    // The HT or contrast field was left: the parameter editor checks its fields again.
    void specificNumberLeft();

protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void retranslateUi();

    PanelContext& m_context;
    bool m_maintenanceMode = false;
    ClockAndMemory* m_clockAndMemory = nullptr;
    SpecificParametersBox* m_groupBoxHeader = nullptr;
};
