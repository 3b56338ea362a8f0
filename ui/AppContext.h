#pragma once

#include <QString>
#include <functional>

class TComPort;
class CommandExchange;
class OperatorFeedback;
class FileDialogs;

// One operation at a time on the single serial port: while an exchange waits, the event
// loop keeps running, and a second click must not start another conversation that
// would read the first one's reply.
class OperationGate {
public:
    bool busy() const { return m_depth > 0; }

    class Scope {
    public:
        explicit Scope(OperationGate& gate) : m_gate(gate) { ++m_gate.m_depth; }
        ~Scope() { --m_gate.m_depth; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        OperationGate& m_gate;
    };

private:
    int m_depth = 0;
};

// What the panels share with the main window.
struct AppContext {
    TComPort& port;
    CommandExchange& exchange;
    OperatorFeedback& feedback;
    FileDialogs& dialogs;
    OperationGate& gate;
    std::function<bool()> maintenanceMode;
    // Caption of the software-version label of the identification box.
    std::function<QString()> softwareVersion;
    // The parameter editor's field check; run when the specific-parameter HT and
    // contrast fields are left. Empty until the editor exists.
    std::function<void()> editParamExit;
};
