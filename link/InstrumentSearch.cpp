#include "link/InstrumentSearch.h"

#include "link/CommandExchange.h"
#include "link/EComPort.h"
#include "link/TComPort.h"

namespace {

// 1-based first position and length of a field of the identification line.
QString field(const QString& reply, int first, int length) {
    return reply.mid(first - 1, length);
}

void closeQuietly(TComPort& port) noexcept {
    try {
        port.Close();
    } catch (...) {
        // Closing is the clean-up of a failure that is already being handled.
    }
}

} // namespace

InstrumentIdentity InstrumentIdentity::fromReply(const QString& reply) {
    InstrumentIdentity id;
    id.description = field(reply, 4, 20);
    id.productReference = field(reply, 29, 8);
    id.softwareVersion = field(reply, 42, 8);
    id.parameterFile = field(reply, 55, 8);
    id.serialNumber = field(reply, 68, 16);
    id.pmReference = field(reply, 89, 16);
    return id;
}

int ChercheSonde(CommandExchange& exchange, const PortLister& listPorts) {
    QStringList names;
    if (listPorts)
        listPorts(names);
    else
        ListComPorts(names);

    TComPort& port = exchange.port();
    int result = -1;
    for (QString name : std::as_const(names)) {
        if (result != -1)
            break;
        const qsizetype nul = name.indexOf(QChar(u'\0'));
        if (nul >= 0)
            name.truncate(nul);
        port.setPort(name);
        try {
            port.Open();
            result = exchange.ConnectSonde();
            port.Close();
        } catch (const EComPort&) {
            // Absent, held by another program or failing mid-exchange: try the next one.
            closeQuietly(port);
            result = -1;
        } catch (...) {
            closeQuietly(port);
            throw;
        }
    }
    return result;
}
