#include "common/TextFile.h"

#include "common/Cp1252.h"
#include "common/Errors.h"
#include "common/Messages.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

QString decodeText(const QByteArray& bytes, TextEncoding* found) {
    auto decode = [&](QStringDecoder::Encoding enc, int bomSize, TextEncoding kind) {
        if (found)
            *found = kind;
        QStringDecoder decoder(enc, QStringDecoder::Flag::Stateless);
        return QString(decoder(QByteArrayView(bytes).sliced(bomSize)));
    };
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decode(QStringDecoder::Utf8, 3, TextEncoding::Utf8Bom);
    if (bytes.startsWith("\xFF\xFE"))
        return decode(QStringDecoder::Utf16LE, 2, TextEncoding::Utf16LeBom);
    if (bytes.startsWith("\xFE\xFF"))
        return decode(QStringDecoder::Utf16BE, 2, TextEncoding::Utf16BeBom);
    if (found)
        *found = TextEncoding::Cp1252;
    return fromCp1252(bytes);
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    // Only ordinary files: a pipe planted under the name would keep the reader waiting for
    // a writer for ever.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        throw EFileError(msg(MsgId::CannotReadFile).arg(path));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EFileError(msg(MsgId::CannotReadFile).arg(path));
    return bytes;
}

QStringList readTextLines(const QString& path) {
    return splitLines(decodeText(readFileBytes(path)));
}

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // commit() alone misses a failed flush of the last buffered bytes (a full disk) and
    // would then put a truncated file in place of the good one.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit()) {
        // The system's reason tells a folder the user may not write from a full disk.
        const QString reason = file.errorString();
        throw EFileError(file.error() == QFileDevice::NoError || reason.isEmpty()
                             ? msg(MsgId::CannotWriteFile).arg(path)
                             : msg(MsgId::CannotWriteFileReason).arg(path, reason));
    }
}

void writeCp1252Lines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    qsizetype total = 0;
    for (const QString& line : lines)
        total += line.size() + 2;
    bytes.reserve(total);
    for (const QString& line : lines) {
        bytes += toCp1252(line);
        bytes += "\r\n";
    }
    writeFileAtomically(path, bytes);
}
