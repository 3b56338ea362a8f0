#include "link/InstrumentSearch.h"

#include "common/RestoreGuard.h"
#include "common/TextFields.h"
#include "link/CommandExchange.h"
#include "link/EComPort.h"
#include "link/PortDiagnosis.h"
#include "link/PortReport.h"
#include "link/TComPort.h"

#include <QHash>

InstrumentIdentity InstrumentIdentity::fromReply(const QString& reply) {
    InstrumentIdentity id;
    id.description = fieldAt(reply, 4, 20);
    id.productReference = fieldAt(reply, 29, 8);
    id.softwareVersion = fieldAt(reply, 42, 8);
    id.parameterFile = fieldAt(reply, 55, 8);
    id.serialNumber = fieldAt(reply, 68, 16);
    id.pmReference = fieldAt(reply, 89, 16);
    return id;
}

int checkPresence(CommandExchange& exchange, const std::function<void(int)>& whileOpen) {
    RestoreGuard portOpen;
    openPort(exchange.port(), portOpen);
    const int result = exchange.ConnectSonde();
    if (whileOpen)
        whileOpen(result);
    return result;
}

namespace {

int searchPorts(CommandExchange& exchange, const PortLister& listPorts, SearchRecord* record) {
    QStringList names;
    if (listPorts)
        listPorts(names);
    else
        ListComPorts(names);
    if (record)
        *record = SearchRecord();

    TComPort& port = exchange.port();
    // Device tried -> the name it was tried under.
    QHash<QString, QString> tried;
    int result = -1;
    for (QString name : std::as_const(names)) {
        if (result != -1)
            break;
        const qsizetype nul = name.indexOf(QChar(u'\0'));
        if (nul >= 0)
            name.truncate(nul);
        // A link and its target are one adapter: it costs one time-out, not two.
        const QString device = canonicalPortPath(name);
        if (const auto earlier = tried.constFind(device); earlier != tried.cend()) {
            if (record)
                record->ports.append(describeSameDevice(name, *earlier));
            continue;
        }
        tried.insert(device, name);
        port.setPort(name);
        try {
            {
                RestoreGuard portOpen;
                openPort(port, portOpen);
                result = exchange.ConnectSonde();
            }
            if (record) {
                PortAttempt attempt = describeOpenedPort(name, result == 0 ? PortOutcome::Answered
                                                                           : PortOutcome::Silent);
                attempt.lowLatencyRefused = port.lowLatency() == TComPort::LowLatency::Refused &&
                                            attempt.adapter.hasUsbIds();
                record->ports.append(attempt);
            }
        } catch (const EComPort& e) {
            // Absent, held by another program or failing mid-exchange: try the next one.
            result = -1;
            if (record)
                record->ports.append(e.attempt() ? *e.attempt() : describeExchangeFailure(name, e));
        }
    }
    if (record)
        addSystemFacts(*record);
    return result;
}

// The name the operator listed, then the device and the adapter.
QString answeredPortName(const SearchRecord& record, const QString& port) {
    for (const PortAttempt& attempt : record.ports)
        if (attempt.outcome == PortOutcome::Answered)
            return portDisplayName(attempt);
    return deviceDisplayName(describePort(port));
}

} // namespace

OperationResult searchInstrument(CommandExchange& exchange, const PortLister& listPorts,
                                 SearchRecord* record) {
    SearchRecord own;
    SearchRecord& kept = record ? *record : own;
    if (searchPorts(exchange, listPorts, record ? &kept : nullptr) != 0)
        return resultOf(Operation::Search, Outcome::NoInstrument);
    OperationResult result = resultOf(Operation::Search, Outcome::Done);
    result.port = answeredPortName(kept, exchange.port().Port());
    return result;
}

std::optional<QString> presentIdentity(CommandExchange& exchange) {
    std::optional<QString> identity;
    checkPresence(exchange, [&](int result) {
        if (result == 0)
            identity = exchange.ReplyBuffer;
    });
    return identity;
}

int ChercheSonde(CommandExchange& exchange, const PortLister& listPorts, SearchRecord* record) {
    return searchInstrument(exchange, listPorts, record).done() ? 0 : -1;
}

OperationResult resultOfPortError(Operation operation, const EComPort& error) {
    const bool held = error.attempt() && error.attempt()->outcome == PortOutcome::Held;
    OperationResult result = resultOf(operation, held ? Outcome::PortBusy : Outcome::CommError);
    result.reason = error.message();
    return result;
}
