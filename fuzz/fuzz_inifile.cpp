// The settings-file reader on any file content, and a write followed by a read.
//
// Input: the file's bytes, then (after NUL bytes) a section name, a key and a value in
// UTF-8. Names are kept to what the program's own names can be (no line end, no '[', ']'
// or '=', no blanks around them); the value to one line.
#include "FuzzSupport.h"

#include "common/IniFile.h"
#include "common/TextFile.h"

#include <QList>
#include <utility>

namespace {

bool usableName(const QString& name) {
    for (const QChar c : name) {
        if (c == u'\r' || c == u'\n' || c == u'[' || c == u']' || c == u'=')
            return false;
    }
    return name == name.trimmed();
}

// Every (section, key) the file holds, as the reader sees them.
QList<std::pair<QString, QString>> keysOf(const QByteArray& bytes) {
    QList<std::pair<QString, QString>> keys;
    QString section;
    bool inSection = false;
    for (const QString& line : splitLines(decodeText(bytes))) {
        const QString t = line.trimmed();
        if (t.startsWith(u'[')) {
            const qsizetype close = t.indexOf(u']');
            section = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
            inSection = true;
        } else if (inSection && line.contains(u'=')) {
            keys.append({section, line.left(line.indexOf(u'=')).trimmed()});
        }
    }
    return keys;
}

// A value quoted as a whole reads without its quotes.
QString asRead(const QString& value) {
    const QString t = value.trimmed();
    if (t.size() >= 2 && (t.front() == u'"' || t.front() == u'\'') && t.back() == t.front())
        return t.mid(1, t.size() - 2);
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = fuzz::bytesOf(data, size);
    const QList<QByteArray> parts = input.split('\0');
    const QByteArray fileBytes = parts.value(0);
    const QString section = QString::fromUtf8(parts.value(1, "CONFIG"));
    const QString key = QString::fromUtf8(parts.value(2, "Language"));
    const QString value = QString::fromUtf8(parts.value(3, "1036"));
    const QString missing = QStringLiteral("\x01missing");

    const QList<std::pair<QString, QString>> keys = keysOf(fileBytes);
    QStringList before;
    for (const auto& [s, k] : keys)
        before.append(iniValue(fileBytes, s, k, missing));

    if (!usableName(section) || !usableName(key) || value.contains(u'\r') || value.contains(u'\n'))
        return 0;
    const QByteArray written = iniWithEntries(fileBytes, section, {{key, value}});
    fuzz::require(iniValue(written, section, key, QString()) == asRead(value),
                  "a written value reads back (blanks and quotes around it dropped)");
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const auto& [s, k] = keys[i];
        if (s.compare(section, Qt::CaseInsensitive) == 0 &&
            k.compare(key, Qt::CaseInsensitive) == 0)
            continue;
        fuzz::require(iniValue(written, s, k, missing) == before[i],
                      "a write leaves every other key's value as it was");
    }

    // The file is those bytes: one real round trip per run shows it, the other inputs stay
    // in memory.
    static bool fileChecked = false;
    if (!fileChecked) {
        fileChecked = true;
        IniFile file(fuzz::scratchFile(fileBytes));
        file.WriteString(section, key, value);
        QFile result(file.path());
        fuzz::require(result.open(QIODevice::ReadOnly) && result.readAll() == written,
                      "a file is written as its bytes are");
        file.WriteInteger(section, key, qint32(size) - 1000);
        fuzz::require(file.ReadInteger(section, key, 0) == qint32(size) - 1000,
                      "a written integer reads back");
    }
    return 0;
}
