#include "archive/ArchiveRecords.h"

#include "archive/ArchiveError.h"

#include <QCryptographicHash>
#include <QJsonValue>
#include <QTimeZone>

namespace {

void putDownloadFields(QJsonObject& object, const DownloadRecord& r) {
    object[QLatin1String("serialNumber")] = r.serialNumber;
    object[QLatin1String("productReference")] = r.productReference;
    object[QLatin1String("pmReference")] = r.pmReference;
    object[QLatin1String("softwareVersion")] = r.softwareVersion;
    object[QLatin1String("downloadedAt")] = archiveTimeText(r.downloadedAt);
    object[QLatin1String("hostName")] = r.hostName;
    object[QLatin1String("userName")] = r.userName;
    object[QLatin1String("programVersion")] = r.programVersion;
    object[QLatin1String("port")] = r.port;
    object[QLatin1String("filesAnnounced")] = r.filesAnnounced;
    object[QLatin1String("fileHeaders")] = r.fileHeaders;
    object[QLatin1String("measurementLines")] = r.measurementLines;
    object[QLatin1String("outcome")] = r.outcome;
    object[QLatin1String("clockSet")] = r.clockSet;
    object[QLatin1String("memoryErased")] = r.memoryErased;
    object[QLatin1String("resultFileName")] = r.resultFileName;
    object[QLatin1String("sha256")] = r.sha256;
}

QString text(const QJsonObject& object, const char* key) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isString())
        throw ArchiveError(QLatin1String(key));
    return value.toString();
}

int number(const QJsonObject& object, const char* key) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isDouble())
        throw ArchiveError(QLatin1String(key));
    return value.toInt();
}

bool flag(const QJsonObject& object, const char* key) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isBool())
        throw ArchiveError(QLatin1String(key));
    return value.toBool();
}

} // namespace

void DownloadRecord::setFile(const QString& name, const QByteArray& bytes) {
    resultFileName = name;
    fileBytes = bytes;
    sha256 = sha256Hex(bytes);
}

QString archiveTimeText(const QDateTime& time) {
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

QDateTime archiveTimeFromText(const QString& text) {
    const QDateTime read = QDateTime::fromString(text, QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
    return read.isValid() ? QDateTime(read.date(), read.time(), QTimeZone::utc()) : QDateTime();
}

QString sha256Hex(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QJsonObject toJson(const ArchiveEntry& entry) {
    QJsonObject object;
    putDownloadFields(object, entry.download);
    object[QLatin1String("fileSize")] = entry.fileSize;
    object[QLatin1String("archivedAt")] = archiveTimeText(entry.archivedAt);
    return object;
}

QJsonObject toJson(const InstrumentEntry& instrument) {
    return {{QLatin1String("serialNumber"), instrument.serialNumber},
            {QLatin1String("productReference"), instrument.productReference},
            {QLatin1String("pmReference"), instrument.pmReference},
            {QLatin1String("softwareVersion"), instrument.softwareVersion},
            {QLatin1String("firstSeen"), archiveTimeText(instrument.firstSeen)},
            {QLatin1String("lastSeen"), archiveTimeText(instrument.lastSeen)}};
}

QJsonObject recordToJson(const DownloadRecord& record) {
    QJsonObject object;
    putDownloadFields(object, record);
    object[QLatin1String("fileBytes")] = QString::fromLatin1(record.fileBytes.toBase64());
    return object;
}

DownloadRecord recordFromJson(const QJsonObject& object) {
    DownloadRecord r;
    r.serialNumber = text(object, "serialNumber");
    r.productReference = text(object, "productReference");
    r.pmReference = text(object, "pmReference");
    r.softwareVersion = text(object, "softwareVersion");
    r.downloadedAt = archiveTimeFromText(text(object, "downloadedAt"));
    if (!r.downloadedAt.isValid())
        throw ArchiveError(QStringLiteral("downloadedAt"));
    r.hostName = text(object, "hostName");
    r.userName = text(object, "userName");
    r.programVersion = text(object, "programVersion");
    r.port = text(object, "port");
    r.filesAnnounced = number(object, "filesAnnounced");
    r.fileHeaders = number(object, "fileHeaders");
    r.measurementLines = number(object, "measurementLines");
    r.outcome = text(object, "outcome");
    r.clockSet = flag(object, "clockSet");
    r.memoryErased = flag(object, "memoryErased");
    const auto decoded = QByteArray::fromBase64Encoding(text(object, "fileBytes").toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        throw ArchiveError(QStringLiteral("fileBytes"));
    r.setFile(text(object, "resultFileName"), *decoded);
    // A spool file damaged on the disk must not reach the archive as if it were the download.
    if (r.sha256 != text(object, "sha256"))
        throw ArchiveError(QStringLiteral("sha256"));
    return r;
}
