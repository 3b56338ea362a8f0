#pragma once

#include "common/Outcome.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class CommandExchange;
class EComPort;
struct SearchRecord;

// The six fixed-position fields of the identification reply, copied character for
// character (no trimming); a short reply gives short or empty fields.
struct InstrumentIdentity {
    QString description;      // positions 4..23
    QString productReference; // 29..36
    QString softwareVersion;  // 42..49
    QString parameterFile;    // 55..62
    QString serialNumber;     // 68..83
    QString pmReference;      // 89..104

    static InstrumentIdentity fromReply(const QString& reply);
};

using PortLister = std::function<void(QStringList&)>;

// The presence check before a panel is shown: the port opened, "#i" exchanged (0 when a
// complete reply came, -1 on time-out), `whileOpen` given that result while the port is
// still open (the reply is in the exchange's ReplyBuffer), then the port closed, whichever
// way this ends.
int checkPresence(CommandExchange& exchange, const std::function<void(int)>& whileOpen = {});

// The same check for a caller that wants the instrument's identity line: none when the
// port stayed silent. A port that cannot be used raises EComPort, as for the check.
std::optional<QString> presentIdentity(CommandExchange& exchange);

// Tries every listed port in list order with the presence check and keeps the first that
// answers in the exchange's port (its Port()). Ports that fail with a serial error are
// skipped silently; ports after the one that answered are never opened, nor is a device
// already tried under another name. The port is closed on return. Done, with the port as
// the operator knows it (the name listed, then the device and the adapter), or
// NoInstrument. When `record` is given it receives what happened on each port and why.
OperationResult searchInstrument(CommandExchange& exchange, const PortLister& listPorts = {},
                                 SearchRecord* record = nullptr);

// The same search: 0 when found, -1 when not.
int ChercheSonde(CommandExchange& exchange, const PortLister& listPorts = {},
                 SearchRecord* record = nullptr);

// The outcome of a serial error: PortBusy for a port another program holds (the reason
// is the error's message), CommError for any other.
OperationResult resultOfPortError(Operation operation, const EComPort& error);
