#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// An INI file accessed the way Windows' private-profile functions do: every call opens
// the file, does its one read or write and closes it again; nothing is cached. Section
// and key names compare without regard to case; blanks around a value are dropped on
// reading, and so are the quotes around a value that is quoted as a whole. A write
// replaces the key's line in place, adds a missing key at the end of its section and a
// missing section at the end of the file, leaves every other line as it was, and creates
// the file when needed. A file that is there but cannot be read is never written over
// (EFileError), and a value holding a line end is written empty.
//
// Encoding: a file with a byte-order mark keeps it (UTF-8 or UTF-16); otherwise the
// file is Windows-1252, unless a value cannot be represented there, in which case the
// file is rewritten as UTF-8 with a mark rather than losing characters.
class IniFile {
public:
    explicit IniFile(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // The default also stands in for a value that is not an integer.
    qint32 ReadInteger(const QString& section, const QString& key, qint32 def) const;

    // Raise EFileError "Impossible d'écrire dans <path>" when the file cannot be written.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, qint32 value);
    // Several keys of one section, in order, in one write of the file: all of them or none.
    using Entry = std::pair<QString, QString>;
    void writeStrings(const QString& section, const QList<Entry>& entries);

private:
    QString m_path;
};

// The reading and the writing above on a file's bytes, without the file: the value of a key
// (`def` when absent), and the bytes with the entries put in.
QString iniValue(const QByteArray& bytes, const QString& section, const QString& key,
                 const QString& def);
QByteArray iniWithEntries(const QByteArray& bytes, const QString& section,
                          const QList<IniFile::Entry>& entries);
