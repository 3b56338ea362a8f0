#include "ui/ParametresPanel.h"

#include "ui/AppContext.h"

ParametresPanel::ParametresPanel(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context) {
    setObjectName(QStringLiteral("PanelHeader"));
}

void ParametresPanel::EntryStep() {}
