#pragma once

#include <QLineEdit>
#include <QValidator>

// The integer edits of the parameter editor: digits only, at most five characters. Text the
// program puts in is cut to five characters as well. Every value the instrument takes is
// non-negative, and a sign would survive the check ("+440" reads as 440) only to be
// zero-filled into the record as "0+440", which the instrument cannot read.
class ParamIntegerEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 5;
    explicit ParamIntegerEdit(QWidget* parent = nullptr);
};

// The operator text travels in a Windows-1252 record of 20 characters: typing stops at 20
// and a character the code page cannot hold is refused. Only new text is judged, so a
// text the file itself brought in (which may be longer or hold such a character) can
// still be shortened or corrected.
class OperatorTextValidator : public QValidator {
    Q_OBJECT
public:
    static constexpr int kMaxTyped = 20;
    explicit OperatorTextValidator(QLineEdit* edit);
    State validate(QString& input, int& pos) const override;

private:
    QString m_accepted;
};

// Marks a field's value as out of range by its text colour: pure red, or the system's
// normal text colour.
void setTextMarked(QWidget* field, bool marked);
