#include "common/IniFile.h"

#include "common/Cp1252.h"
#include "common/Errors.h"
#include "common/IntConv.h"
#include "common/Messages.h"
#include "common/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

namespace {

// A file's bytes; a missing file reads as empty.
struct FileBytes {
    QByteArray bytes;
    // The file is there but its content could not be read.
    bool unreadable = false;
};

FileBytes load(const QString& path) {
    FileBytes result;
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.unreadable = true;
        return result;
    }
    result.bytes = file.readAll();
    result.unreadable = file.error() != QFileDevice::NoError;
    return result;
}

// A value in quotes reads without them, as the platform's private-profile reading does.
QString unquoted(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// The section name of a header line, or a null string when the line is not one.
QString sectionOf(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return {};
    const qsizetype close = t.indexOf(u']');
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

bool keyMatches(const QString& line, const QString& key, QString* value = nullptr) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    if (line.left(eq).trimmed().compare(key.trimmed(), Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = unquoted(line.mid(eq + 1).trimmed());
    return true;
}

QByteArray encode(const QStringList& lines, TextEncoding encoding) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    if (encoding == TextEncoding::Cp1252 && !isCp1252Representable(text))
        encoding = TextEncoding::Utf8Bom;
    switch (encoding) {
    case TextEncoding::Cp1252:
        return toCp1252(text);
    case TextEncoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case TextEncoding::Utf16LeBom:
    case TextEncoding::Utf16BeBom: {
        const bool le = encoding == TextEncoding::Utf16LeBom;
        QStringEncoder encoder(le ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE);
        return QByteArray(le ? "\xFF\xFE" : "\xFE\xFF") + QByteArray(encoder(text));
    }
    }
    return {};
}

} // namespace

QString iniValue(const QByteArray& bytes, const QString& section, const QString& key,
                 const QString& def) {
    bool inSection = false;
    for (const QString& line : splitLines(decodeText(bytes))) {
        const QString name = sectionOf(line);
        if (!name.isNull()) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QString value;
        if (inSection && keyMatches(line, key, &value))
            return value;
    }
    return def;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    return iniValue(load(m_path).bytes, section, key, def);
}

qint32 IniFile::ReadInteger(const QString& section, const QString& key, qint32 def) const {
    return tryStrToInt(ReadString(section, key, QString())).value_or(def);
}

namespace {

// Puts `key=value` into the lines the way the platform's private-profile writing does.
void putEntry(QStringList& lines, const QString& section, const QString& key,
              const QString& value) {
    // A line end inside a value would split it or add lines of its own; written empty, the
    // key reads as absent next time.
    const bool oneLine = !value.contains(u'\r') && !value.contains(u'\n');
    const QString entry = key + u'=' + (oneLine ? value : QString());

    qsizetype sectionStart = -1; // index of the header line
    qsizetype lastContent = -1;  // last non-blank line of the section
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString name = sectionOf(lines[i]);
        if (!name.isNull()) {
            if (sectionStart >= 0)
                break; // the next section begins
            if (name.compare(section, Qt::CaseInsensitive) == 0)
                sectionStart = lastContent = i;
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (keyMatches(lines[i], key)) {
            lines[i] = entry; // replaced in place
            return;
        }
        if (!lines[i].trimmed().isEmpty())
            lastContent = i;
    }
    if (sectionStart >= 0) {
        lines.insert(lastContent + 1, entry);
    } else {
        lines.append(u'[' + section + u']');
        lines.append(entry);
    }
}

} // namespace

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    writeStrings(section, {{key, value}});
}

QByteArray iniWithEntries(const QByteArray& bytes, const QString& section,
                          const QList<IniFile::Entry>& entries) {
    TextEncoding encoding = TextEncoding::Cp1252;
    QStringList lines = splitLines(decodeText(bytes, &encoding));
    for (const auto& [key, value] : entries)
        putEntry(lines, section, key, value);
    return encode(lines, encoding);
}

void IniFile::writeStrings(const QString& section, const QList<Entry>& entries) {
    const FileBytes file = load(m_path);
    // Writing what could not be read would lose every other section and key of the file.
    if (file.unreadable)
        throw EFileError(msg(MsgId::CannotReadFile).arg(m_path));
    const QByteArray bytes = iniWithEntries(file.bytes, section, entries);
    try {
        writeFileAtomically(m_path, bytes);
    } catch (const EFileError&) {
        throw EFileError(msg(MsgId::CannotWriteIni).arg(m_path));
    }
}

void IniFile::WriteInteger(const QString& section, const QString& key, qint32 value) {
    WriteString(section, key, QString::number(value));
}
