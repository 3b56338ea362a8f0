#pragma once

#include "common/Outcome.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

#include "common/TextFile.h"

class CommandExchange;
class OperatorFeedback;

// Where the lines of a transfer are shown while they arrive (the Lecture panel's memo).
class TransferView {
public:
    virtual ~TransferView() = default;
    virtual void clearLines() = 0;
    virtual void appendLine(const QString& line) = 0;
    // Called once the last line is in: whatever the view still holds back goes on screen.
    virtual void flush() {}
    // Before each "#OK": the counters the status text shows, for a view that draws them.
    virtual void progress(int fileCounter, int fileCount, int measurementCounter) {
        Q_UNUSED(fileCounter);
        Q_UNUSED(fileCount);
        Q_UNUSED(measurementCounter);
    }
};

// The name the Lecture entry proposes: <folder>/VEXA<yymmddhhnn>.txt, a separator added to
// the folder when it has none at its end.
QString proposedResultFileName(const QString& folder, const QDateTime& now);

// What a transfer brought: its outcome and counts, and what a caller that keeps or erases
// the download needs besides.
struct TransferResult : OperationResult {
    QStringList lines; // the lines of this transfer, as shown and as written
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
    // The result counts the stored files announced, the measurement lines and the file
    // headers, and names the file written or the earlier one kept.
    TransferResult Run(const QString& resultPath);

    // The result file is flushed to the disk with its folder and read back before Run()
    // returns (TransferResult::storedFile): for a caller that may erase the memory next.
    void setDurableFile(bool durable) { m_durableFile = durable; }

private:
    void fetchAndWrite(TransferResult& result, const QString& resultPath);
    Outcome fetchLines(TransferResult& result);
    void store(TransferResult& result, const QString& reply);

    CommandExchange& m_exchange;
    OperatorFeedback& m_feedback;
    TransferView* m_view;
    bool m_durableFile = false;
};
