#pragma once

#include <QWidget>

struct AppContext;

// The "PanelInitialisation" panel.
class InitialisationPanel : public QWidget {
    Q_OBJECT
public:
    InitialisationPanel(AppContext& context, QWidget* parent = nullptr);

    // What the menu entry does once the panel is shown.
    void EntryStep();

private:
    AppContext& m_context;
};
