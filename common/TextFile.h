#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

enum class TextEncoding { Cp1252, Utf8Bom, Utf16LeBom, Utf16BeBom };

// Decodes file content: a byte-order mark selects UTF-8 or UTF-16 (LE/BE), otherwise the
// bytes are Windows-1252. The mark itself is not part of the text.
QString decodeText(const QByteArray& bytes, TextEncoding* found = nullptr);

// Splits on CR LF, lone CR or lone LF. A line end after the last line adds no empty line.
QStringList splitLines(const QString& text);

// Whole-file readers; a file that cannot be opened raises EFileError naming it.
QByteArray readFileBytes(const QString& path);
QStringList readTextLines(const QString& path);

// Writes every line followed by CR LF, in Windows-1252 without a byte-order mark.
// The file is replaced only once the new content is complete on disk, so a failure
// leaves any earlier file as it was; it raises EFileError naming the file.
void writeCp1252Lines(const QString& path, const QStringList& lines);

// Replaces `path` with `bytes` the same safe way.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

// The bytes writeCp1252Lines puts in a file.
QByteArray cp1252LineBytes(const QStringList& lines);

// A file known to be on the disk as it was meant: its size and SHA-256 (lowercase hex).
struct StoredFile {
    qint64 size = 0;
    QString sha256;
};

// Writes `lines` as writeCp1252Lines does, then makes sure the disk holds them before the
// caller destroys the only other copy (an instrument's memory): the file and its folder
// flushed to the device, the file read back and compared byte for byte. Any failure raises
// EFileError naming the file or folder and the reason; a file may then be left in place,
// unproven.
StoredFile writeCp1252LinesDurably(const QString& path, const QStringList& lines);

// Makes the name of `path` in its folder survive a power cut (a new file's entry). Raises
// EFileError naming the folder where it cannot. Does nothing where folders cannot be synced.
void syncFolderOf(const QString& path);

// Reads `path` back and compares it with `expected`; a difference raises EFileError with
// both sizes and the first byte that differs.
StoredFile verifyFileBytes(const QString& path, const QByteArray& expected);
