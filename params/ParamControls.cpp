#include "params/ParamControls.h"

#include <QCoreApplication>

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

// Captions of the labels beside the controls, by control.
// clang-format off
const char* const kCaptions[kParamControlCount] = {
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Temps de comptage (ms)  (*)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Intervalle de temps en mode tracking (s)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Moyenne glissante affichage (points)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Moyenne glissantealarme (points)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Seuil fixe minimum (cps)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Seuil fixe maximum (cps)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Seuil fixe courant (cps)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Temporisation fin d'alarme (ms)  (*)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Durée avant arrêt auto (s)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Tension batterie pleine (1/100 V)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Tension batterie vide (1/100 V)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Seuil d'arrêt sur batterie vide (1/100 V)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Seuil haut éclairage LCD (0-1023)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Seuil bas éclairage LCD (0-1023)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Rafraichissement à l'écran (ms)  (*)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Time out communications série/USB (ms)  (*)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Fréquence buzzer (Hz)"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Coefficient seuil dynamique"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Opérateur / Commentaires"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Ficher créé le"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Langue"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Mode"),
    QT_TRANSLATE_NOOP("ParamEditorPanel", "Alarme"),
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

HiddenFields hiddenSettings(const QString& versionLabel) {
    HiddenFields hidden{};
    hidden[index(ParamControl::Gsci0t)] = true;
    if (versionHidesOptionalSettings(versionLabel))
        for (ParamControl c : kVersionDependentControls)
            hidden[index(c)] = true;
    return hidden;
}

QString controlCaption(ParamControl c) {
    return QCoreApplication::translate(kParamCaptionContext, kCaptions[index(c)]);
}
