#include "params/ParamFile.h"

#include "common/IntConv.h"
#include "common/TextFields.h"
#include "common/TextFile.h"

namespace {

// clang-format off
constexpr RangeKeyInfo kRangeKeys[kRangeKeyCount] = {
    {u"dmesu", true,  10,  true,  1000,  true},
    {u"track", true,  1,   true,  99,    false},
    {u"moyg1", true,  1,   true,  100,   false},
    {u"moyg2", true,  1,   true,  100,   false},
    {u"alsfm", true,  50,  true,  20000, false},
    {u"alsfM", false, 0,   true,  20000, false},
    // The end-of-alarm delay's bounds are written in ms already, unlike its field.
    {u"alard", true,  0,   true,  1000,  false},
    {u"intaf", true,  10,  true,  100,   true},
    {u"arret", true,  60,  true,  1800,  false},
    {u"sci0t", true,  0,   true,  1000,  true},
    {u"batpl", true,  200, true,  1000,  false},
    {u"batvi", true,  200, false, 0,     false},
    {u"batar", true,  180, false, 0,     false},
    {u"eclsh", true,  0,   true,  1023,  false},
    {u"eclsb", true,  0,   true,  1023,  false},
    {u"fbeep", true,  50,  true,  2500,  false},
    {u"coefs", true,  2,   true,  10,    false},
};
// clang-format on

// The five characters of a bound from position `start`; a start before the line's first
// character counts as the first.
QStringView slot(QStringView line, qsizetype start) {
    return fieldAt(line, std::max<qsizetype>(1, start), 5);
}

qsizetype firstGreaterPosition(QStringView line) {
    return line.indexOf(u'>') + 1; // 0 when there is none
}

void loadFields(const QString& line, std::array<QString, 10>& fields) {
    for (int k = 1; k <= 10; ++k)
        fields[k - 1] = fieldAt(line, 6 * k - 2, kFieldWidth);
}

void loadRange(const QString& line, RangeKey key, RangeTable& plages) {
    if (!isRangeLine(line, key))
        return;
    const RangeKeyInfo& info = rangeKeyInfo(key);
    const qint32 factor = info.scaled ? 10 : 1;
    Bounds& bounds = plages[key];
    if (info.hasLower)
        bounds.lower = RechercheMin(line, info.lowerDefault) * factor;
    if (info.hasUpper)
        bounds.upper = RechercheMax(line, info.upperDefault) * factor;
}

void loadRanges(const QString& line, int first, int last, RangeTable& plages) {
    for (int k = first; k <= last; ++k)
        loadRange(line, static_cast<RangeKey>(k), plages);
}

} // namespace

const RangeKeyInfo& rangeKeyInfo(RangeKey key) {
    return kRangeKeys[static_cast<int>(key)];
}

qint32 RechercheMin(QStringView chaine, qint32 defaut) {
    const qsizetype p = firstGreaterPosition(chaine);
    return tryStrToInt(slot(chaine, p - 6)).value_or(defaut);
}

qint32 RechercheMax(QStringView chaine, qint32 defaut) {
    const qsizetype p = firstGreaterPosition(chaine);
    return tryStrToInt(slot(chaine, p + 2)).value_or(defaut);
}

bool isRangeLine(QStringView line, RangeKey key) {
    // "/name" or "/ name" anywhere in the line, looked for without building a text: the
    // loader asks this of every line for every key.
    const QStringView name(rangeKeyInfo(key).key);
    for (qsizetype slash = line.indexOf(u'/'); slash >= 0; slash = line.indexOf(u'/', slash + 1)) {
        const QStringView rest = line.sliced(slash + 1);
        if (rest.startsWith(name) || (rest.startsWith(u' ') && rest.sliced(1).startsWith(name)))
            return true;
    }
    return false;
}

void loadParameterLines(const QStringList& lines, ParamState& state) {
    constexpr int firstGeneral = static_cast<int>(kFirstGeneralRangeKey);
    for (const QString& line : lines) {
        if (line.startsWith(u"#P")) {
            state.ChampsP[ChampPFileName] = fieldAt(line, 4, kFileNameWidth);
            state.ChampsP[ChampPOperator] = fieldAt(line, 25, kOperatorWidth);
            state.ChampsP[ChampPDate] = fieldAt(line, 46, kDateWidth);
            state.ChampsP[ChampPLanguage] = fieldAt(line, 66, 1);
        }
        if (line.startsWith(u"#R"))
            loadFields(line, state.ChampsR);
        loadRanges(line, 0, firstGeneral - 1, state.Plages);
        if (line.startsWith(u"#G"))
            loadFields(line, state.ChampsG);
        loadRanges(line, firstGeneral, kRangeKeyCount - 1, state.Plages);
    }
}

void ChargerFichierParametres(const QString& path, ParamState& state) {
    const QStringList lines = readTextLines(path);
    loadParameterLines(lines, state);
}

bool isValidParameterText(const QStringList& lines) {
    // Every line ends with CR LF in the text searched, so a tag never spans two lines.
    for (const char16_t* tag : {u"#P", u"#R", u"#G", u"#F"}) {
        bool found = false;
        for (const QString& line : lines) {
            if (line.contains(QStringView(tag))) {
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    return true;
}

bool isValidParameterFile(const QString& path) {
    return isValidParameterText(readTextLines(path));
}
