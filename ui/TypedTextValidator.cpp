#include "ui/TypedTextValidator.h"

#include "common/Cp1252.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {

qsizetype unrepresentableCount(QStringView text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        n += !isCp1252Representable(text.mid(i, 1));
    return n;
}

} // namespace

TypedTextValidator::TypedTextValidator(QLineEdit* edit, int maxTyped)
    : QValidator(edit), m_maxTyped(maxTyped) {
    connect(edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_accepted = text; });
}

QValidator::State TypedTextValidator::validate(QString& input, int& pos) const {
    // The excess is taken off the end of what was just inserted.
    const qsizetype room = std::max<qsizetype>(m_maxTyped, m_accepted.size());
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

void TypedTextValidator::setProgramText(QLineEdit* edit, const QString& text) {
    if (auto* own = qobject_cast<TypedTextValidator*>(const_cast<QValidator*>(edit->validator())))
        own->m_accepted = text;
    edit->setText(text);
}

QValidator* newDigitsValidator(QObject* parent) {
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), parent);
}
