#pragma once

#include "archive/ArchiveRecords.h"

#include <QTimeZone>

// A download as a docking PC hands it to the archive; the bytes tell downloads apart.
inline DownloadRecord sampleDownload(const QString& serial, const QDateTime& at,
                                     const QByteArray& bytes) {
    DownloadRecord r;
    r.serialNumber = serial;
    r.productReference = QStringLiteral("VXM-200");
    r.pmReference = QStringLiteral("PM 38/12");
    r.softwareVersion = QStringLiteral("4.07");
    r.downloadedAt = at;
    r.hostName = QStringLiteral("dock-1");
    r.userName = QStringLiteral("rp-service");
    r.programVersion = QStringLiteral("1.0.1");
    r.port = QStringLiteral("/dev/ttyUSB0");
    r.filesAnnounced = 2;
    r.fileHeaders = 2;
    r.measurementLines = 25;
    r.outcome = QStringLiteral("done");
    r.clockSet = true;
    r.setFile(QStringLiteral("VEXA2405061730-%1.txt").arg(serial), bytes);
    return r;
}

inline QDateTime utc(int year, int month, int day, int hour = 12) {
    return QDateTime(QDate(year, month, day), QTime(hour, 0, 0, 125), QTimeZone::utc());
}

// Every byte value, a Windows-1252 "é" and line ends of both kinds: what must come back as it went.
inline QByteArray awkwardBytes(const QByteArray& tag) {
    QByteArray bytes = "#F " + tag + "\r\nmesure\xe9\n";
    for (int i = 0; i < 256; ++i)
        bytes.append(static_cast<char>(i));
    return bytes;
}
