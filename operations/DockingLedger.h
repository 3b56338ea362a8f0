#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

// What happened to one instrument docked on the PC: one line of the ledger.
struct DockingRecord {
    QDateTime time; // when it was handled
    QString port;
    QString serialNumber;
    QString softwareVersion;
    std::optional<int> filesAnnounced; // the "#T" reply; none when it never came
    int fileHeaders = 0;
    int measurementLines = 0;
    QString resultFile; // empty when none was written
    QString sha256;     // of the result file, lowercase hex
    bool clockSet = false;
    bool memoryErased = false;
    QString outcome; // the outcome's name
    int exitStatus = 0;
    // "archived" or "archive pending"; empty when no archive was asked for.
    QString archive;
};

// The names of the columns, in order: the ledger's header line and the JSON keys.
const QStringList& dockingLedgerColumns();

// One record as a CSV line (RFC 4180: fields quoted where they hold a comma, a quote or a
// line end; CR LF at the end), UTF-8. The time is ISO 8601 with the UTC offset.
// A text that a spreadsheet would run as a formula (it begins with = + - @ or a control)
// gets a leading ' so that opening the ledger runs nothing an instrument sent.
QByteArray dockingLedgerLine(const DockingRecord& record);

// The same record for `--json`: the column names as keys, no count as null.
QJsonObject dockingRecordJson(const DockingRecord& record);

// The ledger file of a docking PC. Each record is appended with one write and is on the
// disk before append() returns, so a power cut loses at most the line being written. The
// header line comes first in a new or empty file.
class DockingLedger {
public:
    explicit DockingLedger(const QString& path) : m_path(path) {}
    const QString& path() const { return m_path; }

    // Raises EFileError when the record is not safely on the disk; the ledger is then left
    // as it was. A path that is not a regular file (a FIFO, a device, a symbolic link put
    // in its place) is refused at once, without waiting on it.
    void append(const DockingRecord& record) const;

private:
    QString m_path;
};
