#pragma once

#include "link/CommandExchange.h"

#include <optional>

// One operation at a time on the single serial port: while an exchange waits, the event
// loop keeps running, and a second click must not start another conversation that would
// read the first one's reply. Handlers enter the gate; a click that finds it taken is
// ignored.
class OperationGate {
public:
    explicit OperationGate(const CommandExchange& exchange) : m_exchange(exchange) {}

    class Scope {
    public:
        explicit Scope(OperationGate& gate) : m_gate(gate) { ++m_gate.m_depth; }
        ~Scope() { --m_gate.m_depth; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        OperationGate& m_gate;
    };

    // An operation runs, or an exchange waits for the instrument.
    bool busy() const { return m_depth > 0 || m_exchange.isWaiting(); }

    // The gate for as long as the returned scope lives; nothing when it is taken.
    std::optional<Scope> tryEnter() {
        if (busy())
            return std::nullopt;
        return std::optional<Scope>(std::in_place, *this);
    }

private:
    const CommandExchange& m_exchange;
    int m_depth = 0;
};
