#include "ui/ParamEditorWidgets.h"

#include "ui/TypedTextValidator.h"

#include <QApplication>

namespace {

const QColor kMarkColour(255, 0, 0);

} // namespace

ParamIntegerEdit::ParamIntegerEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(kMaxLength);
    setValidator(newDigitsValidator(this));
}

void setTextMarked(QWidget* field, bool marked) {
    const QPalette system = QApplication::palette(field);
    QPalette pal = field->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Text,
                     marked ? kMarkColour : system.color(group, QPalette::Text));
    field->setPalette(pal);
}
