#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>

// One download as the archive keeps it: the instrument, the circumstances, and the result
// file's exact bytes. Serial number, time and SHA-256 identify it.
struct DownloadRecord {
    // The instrument
    QString serialNumber;
    QString productReference;
    QString pmReference;
    QString softwareVersion;
    // The download
    QDateTime downloadedAt; // kept to the millisecond, in UTC
    QString hostName;
    QString userName;
    QString programVersion;
    QString port;
    int filesAnnounced = 0; // by "#T"
    int fileHeaders = 0;    // received
    int measurementLines = 0;
    QString outcome;
    bool clockSet = false;
    bool memoryErased = false;
    QString resultFileName; // the name alone, without its folder
    QString sha256;         // lower-case hexadecimal, of fileBytes
    QByteArray fileBytes;

    // A record whose SHA-256 is computed from the bytes given.
    void setFile(const QString& name, const QByteArray& bytes);
};

// A download as reading the archive back gives it: the bytes are left out of lists.
struct ArchiveEntry {
    DownloadRecord download; // fileBytes empty
    qint64 fileSize = 0;
    QDateTime archivedAt;
};

// An instrument and when it was read first and last.
struct InstrumentEntry {
    QString serialNumber;
    QString productReference;
    QString pmReference;
    QString softwareVersion;
    QDateTime firstSeen;
    QDateTime lastSeen;
};

// The archive's form of a time: ISO 8601 in UTC to the millisecond, always 24 characters,
// so that texts sort as the times do in both engines.
QString archiveTimeText(const QDateTime& time);
QDateTime archiveTimeFromText(const QString& text);

QString sha256Hex(const QByteArray& bytes);

// Every field but the bytes (the cli's --json), and the whole record with the bytes in
// base64 (the spool's file); fromJson throws ArchiveError on a record it cannot take.
QJsonObject toJson(const ArchiveEntry& entry);
QJsonObject toJson(const InstrumentEntry& instrument);
QJsonObject recordToJson(const DownloadRecord& record);
DownloadRecord recordFromJson(const QJsonObject& object);
