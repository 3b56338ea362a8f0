#include "params/ParamSave.h"

#include "common/Cp1252.h"
#include "common/DateTimeText.h"
#include "common/Errors.h"
#include "common/Messages.h"
#include "common/TextFile.h"

#include <QFileInfo>

namespace {

QString record(QStringView tag, const std::array<QString, 10>& fields) {
    QString line = tag.toString();
    for (const QString& f : fields)
        line += u' ' + f;
    return line;
}

// The file-name field only tells which file a record was saved in: a character the file
// cannot hold is shown as "_" there rather than refusing the save.
QString writableName(QString name) {
    for (QChar& c : name)
        if (!isCp1252Representable(QStringView(&c, 1)))
            c = u'_';
    return name;
}

} // namespace

QString parameterTimeStamp(const QDateTime& when, DateTimeSeparators separators) {
    return formatDateTime(when, separators);
}

QStringList rebuildParameterLines(const QStringList& lines, const QString& targetFile,
                                  const ParamState& state, const QDateTime& now) {
    const QString name = writableName(
        QFileInfo(targetFile).fileName().left(kFileNameWidth).leftJustified(kFileNameWidth, u' '));
    const QString identification = u"#P " + name + u' ' + state.ChampsP[ChampPOperator] + u' ' +
                                   parameterTimeStamp(now) + u' ' + state.ChampsP[ChampPLanguage];
    QStringList out;
    out.reserve(lines.size());
    for (QString line : lines) {
        if (line.startsWith(u"#P"))
            line = identification;
        if (line.startsWith(u"#R"))
            line = record(u"#R", state.ChampsR);
        if (line.startsWith(u"#G"))
            line = record(u"#G", state.ChampsG);
        out.append(line);
    }
    return out;
}

void SauverFichierParametres(const QString& currentFile, const QString& targetFile,
                             const ParamState& state, const QDateTime& now) {
    const QStringList lines =
        rebuildParameterLines(readTextLines(currentFile), targetFile, state, now);
    // A comment line from a UTF-8 or UTF-16 file, or an operator text from one, may hold a
    // character Windows-1252 lacks: refuse rather than write "?" in its place.
    for (const QString& line : lines)
        for (QChar c : line)
            if (!isCp1252Representable(QStringView(&c, 1)))
                throw EFileError(msg(MsgId::UnwritableCharacter).arg(QString(c), targetFile));
    writeCp1252Lines(targetFile, lines);
}
