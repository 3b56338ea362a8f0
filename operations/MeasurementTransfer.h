#pragma once

#include "common/Outcome.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

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
    OperationResult Run(const QString& resultPath);

    // The lines of this transfer, as shown and as written.
    const QStringList& lines() const { return m_lines; }

private:
    void fetchAndWrite(OperationResult& result, const QString& resultPath);
    Outcome fetchLines(OperationResult& result);
    void store(const QString& reply);

    CommandExchange& m_exchange;
    OperatorFeedback& m_feedback;
    TransferView* m_view;
    QStringList m_lines;
};
