#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

#include "common/TextFile.h"

#include <optional>

class CommandExchange;
class OperatorFeedback;

// Where the lines of a transfer are shown while they arrive (the Lecture panel's memo).
class TransferView {
public:
    virtual ~TransferView() = default;
    virtual void ClearLines() = 0;
    virtual void AppendLine(const QString& line) = 0;
    // Called once the last line is in: whatever the view still holds back goes on screen.
    virtual void Flush() {}
    // Before each "#OK": the counters the status text shows, for a view that draws them.
    virtual void Progress(int fileCounter, int fileCount, int measurementCounter) {
        Q_UNUSED(fileCounter);
        Q_UNUSED(fileCount);
        Q_UNUSED(measurementCounter);
    }
};

// The name the Lecture entry proposes: <folder>/VEXA<yymmddhhnn>.txt, a separator added to
// the folder when it has none at its end.
QString proposedResultFileName(const QString& folder, const QDateTime& now);

struct TransferResult {
    QString message;          // what the operator was told at the end
    QStringList lines;        // the lines of this transfer, as shown and as written
    int measurementLines = 0; // stored lines marked "#R" or "#G", each counted once
    int fileHeaderLines = 0;  // stored lines marked "#L"
    bool fileWritten = false;
    // The count of files the "#T" reply announced; none when it never came or was unreadable.
    std::optional<int> filesAnnounced;
    // The memory was read to its end marker: nothing of it is missing from `lines`.
    bool endMarkerReached = false;
    // The file as proven on the disk, when the transfer was asked to write it durably.
    std::optional<StoredFile> storedFile;
};

// Copies every measurement stored in the instrument into a result file: identity line,
// memory summary, then every stored line up to the end marker.
class MeasurementTransfer {
public:
    // Silent "#OK" exchanges in a row that are sent again before the transfer gives up.
    static constexpr int MaxRetriedTimeouts = 3;

    MeasurementTransfer(CommandExchange& exchange, OperatorFeedback& feedback,
                        TransferView* view = nullptr);

    // The whole transfer behind "Transfert". The main window is disabled and the status
    // window shown while it runs; both are restored and the port closed on every path.
    // A result file that cannot be written raises EFileError after that restoration.
    TransferResult Run(const QString& resultPath);

    // The result file is flushed to the disk with its folder and read back before Run()
    // returns (TransferResult::storedFile): for a caller that may erase the memory next.
    void setDurableFile(bool durable) { m_durableFile = durable; }

private:
    void fetchAndWrite(TransferResult& result, const QString& resultPath);
    QString fetchLines(TransferResult& result);
    void store(TransferResult& result, const QString& reply);

    CommandExchange& m_exchange;
    OperatorFeedback& m_feedback;
    TransferView* m_view;
    bool m_durableFile = false;
};
