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
