#pragma once

#include "params/ParamControls.h"
#include "params/ParamFile.h"

// The conversions between the loaded records and the editor's controls.

// An edit holding nothing but blanks (or nothing at all): stored as an empty field.
bool isBlankField(const QString& text);

// `v` ÷ 10 rounded to the nearest integer, an exact half going to the even neighbour
// (15 → 2, 25 → 2, 35 → 4).
qint64 divideByTenToEven(qint64 v);

// Record fields to controls: texts as they stand (integer edits cut to 5 characters, the
// operator text without its trailing blanks),
// scaled fields ×10 (the key's lower bound when the field is not an integer), and each
// list on the choice of its code; a code a list does not know leaves its choice as it was.
void AfficherParametres(const ParamState& state, EditorValues& values);

// Controls to record fields: integer texts zero-filled to 5, scaled fields ÷10 to even (the
// edit is rewritten to the value actually stored; an unreadable one stores the key's lower
// bound ÷10 and stays as typed), the operator text cut or filled with blanks to 20 (and
// shown cut, without the blanks), each list's code (a list without a choice leaves its
// field alone). A blank field the operator cannot see stores its key's lower bound: zeros
// could be out of range (the coefficient starts at 2), and the file could then never be
// saved again over a setting nobody can see.
void StockerParametres(EditorValues& values, ParamState& state, const HiddenFields& hidden = {});
