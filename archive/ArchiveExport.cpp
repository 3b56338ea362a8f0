#include "archive/ArchiveExport.h"

#include "common/Errors.h"
#include "common/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The name alone, with letters, digits, "-", "_" and "." only and no leading dot; the
// serial number and time stand in for a name that leaves nothing.
QString safeName(const DownloadRecord& d) {
    QString name = d.resultFileName.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    for (QChar& c : name) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                           c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('.');
        if (!plain)
            c = QLatin1Char('_');
    }
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (name.isEmpty())
        name = QStringLiteral("VEXA-%1-%2.txt")
                   .arg(d.sha256.left(16),
                        d.downloadedAt.toUTC().toString(QStringLiteral("yyyyMMddHHmmsszzz")));
    return name;
}

QString numbered(const QString& name, int n) {
    if (n == 1)
        return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString suffix = QLatin1Char('-') + QString::number(n);
    if (dot <= 0)
        return name + suffix;
    return name.left(dot) + suffix + name.mid(dot);
}

bool holds(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.size() == bytes.size() && file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

[[noreturn]] void cannotWrite(const QString& path, const QString& reason) {
    throw EFileError(msg(MsgId::CannotWriteFileReason).arg(path, reason));
}

ExportedFile writeOne(const QDir& dir, const ArchiveEntry& entry, const QByteArray& bytes) {
    const QString name = safeName(entry.download);
    for (int n = 1;; ++n) {
        const QString path = dir.filePath(numbered(name, n));
        if (holds(path, bytes))
            return {entry, path, true};
        // NewOnly fails on a name taken in the meantime, by another program too.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path))
                continue;
            cannotWrite(path, file.errorString());
        }
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            const QString reason = file.errorString();
            file.remove();
            cannotWrite(path, reason);
        }
        return {entry, path, false};
    }
}

} // namespace

QList<ExportedFile> exportDownloads(Archive& archive, const ArchiveFilter& filter,
                                    const QString& folder) {
    if (!QDir().mkpath(folder))
        throw EFileError(msg(MsgId::CannotWriteFile).arg(folder));
    const QDir dir(folder);
    QList<ExportedFile> exported;
    for (const ArchiveEntry& entry : archive.list(filter))
        exported << writeOne(dir, entry, archive.fileBytes(entry.download));
    return exported;
}
