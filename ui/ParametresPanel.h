#pragma once

#include <QWidget>

struct AppContext;

// The "PanelHeader" panel.
class ParametresPanel : public QWidget {
    Q_OBJECT
public:
    ParametresPanel(AppContext& context, QWidget* parent = nullptr);

    // What the menu entry does once the panel is shown.
    void EntryStep();

private:
    AppContext& m_context;
};
