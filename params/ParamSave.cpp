#include "params/ParamSave.h"

#include "common/Cp1252.h"
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

QString twoDigits(int v) {
    return QString::number(v).rightJustified(2, u'0');
}

} // namespace

QString parameterTimeStamp(const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    return twoDigits(d.day()) + kDateSeparator + twoDigits(d.month()) + kDateSeparator +
           QString::number(d.year()).rightJustified(4, u'0') + u' ' + twoDigits(t.hour()) +
           kTimeSeparator + twoDigits(t.minute()) + kTimeSeparator + twoDigits(t.second());
}

QStringList rebuildParameterLines(const QStringList& lines, const QString& targetFile,
                                  const ParamState& state, const QDateTime& now) {
    const QString name =
        QFileInfo(targetFile).fileName().left(kFileNameWidth).leftJustified(kFileNameWidth, u' ');
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
        rebuildParameterLines(ReadTextLines(currentFile), targetFile, state, now);
    for (const QString& line : lines)
        if (!isCp1252Representable(line))
            throw EFileError(Msg(MsgId::CannotWriteFile).arg(targetFile));
    WriteCp1252Lines(targetFile, lines);
}
