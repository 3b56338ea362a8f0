#include "ui/PanelControls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLineEdit* makeEdit(QWidget* parent, const char* name, int x, int y, int width) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(x, y, width, 22);
    return edit;
}

QLabel* makeLabel(QWidget* parent, const char* name, int x, int y, int width) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, width, 17);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, int x, int y, int width) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, width, 26);
    return button;
}

QGroupBox* makeGroup(QWidget* parent, const char* name, const QRect& geometry) {
    auto* group = new QGroupBox(parent);
    styleGroup(group, name, geometry);
    return group;
}

void styleGroup(QGroupBox* group, const char* name, const QRect& geometry) {
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(geometry);
    QFont bold = group->parentWidget()->font();
    bold.setBold(true);
    group->setFont(bold);
}

void keepOrdinaryWeight(QGroupBox* group) {
    QFont normal = group->font();
    normal.setBold(false);
    for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->setFont(normal);
}
