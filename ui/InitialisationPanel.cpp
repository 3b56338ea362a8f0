#include "ui/InitialisationPanel.h"

#include "ui/AppContext.h"

InitialisationPanel::InitialisationPanel(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context) {
    setObjectName(QStringLiteral("PanelInitialisation"));
}

void InitialisationPanel::EntryStep() {}
