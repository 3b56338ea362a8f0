#include "params/ParamCheck.h"

#include "common/Cp1252.h"
#include "common/IntConv.h"
#include "common/Messages.h"
#include "params/ParamEditor.h"

#include <optional>

namespace {

using PC = ParamControl;

} // namespace

bool ParamCheck::ok() const {
    if (operatorMarked)
        return false;
    for (bool m : marked)
        if (m)
            return false;
    return true;
}

bool isOperatorTextAcceptable(QStringView text) {
    return isCp1252Representable(text);
}

FieldBounds checkedFieldBounds(ParamControl c, const EditorValues& values,
                               const RangeTable& plages) {
    auto of = [&](PC neighbour) { return tryStrToInt(values.number(neighbour)); };
    switch (c) {
    case PC::Ralsfmax:
        return {of(PC::Ralsfmin), plages[RangeKey::alsfM].upper};
    case PC::Ralsfc:
        return {of(PC::Ralsfmin), of(PC::Ralsfmax)};
    case PC::Gbatvi:
        return {plages[RangeKey::batvi].lower, of(PC::Gbatpl)};
    case PC::Gbatar:
        return {plages[RangeKey::batar].lower, of(PC::Gbatvi)};
    default: {
        const Bounds& own = plages[*fieldInfo(c).rangeKey];
        return {own.lower, own.upper};
    }
    }
}

ParamCheck TestParametres(const EditorValues& values, const RangeTable& plages,
                          const HiddenFields& hidden) {
    ParamCheck check;
    for (int i = 0; i < kCheckedFieldCount; ++i) {
        const std::optional<qint32> v = tryStrToInt(values.numbers[i]);
        if (!v && hidden[i] && isBlankField(values.numbers[i]))
            continue;
        const FieldBounds b = checkedFieldBounds(checkedField(i), values, plages);
        check.marked[i] = !v || (b.lower && *v < *b.lower) || (b.upper && *v > *b.upper);
    }
    check.operatorMarked = !isOperatorTextAcceptable(values.opcom);
    return check;
}

std::array<QString, kCheckedFieldCount> AfficherPlages(const RangeTable& plages) {
    const QString prefix = msg(MsgId::RangePrefix);
    std::array<QString, kCheckedFieldCount> tips;
    for (int i = 0; i < kCheckedFieldCount; ++i) {
        const PC c = checkedField(i);
        switch (c) {
        case PC::Ralsfmax:
            tips[i] = prefix + msg(MsgId::RangeMinThresholdTo) +
                      QString::number(plages[RangeKey::alsfM].upper);
            break;
        case PC::Ralsfc:
            tips[i] = prefix + msg(MsgId::RangeMinToMaxThreshold);
            break;
        case PC::Gbatvi:
            tips[i] = prefix + QString::number(plages[RangeKey::batvi].lower) +
                      msg(MsgId::RangeToFullBattery);
            break;
        case PC::Gbatar:
            tips[i] = prefix + QString::number(plages[RangeKey::batar].lower) +
                      msg(MsgId::RangeToEmptyBattery);
            break;
        default: {
            const Bounds& own = plages[*fieldInfo(c).rangeKey];
            tips[i] = prefix + QString::number(own.lower) + msg(MsgId::RangeTo) +
                      QString::number(own.upper);
        }
        }
    }
    return tips;
}
