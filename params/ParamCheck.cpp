#include "params/ParamCheck.h"

#include "common/Cp1252.h"
#include "common/IntConv.h"
#include "common/Messages.h"
#include "params/ParamEditor.h"

#include <optional>

namespace {

using PC = ParamControl;

struct FieldBounds {
    std::optional<qint32> lower;
    std::optional<qint32> upper;
};

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

ParamCheck TestParametres(const EditorValues& values, const RangeTable& plages,
                          const HiddenFields& hidden) {
    std::array<std::optional<qint32>, kCheckedFieldCount> value;
    for (int i = 0; i < kCheckedFieldCount; ++i)
        value[i] = tryStrToInt(values.numbers[i]);
    auto of = [&](PC c) { return value[index(c)]; };

    ParamCheck check;
    for (int i = 0; i < kCheckedFieldCount; ++i) {
        const PC c = checkedField(i);
        FieldBounds b;
        switch (c) {
        case PC::Ralsfmax:
            b = {of(PC::Ralsfmin), plages[RangeKey::alsfM].upper};
            break;
        case PC::Ralsfc:
            b = {of(PC::Ralsfmin), of(PC::Ralsfmax)};
            break;
        case PC::Gbatvi:
            b = {plages[RangeKey::batvi].lower, of(PC::Gbatpl)};
            break;
        case PC::Gbatar:
            b = {plages[RangeKey::batar].lower, of(PC::Gbatvi)};
            break;
        default: {
            const Bounds& own = plages[*fieldInfo(c).rangeKey];
            b = {own.lower, own.upper};
        }
        }
        const std::optional<qint32> v = value[i];
        if (!v && hidden[i] && isBlankField(values.numbers[i]))
            continue;
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
