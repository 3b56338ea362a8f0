#pragma once

#include <QLineEdit>

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

// Marks a field's value as out of range by its text colour: pure red, or the system's
// normal text colour.
void setTextMarked(QWidget* field, bool marked);
