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

QValidator::State OperatorTextValidator::validate(QString& input, int& pos) const {
    // Typing stops at the limit; a pasted text is cut to the room left instead of being
    // dropped whole. The excess is taken off the end of what was just inserted.
    const qsizetype room = std::max<qsizetype>(kMaxTyped, m_accepted.size());
    if (input.size() > room) {
        const qsizetype excess = input.size() - room;
        if (excess > pos)
            return Invalid;
        input.remove(pos - excess, excess);
        pos -= int(excess);
    }
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
