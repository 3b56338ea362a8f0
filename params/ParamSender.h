#pragma once

#include "common/Outcome.h"

#include <QString>
#include <QStringList>
#include <array>

class CommandExchange;
class OperatorFeedback;

// The record lines to send, in sending order "#P", "#R", "#G", "#F": for each tag the last
// line that begins with it, or an empty text when none does (only CR LF then goes out).
std::array<QString, 4> recordsToSend(const QStringList& lines);

// Programs the instrument with a parameter file as stored on disk: its four records go
// out one by one, each acknowledged by a reply containing "OK", with a pause after each
// of the first three. The operator is told the outcome in the information dialog.
class ParamSender {
public:
    static constexpr quint32 kPauseMs = 200;

    ParamSender(CommandExchange& exchange, OperatorFeedback& feedback);

    // The main window is disabled for the whole run and the port is open only inside it.
    // Whatever happens — a file that cannot be read, a port that cannot be opened, a
    // failing write — the port is closed, the status window hidden and the window enabled
    // again before this returns or the error (EFileError, EComPort) propagates. The operator
    // is told the outcome once the port is closed.
    OperationResult send(const QString& currentFile);

private:
    bool sendRecord(const QString& line);

    CommandExchange& m_exchange;
    OperatorFeedback& m_feedback;
};
