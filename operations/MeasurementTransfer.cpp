#include "operations/MeasurementTransfer.h"

#include "common/Errors.h"
#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "common/RestoreGuard.h"
#include "common/TextFile.h"
#include "link/CommandExchange.h"
#include "link/EComPort.h"
#include "link/TComPort.h"
#include "operations/TransferReplies.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The reply as a memo or file line: every CR LF pair taken out, nothing else changed.
QString withoutLineEnds(const QString& reply) {
    return QString(reply).remove(QStringLiteral("\r\n"));
}

} // namespace

QString proposedResultFileName(const QString& folder, const QDateTime& now) {
    QString name = folder;
    // A backslash ends a folder only where it is the separator.
    const bool hasSeparator = QDir::fromNativeSeparators(name).endsWith(u'/');
    if (!name.isEmpty() && !hasSeparator)
        name += QDir::separator();
    return name + QStringLiteral("VEXA") + now.toString(QStringLiteral("yyMMddHHmm")) +
           QStringLiteral(".txt");
}

MeasurementTransfer::MeasurementTransfer(CommandExchange& exchange, OperatorFeedback& feedback,
                                         TransferView* view)
    : m_exchange(exchange), m_feedback(feedback), m_view(view) {}

TransferResult MeasurementTransfer::Run(const QString& resultPath) {
    TransferResult result;
    result.operation = Operation::Transfer;
    // Declared first, so that on a failure it runs after the port has been closed; the
    // error report follows once the window is usable again.
    RestoreGuard window;
    m_feedback.setMainWindowEnabled(false);
    window.add([this] { m_feedback.setMainWindowEnabled(true); });
    window.add([this] { m_feedback.hideStatus(); });
    RestoreGuard portOpen;
    openPort(m_exchange.port(), portOpen);
    m_feedback.AfficheInfo(msg(MsgId::ReadingStatus));
    m_feedback.showStatus();
    if (m_exchange.ConnectSonde() != 0) {
        // The memo keeps the previous transfer and no file is touched.
        result.outcome = Outcome::NoAnswer;
    } else {
        fetchAndWrite(result, resultPath);
    }
    window.run();
    m_feedback.showInformation(outcomeMessage(result));
    return result;
}

void MeasurementTransfer::fetchAndWrite(TransferResult& result, const QString& resultPath) {
    try {
        result.outcome = fetchLines(result);
    } catch (const EComPort&) {
        // The line went away after the instrument had answered (an unplugged adapter fails
        // every call at once): keep what arrived, as for an instrument that fell silent.
        result.outcome = Outcome::CommError;
    }
    if (m_view)
        m_view->flush();
    // A transfer that brought no measurement must not replace an earlier result file,
    // which may hold the only copy of earlier measurements.
    const bool keepEarlierFile = result.measurementLines == 0 && QFileInfo::exists(resultPath);
    if (!keepEarlierFile) {
        if (m_durableFile)
            result.storedFile = writeCp1252LinesDurably(resultPath, result.lines);
        else
            writeCp1252Lines(resultPath, result.lines);
        result.resultFile = resultPath;
    } else {
        result.keptFile = resultPath;
    }
    QCoreApplication::processEvents();
}

Outcome MeasurementTransfer::fetchLines(TransferResult& result) {
    if (m_view)
        m_view->clearLines();

    // A silent identity request is no failure: its line is then empty or partial.
    m_exchange.exchangeLine(QStringLiteral("#i"));
    store(result, m_exchange.ReplyBuffer);

    const bool summaryCame = m_exchange.exchangeLine(QStringLiteral("#T"));
    store(result, m_exchange.ReplyBuffer);
    if (!summaryCame)
        return Outcome::CommError;

    const auto count = storedFileCount(m_exchange.ReplyBuffer);
    if (!count)
        return Outcome::ReadError;
    result.filesAnnounced = *count;
    if (*count == 0)
        return Outcome::EmptyMemory;

    int fileCounter = 1;
    int measurementCounter = 1;
    int silentInARow = 0;
    const QString fileCount = QString::number(*count);
    for (;;) {
        m_feedback.AfficheInfo(
            msg(MsgId::ReadingProgress)
                .arg(QString::number(fileCounter), fileCount, QString::number(measurementCounter)));
        if (m_view)
            m_view->progress(fileCounter, *count, measurementCounter);
        if (!m_exchange.exchangeLine(QStringLiteral("#OK"))) {
            // The same line is asked for again; an instrument that stays silent ends it.
            if (++silentInARow > MaxRetriedTimeouts)
                return Outcome::CommError;
            continue;
        }
        silentInARow = 0;
        const QString& reply = m_exchange.ReplyBuffer;
        const StoredLineMarkers markers = classifyStoredLine(reply);
        if (markers.measurement)
            ++measurementCounter;
        if (markers.newFile) {
            ++fileCounter;
            measurementCounter = 1;
        }
        if (markers.end) {
            result.endMarkerReached = true;
            return Outcome::Done;
        }
        store(result, reply);
        // A file line or any other unmarked line is no measurement: a memory that gave
        // only those must not count as one that gave results.
        result.measurementLines += markers.measurement ? 1 : 0;
        result.fileHeaderLines += markers.newFile ? 1 : 0;
    }
}

void MeasurementTransfer::store(TransferResult& result, const QString& reply) {
    const QString line = withoutLineEnds(reply);
    result.lines.append(line);
    if (m_view)
        m_view->appendLine(line);
}
