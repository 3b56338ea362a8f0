#include "ui/LecturePanel.h"

#include "ui/AppContext.h"

LecturePanel::LecturePanel(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context) {
    setObjectName(QStringLiteral("PanelLecture"));
}

void LecturePanel::EntryStep() {}

void LecturePanel::EnableTransfer() {}
