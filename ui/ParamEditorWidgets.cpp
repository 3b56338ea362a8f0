#include "ui/ParamEditorWidgets.h"

#include "params/ParamCheck.h"

#include <QApplication>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {

const QColor kMarkColour(255, 0, 0);

qsizetype unrepresentableCount(QStringView text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        n += !isOperatorTextAcceptable(text.mid(i, 1));
    return n;
}

} // namespace

ParamIntegerEdit::ParamIntegerEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(kMaxLength);
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
}

OperatorTextValidator::OperatorTextValidator(QLineEdit* edit) : QValidator(edit) {
    // Every text the edit ends up with, typed or put in by the program, is the reference
    // the next change is judged against.
    connect(edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_accepted = text; });
}

QValidator::State OperatorTextValidator::validate(QString& input, int&) const {
    if (input.size() > kMaxTyped && input.size() > m_accepted.size())
        return Invalid;
    if (unrepresentableCount(input) > unrepresentableCount(m_accepted))
        return Invalid;
    return Acceptable;
}

void setTextMarked(QWidget* field, bool marked) {
    const QPalette system = QApplication::palette(field);
    QPalette pal = field->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Text,
                     marked ? kMarkColour : system.color(group, QPalette::Text));
    field->setPalette(pal);
}
