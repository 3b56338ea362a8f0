#include "archive/ArchiveSpool.h"

#include "archive/Archive.h"
#include "archive/ArchiveError.h"
#include "common/Errors.h"
#include "common/Messages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

const QString kSuffix = QStringLiteral(".vexa-archive.json");

// Time first, so that the folder's order is the downloads' order; then a digest of the
// identity, so that the name holds nothing from the instrument and one download has one
// file.
QString fileNameFor(const DownloadRecord& r) {
    const QByteArray identity =
        (r.serialNumber + QLatin1Char('\n') + archiveTimeText(r.downloadedAt) + QLatin1Char('\n') +
         sha256Hex(r.fileBytes))
            .toUtf8();
    return r.downloadedAt.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmsszzz-")) +
           QString::fromLatin1(
               QCryptographicHash::hash(identity, QCryptographicHash::Sha256).toHex().left(24)) +
           kSuffix;
}

// The rename that made the file appear is on the disk only once its folder is.
void syncFolder(const QString& folder) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

DownloadRecord readSpoolFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ArchiveError(file.errorString());
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (!document.isObject())
        throw ArchiveError(error.errorString());
    return recordFromJson(document.object());
}

} // namespace

ArchiveSpool::ArchiveSpool(QString folder) : m_folder(std::move(folder)) {}

QString ArchiveSpool::put(const DownloadRecord& record) {
    if (!QDir().mkpath(m_folder))
        throw EFileError(msg(MsgId::CannotWriteFile).arg(m_folder));
    const QString path = QDir(m_folder).filePath(fileNameFor(record));
    QSaveFile file(path);
    const QByteArray bytes = QJsonDocument(recordToJson(record)).toJson(QJsonDocument::Compact);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EFileError(msg(MsgId::CannotWriteFileReason).arg(path, file.errorString()));
    syncFolder(m_folder);
    return path;
}

QStringList ArchiveSpool::pending() const {
    const QDir dir(m_folder);
    QStringList paths;
    for (const QString& name : dir.entryList({QLatin1Char('*') + kSuffix}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

ArchiveSpool::FlushResult ArchiveSpool::flush(Archive& archive) {
    FlushResult result;
    for (const QString& path : pending()) {
        DownloadRecord record;
        try {
            record = readSpoolFile(path);
        } catch (const ArchiveError& error) {
            result.problems << msg(MsgId::ArchiveSpoolUnreadable).arg(path, error.message());
            continue;
        }
        if (archive.store(record) == Archive::Stored::Added)
            ++result.added;
        else
            ++result.alreadyThere;
        // Gone already when another flush got there first: stored all the same.
        QFile::remove(path);
    }
    syncFolder(m_folder);
    return result;
}
