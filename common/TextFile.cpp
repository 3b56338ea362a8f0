#include "common/TextFile.h"

#include "common/Cp1252.h"
#include "common/Errors.h"
#include "common/Messages.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

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

namespace {

// `beforeCommit` runs on the complete temporary file and may raise; the earlier file stays.
void saveAtomically(const QString& path, const QByteArray& bytes,
                    void (*beforeCommit)(QSaveFile&, const QString&) = nullptr) {
    QSaveFile file(path);
    // commit() alone misses a failed flush of the last buffered bytes (a full disk) and
    // would then put a truncated file in place of the good one.
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
    if (written && beforeCommit)
        beforeCommit(file, path);
    if (!written || !file.commit()) {
        // The system's reason tells a folder the user may not write from a full disk.
        const QString reason = file.errorString();
        throw EFileError(file.error() == QFileDevice::NoError || reason.isEmpty()
                             ? msg(MsgId::CannotWriteFile).arg(path)
                             : msg(MsgId::CannotWriteFileReason).arg(path, reason));
    }
}

#ifdef Q_OS_UNIX
// QSaveFile syncs the file too but ignores a failure, and the error is then spent: a later
// fsync of the same file reports nothing while the data never reached the disk.
void syncSaveFile(QSaveFile& file, const QString& path) {
    if (::fsync(file.handle()) != 0)
        throw EFileError(msg(MsgId::FileNotSafeOnDisk).arg(path, qt_error_string(errno)));
}
#endif

} // namespace

void syncFolderOf(const QString& path) {
#ifdef Q_OS_UNIX
    const QString folder = QFileInfo(path).absolutePath();
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // Some file systems cannot sync a folder (EINVAL); nothing more can be done there.
    const bool synced = fd >= 0 && (::fsync(fd) == 0 || errno == EINVAL);
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (!synced)
        throw EFileError(msg(MsgId::FileNotSafeOnDisk).arg(folder, qt_error_string(error)));
#else
    Q_UNUSED(path);
#endif
}

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    saveAtomically(path, bytes);
}

QByteArray cp1252LineBytes(const QStringList& lines) {
    QByteArray bytes;
    qsizetype total = 0;
    for (const QString& line : lines)
        total += line.size() + 2;
    bytes.reserve(total);
    for (const QString& line : lines) {
        bytes += toCp1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

void writeCp1252Lines(const QString& path, const QStringList& lines) {
    writeFileAtomically(path, cp1252LineBytes(lines));
}

StoredFile writeCp1252LinesDurably(const QString& path, const QStringList& lines) {
    const QByteArray bytes = cp1252LineBytes(lines);
#ifdef Q_OS_UNIX
    saveAtomically(path, bytes, &syncSaveFile);
    syncFolderOf(path);
#else
    saveAtomically(path, bytes);
#endif
    return verifyFileBytes(path, bytes);
}

StoredFile verifyFileBytes(const QString& path, const QByteArray& expected) {
    const QByteArray found = readFileBytes(path);
    if (found != expected) {
        const qsizetype common = std::min(found.size(), expected.size());
        qsizetype first = 0;
        while (first < common && found[first] == expected[first])
            ++first;
        throw EFileError(msg(MsgId::FileDiffersOnDisk)
                             .arg(path)
                             .arg(expected.size())
                             .arg(found.size())
                             .arg(first + 1));
    }
    return {found.size(), QString::fromLatin1(
                              QCryptographicHash::hash(found, QCryptographicHash::Sha256).toHex())};
}
