#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

// The measurement-parameter file (.dat): four record lines "#P", "#R", "#G", "#F" that
// are at once the file's content and the commands sent to the instrument, plus range
// lines ("/dmesu 00010 > 01000") that bound what the editor accepts.

// The range keys, in the order the loader looks for them: the first seven after the
// "#R" record, the other ten after the "#G" record.
enum class RangeKey : int {
    dmesu,
    track,
    moyg1,
    moyg2,
    alsfm,
    alsfM,
    alard,
    intaf,
    arret,
    sci0t,
    batpl,
    batvi,
    batar,
    eclsh,
    eclsb,
    fbeep,
    coefs,
};
inline constexpr int kRangeKeyCount = 17;
// Keys from this one on are looked for after the "#G" record.
inline constexpr RangeKey kFirstGeneralRangeKey = RangeKey::intaf;

struct RangeKeyInfo {
    const char16_t* key;
    bool hasLower;
    qint32 lowerDefault;
    bool hasUpper;
    qint32 upperDefault;
    // The file holds these in units of 10 ms; the bounds are kept in ms, as shown.
    bool scaled;
};
const RangeKeyInfo& rangeKeyInfo(RangeKey key);

struct Bounds {
    qint32 lower = 0;
    qint32 upper = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

// Bounds per key, in the unit the editor shows.
class RangeTable {
public:
    Bounds& operator[](RangeKey key) { return m_bounds[static_cast<int>(key)]; }
    const Bounds& operator[](RangeKey key) const { return m_bounds[static_cast<int>(key)]; }
    friend bool operator==(const RangeTable&, const RangeTable&) = default;

private:
    std::array<Bounds, kRangeKeyCount> m_bounds{};
};

// What the loaded file gave. Loading only overwrites what a file provides, so a record or
// key that a file lacks keeps the value of an earlier load (or the initial empty texts and
// zero bounds).
struct ParamState {
    // File name, operator text, date, language code, as cut from the "#P" record.
    std::array<QString, 4> ChampsP;
    // The ten fields of "#R" (modef ... alard) and of "#G" (intaf ... coefs).
    std::array<QString, 10> ChampsR;
    std::array<QString, 10> ChampsG;
    RangeTable Plages;
};

// Indexes into ChampsP.
enum ChampP : int { ChampPFileName = 0, ChampPOperator, ChampPDate, ChampPLanguage };

// Widths of the "#P" texts and of every "#R"/"#G" field.
inline constexpr int kFileNameWidth = 20;
inline constexpr int kOperatorWidth = 20;
inline constexpr int kDateWidth = 19;
inline constexpr int kFieldWidth = 5;

// Lower and upper bound of a range line: the five characters ending two before the first
// ">", and the five starting two after it; `defaut` when the slot is not an integer.
qint32 RechercheMin(QStringView chaine, qint32 defaut);
qint32 RechercheMax(QStringView chaine, qint32 defaut);

// Whether `line` is a range line of `key` ("/key" or "/ key" anywhere, case-sensitive).
bool isRangeLine(QStringView line, RangeKey key);

// Feeds every line into `state`, each line tested for every kind independently.
void loadParameterLines(const QStringList& lines, ParamState& state);

// Reads `path` (byte-order mark or Windows-1252; any line ends) and loads it. A file that
// cannot be read raises EFileError and leaves `state` untouched.
void ChargerFichierParametres(const QString& path, ParamState& state);

// The validity check applied when a file is chosen: "#P", "#R", "#G" and "#F" each occur
// somewhere in the text, not necessarily at a line start.
bool isValidParameterText(const QStringList& lines);
// Same on a file; raises EFileError when it cannot be read.
bool isValidParameterFile(const QString& path);
