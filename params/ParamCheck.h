#pragma once

#include "params/ParamControls.h"

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

// Outcome of the check: which fields the editor shows in red.
struct ParamCheck {
    std::array<bool, kCheckedFieldCount> marked{};
    // The operator text holds a character the 8-bit file cannot carry.
    bool operatorMarked = false;

    bool isMarked(ParamControl c) const {
        return c == ParamControl::Popcom ? operatorMarked : isCheckedField(c) && marked[index(c)];
    }
    // True when nothing is marked: the values may be saved.
    bool ok() const;
};

// The bounds one checked field is held to, inclusive. Most come from `plages`; the alarm
// thresholds and battery voltages are also bounded by the current text of their neighbour
// (min <= max, min <= current <= max, empty <= full, switch-off <= empty). A neighbour that
// is not an integer bounds nothing.
struct FieldBounds {
    std::optional<qint32> lower;
    std::optional<qint32> upper;
};
FieldBounds checkedFieldBounds(ParamControl c, const EditorValues& values,
                               const RangeTable& plages);

// Checks the 18 integer edits against their bounds, inclusive. Most bounds come from
// `plages`; the alarm thresholds and battery voltages are also bounded by the current
// text of their neighbour (min <= max, min <= current <= max, empty <= full,
// switch-off <= empty). A field that is empty or not an integer is marked itself, and the
// check always goes on through every field, so no unreadable field can hide a later
// out-of-range one. A neighbour that is unreadable bounds nothing (it is marked anyway).
// A hidden field left empty (or blank) is not marked: the operator could neither see nor
// fill it, and saving stores it in range (see StockerParametres). A hidden value out of
// range is marked all the same.
ParamCheck TestParametres(const EditorValues& values, const RangeTable& plages,
                          const HiddenFields& hidden = {});

// The operator text ends up in a Windows-1252 file and on the instrument's line; a
// character those cannot hold would be replaced, so it is refused instead.
bool isOperatorTextAcceptable(QStringView text);

// The range tool-tip of each of the 18 fields, in check order ("Plage : 100 à 10000").
std::array<QString, kCheckedFieldCount> AfficherPlages(const RangeTable& plages);
