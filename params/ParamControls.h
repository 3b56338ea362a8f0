#pragma once

#include "params/ParamFile.h"

#include <QString>
#include <array>
#include <optional>

// The controls of the parameter editor, as data: which record field each one shows, how
// it is converted, when it may be changed and when it is shown. The editor window only
// copies values between its widgets and an EditorValues.

enum class ParamControl : int {
    // The 18 checked integer edits, in the order the check and the tool-tips handle them.
    Rdmesu,
    Rtrack,
    Rmoyg1,
    Rmoyg2,
    Ralsfmin,
    Ralsfmax,
    Ralsfc,
    Ralard,
    Garret,
    Gbatpl,
    Gbatvi,
    Gbatar,
    Geclsh,
    Geclsb,
    Gintaf,
    Gsci0t,
    Gfbeep,
    Gcoefs,
    // The other controls.
    Popcom,
    PDate,
    PLangue,
    Rmodef,
    Ralarm,
};
inline constexpr int kCheckedFieldCount = 18;
inline constexpr int kParamControlCount = 23;

constexpr int index(ParamControl c) {
    return static_cast<int>(c);
}
constexpr bool isCheckedField(ParamControl c) {
    return index(c) < kCheckedFieldCount;
}
constexpr ParamControl checkedField(int i) {
    return static_cast<ParamControl>(i);
}

// The widget's object name: "EditParamRdmesu", "ComboBoxParamPLangue", ...
QString controlObjectName(ParamControl c);
// The object name of the label beside it: "LabelRdmesu", ...; the three labels of the
// version-dependent settings have names of their own ("Label44", ...).
QString labelObjectName(ParamControl c);

enum class RecordKind { P, R, G };

struct FieldInfo {
    RecordKind record;
    int field; // index into ChampsP, ChampsR or ChampsG
    // Shown in ms, held in the file in units of 10 ms.
    bool scaled;
    // The range key that bounds the field (an unreadable scaled field falls back on its
    // lower bound); none for the lists, the texts and the current alarm threshold.
    std::optional<RangeKey> rangeKey;
};
const FieldInfo& fieldInfo(ParamControl c);

// Codes of the three drop-down lists, by choice index.
inline constexpr std::array<const char16_t*, 3> kLanguageCodes = {u"F", u"A", u"C"};
inline constexpr std::array<const char16_t*, 3> kModeCodes = {u"00000", u"00001", u"00002"};
inline constexpr std::array<const char16_t*, 2> kAlarmCodes = {u"00000", u"00001"};

// What the editor's controls hold: the texts of the edits and the choice of each list
// (-1: nothing selected).
struct EditorValues {
    std::array<QString, kCheckedFieldCount> numbers;
    QString opcom;
    QString date;
    int langue = 0;
    int modef = 0;
    int alarm = 0;

    QString& number(ParamControl c) { return numbers[index(c)]; }
    const QString& number(ParamControl c) const { return numbers[index(c)]; }

    // The contents the editor's form starts with, before any file is shown.
    static EditorValues initial();
    friend bool operator==(const EditorValues&, const EditorValues&) = default;
};

// Most values may be changed only in maintenance mode.
enum class Access { Always, Never, MaintenanceOnly };
Access controlAccess(ParamControl c);
bool isControlEnabled(ParamControl c, bool maintenanceMode);

// The three settings an instrument with a "2." software version does not use; they are
// hidden (label and field) but keep their values and stay in the check and in the file.
inline constexpr std::array<ParamControl, 3> kVersionDependentControls = {
    ParamControl::Ralard, ParamControl::Geclsb, ParamControl::Gcoefs};
// Object names of the labels beside them, in the same order.
inline constexpr std::array<const char16_t*, 3> kVersionDependentLabels = {u"Label44", u"Label52",
                                                                           u"Label54"};
// Which of the 18 checked fields the operator cannot see (by check order).
using HiddenFields = std::array<bool, kCheckedFieldCount>;

// `versionLabel` is the text of the identity box's software version label.
bool versionHidesOptionalSettings(const QString& versionLabel);

// The checked fields the editor does not show for an instrument of that software version:
// the version-dependent settings, and the communication time-out, which is kept in the file
// but never offered.
HiddenFields hiddenSettings(const QString& versionLabel);

// The caption of the label beside a control, in the installed language ("Temps de comptage
// (ms)  (*)", ...).
QString controlCaption(ParamControl c);
// Translation context of the captions.
inline constexpr const char* kParamCaptionContext = "ParamEditorPanel";
