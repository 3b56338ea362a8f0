#pragma once

#include <QValidator>

class QLineEdit;

// What the operator may type into a text that goes to the instrument or into an 8-bit file:
// at most `maxTyped` characters, and no character Windows-1252 cannot carry (it would go out
// as "?" and the instrument would not hold what the operator sees). Only new text is judged:
// a text the program put in (from the instrument or a file) may be longer, and can still be
// shortened or corrected. A paste longer than the room left is cut to it, not dropped.
class TypedTextValidator : public QValidator {
    Q_OBJECT
public:
    TypedTextValidator(QLineEdit* edit, int maxTyped);
    State validate(QString& input, int& pos) const override;

    // Puts a text in as the program's own, longer than the limit if need be: the edit judges
    // even a program's text, and would otherwise cut it.
    static void setProgramText(QLineEdit* edit, const QString& text);

private:
    int m_maxTyped;
    // The edit's latest text, typed or put in by the program: what the next change is
    // judged against.
    QString m_accepted;
};

// Decimal digits only: the values are non-negative and are zero-filled into fixed-width
// fields, where a sign would come out as "0-80".
QValidator* newDigitsValidator(QObject* parent);
