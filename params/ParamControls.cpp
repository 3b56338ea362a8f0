#include "params/ParamControls.h"

namespace {

struct ControlRow {
    const char16_t* objectName;
    FieldInfo field;
    Access access;
    const char16_t* initialText; // integer edits only
};

using RK = RecordKind;
using K = RangeKey;
constexpr auto kAlways = Access::Always;
constexpr auto kMaint = Access::MaintenanceOnly;

// clang-format off
const ControlRow kControls[kParamControlCount] = {
    {u"EditParamRdmesu",      {RK::R, 1, true,  K::dmesu}, kMaint,  u"100"},
    {u"EditParamRtrack",      {RK::R, 2, false, K::track}, kMaint,  u"1"},
    {u"EditParamRmoyg1",      {RK::R, 3, false, K::moyg1}, kMaint,  u"10"},
    {u"EditParamRmoyg2",      {RK::R, 4, false, K::moyg2}, kMaint,  u"10"},
    {u"EditParamRalsfmin",    {RK::R, 6, false, K::alsfm}, kMaint,  u"1"},
    {u"EditParamRalsfmax",    {RK::R, 7, false, K::alsfM}, kMaint,  u"1"},
    {u"EditParamRalsfc",      {RK::R, 8, false, {}},       kAlways, u"1"},
    {u"EditParamRalard",      {RK::R, 9, true,  K::alard}, kMaint,  u"0"},
    {u"EditParamGarret",      {RK::G, 1, false, K::arret}, kAlways, u"60"},
    {u"EditParamGbatpl",      {RK::G, 3, false, K::batpl}, kMaint,  u"1"},
    {u"EditParamGbatvi",      {RK::G, 4, false, K::batvi}, kMaint,  u"1"},
    {u"EditParamGbatar",      {RK::G, 5, false, K::batar}, kMaint,  u"1"},
    {u"EditParamGeclsh",      {RK::G, 6, false, K::eclsh}, kMaint,  u"1"},
    {u"EditParamGeclsb",      {RK::G, 7, false, K::eclsb}, kMaint,  u"1"},
    {u"EditParamGintaf",      {RK::G, 0, true,  K::intaf}, kMaint,  u"100"},
    {u"EditParamGsci0t",      {RK::G, 2, true,  K::sci0t}, kMaint,  u"0"},
    {u"EditParamGfbeep",      {RK::G, 8, false, K::fbeep}, kAlways, u"50"},
    {u"EditParamGcoefs",      {RK::G, 9, false, K::coefs}, kMaint,  u"2"},
    {u"EditParamPopcom",      {RK::P, ChampPOperator, false, {}}, kAlways, nullptr},
    {u"EditParamPDate",       {RK::P, ChampPDate,     false, {}}, Access::Never, nullptr},
    {u"ComboBoxParamPLangue", {RK::P, ChampPLanguage, false, {}}, kAlways, nullptr},
    {u"ComboBoxParamRmodef",  {RK::R, 0, false, {}}, kAlways, nullptr},
    {u"ComboBoxParamRalarm",  {RK::R, 5, false, {}}, kAlways, nullptr},
};
// clang-format on

const ControlRow& row(ParamControl c) {
    return kControls[index(c)];
}

} // namespace

QString controlObjectName(ParamControl c) {
    return QString::fromUtf16(row(c).objectName);
}

QString labelObjectName(ParamControl c) {
    for (std::size_t i = 0; i < kVersionDependentControls.size(); ++i)
        if (kVersionDependentControls[i] == c)
            return QString::fromUtf16(kVersionDependentLabels[i]);
    QString name = controlObjectName(c);
    name.remove(QStringLiteral("ComboBoxParam")).remove(QStringLiteral("EditParam"));
    return QStringLiteral("Label") + name;
}

const FieldInfo& fieldInfo(ParamControl c) {
    return row(c).field;
}

EditorValues EditorValues::initial() {
    EditorValues v;
    for (int i = 0; i < kCheckedFieldCount; ++i)
        v.numbers[i] = QString::fromUtf16(kControls[i].initialText);
    return v;
}

Access controlAccess(ParamControl c) {
    return row(c).access;
}

bool isControlEnabled(ParamControl c, bool maintenanceMode) {
    switch (controlAccess(c)) {
    case Access::Always:
        return true;
    case Access::Never:
        return false;
    case Access::MaintenanceOnly:
        return maintenanceMode;
    }
    return false;
}

bool versionHidesOptionalSettings(const QString& versionLabel) {
    return versionLabel.contains(u"2.");
}
