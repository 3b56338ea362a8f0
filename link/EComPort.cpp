#include "link/EComPort.h"

#include <array>

namespace {

// Indexed by error number - 1. The texts are the component's own and stay English in
// every language: they identify the failure, they are not worded for the operator.
constexpr std::array<const char*, 24> kComErrorTexts = {
    "Unable to open com port",
    "WriteFile function failed",
    "ReadFile function failed",
    "Invalid Async parameter",
    "PurgeComm function failed",
    "Unable to get async status",
    "SetCommState function failed",
    "SetCommTimeouts failed",
    "SetupComm function failed",
    "ClearCommError function failed",
    "GetCommModemStatus function failed",
    "EscapeCommFunction function failed",
    "TransmitCommChar function failed",
    "Cannot set property while connected",
    "EnumPorts function failed",
    "Failed to store settings",
    "Failed to load settings",
    "Link (un)registration failed",
    "Cannot change led state if ComPort is selected",
    "Cannot wait for event if event thread is created",
    "WaitForEvent method failed",
    "A component is linked to OnRxBuf event",
    "Registry error",
    "Port Not Open",
};

QString composeMessage(int code, qint64 winCode) {
    QString text = EComPort::baseMessage(code);
    if (winCode > 0)
        text += QStringLiteral(" (Error: %1)").arg(winCode);
    return text;
}

} // namespace

EComPort::EComPort(int code, qint64 winCode)
    : VexaError(composeMessage(code, winCode)), m_code(code),
      m_winCode(winCode > 0 ? winCode : -1) {}

QString EComPort::baseMessage(int code) {
    if (code < 1 || code > int(kComErrorTexts.size()))
        return QStringLiteral("Unknown com port error %1").arg(code);
    return QString::fromLatin1(kComErrorTexts[size_t(code - 1)]);
}
