#include "params/ParamEditor.h"

#include "common/IntConv.h"

#include <algorithm>

namespace {

constexpr int kIntegerEditLimit = 5;

// Works on a const state for showing and on a mutable one for storing.
template <class State> auto& recordField(State& state, const FieldInfo& info) {
    switch (info.record) {
    case RecordKind::P:
        return state.ChampsP[info.field];
    case RecordKind::R:
        return state.ChampsR[info.field];
    case RecordKind::G:
        break;
    }
    return state.ChampsG[info.field];
}

template <std::size_t N>
void showChoice(const std::array<const char16_t*, N>& codes, const QString& code, int& choice) {
    for (std::size_t i = 0; i < N; ++i) {
        if (code == QStringView(codes[i])) {
            choice = static_cast<int>(i);
            return;
        }
    }
}

template <std::size_t N>
void storeChoice(const std::array<const char16_t*, N>& codes, int choice, QString& code) {
    if (choice >= 0 && choice < static_cast<int>(N))
        code = QString::fromUtf16(codes[choice]);
}

// The operator text as the edit shows it: without the blanks that fill it to 20 in the
// record, so there is room to type in an edit whose typing stops at 20.
QString withoutTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

QString fieldText(qint64 value) {
    return CompleterZeros(QString::number(value), kFieldWidth);
}

} // namespace

bool isBlankField(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; });
}

qint64 divideByTenToEven(qint64 v) {
    qint64 q = v / 10;
    const qint64 twiceRest = 2 * (v % 10 < 0 ? -(v % 10) : v % 10);
    if (twiceRest > 10 || (twiceRest == 10 && q % 2 != 0))
        q += v < 0 ? -1 : 1;
    return q;
}

void AfficherParametres(const ParamState& state, EditorValues& values) {
    values.opcom = withoutTrailingBlanks(state.ChampsP[ChampPOperator]);
    values.date = state.ChampsP[ChampPDate];
    showChoice(kLanguageCodes, state.ChampsP[ChampPLanguage], values.langue);
    showChoice(kModeCodes, recordField(state, fieldInfo(ParamControl::Rmodef)), values.modef);
    showChoice(kAlarmCodes, recordField(state, fieldInfo(ParamControl::Ralarm)), values.alarm);

    for (int i = 0; i < kCheckedFieldCount; ++i) {
        const FieldInfo& info = fieldInfo(checkedField(i));
        const QString& text = recordField(state, info);
        QString shown = text;
        if (info.scaled) {
            const auto v = tryStrToInt(text);
            shown = v ? QString::number(qint64(*v) * 10)
                      : QString::number(state.Plages[*info.rangeKey].lower);
        }
        values.numbers[i] = shown.left(kIntegerEditLimit);
    }
}

void StockerParametres(EditorValues& values, ParamState& state, const HiddenFields& hidden) {
    state.ChampsP[ChampPOperator] =
        values.opcom.left(kOperatorWidth).leftJustified(kOperatorWidth, u' ');
    values.opcom = withoutTrailingBlanks(state.ChampsP[ChampPOperator]);
    storeChoice(kLanguageCodes, values.langue, state.ChampsP[ChampPLanguage]);
    storeChoice(kModeCodes, values.modef, recordField(state, fieldInfo(ParamControl::Rmodef)));
    storeChoice(kAlarmCodes, values.alarm, recordField(state, fieldInfo(ParamControl::Ralarm)));

    for (int i = 0; i < kCheckedFieldCount; ++i) {
        const FieldInfo& info = fieldInfo(checkedField(i));
        QString& field = recordField(state, info);
        QString& edit = values.numbers[i];
        if (!info.scaled && hidden[i] && isBlankField(edit)) {
            field = fieldText(state.Plages[*info.rangeKey].lower);
        } else if (!info.scaled) {
            field = CompleterZeros(edit, kFieldWidth);
        } else if (const auto v = tryStrToInt(edit)) {
            const qint64 q = divideByTenToEven(*v);
            field = fieldText(q);
            edit = QString::number(q * 10);
        } else {
            field = fieldText(divideByTenToEven(state.Plages[*info.rangeKey].lower));
        }
    }
}
