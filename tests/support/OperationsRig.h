#pragma once

#include "link/CommandExchange.h"
#include "link/TComPort.h"
#include "sim/InstrumentSimulator.h"
#include "support/RecordingFeedback.h"

#include <QByteArray>

// A simulated instrument on a pseudo-terminal, the program's port and exchange on the
// other end, and the window side recorded: what an operation runs against. Make a fresh
// one for every test function.
struct OperationsRig {
    InstrumentSimulator sim;
    TComPort port;
    CommandExchange exchange{port};
    RecordingFeedback feedback;

    OperationsRig() {
        sim.start();
        port.setPort(sim.slavePath());
    }

    // Lines the instrument received that begin with `prefix`.
    int received(const QByteArray& prefix) const {
        int n = 0;
        for (const QByteArray& line : sim.receivedLines())
            n += line.startsWith(prefix) ? 1 : 0;
        return n;
    }
};
