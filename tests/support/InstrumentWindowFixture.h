#pragma once

#include "sim/InstrumentSimulator.h"
#include "support/MainWindowFixture.h"

// A simulated instrument and the main window that found it at start-up.
struct WithInstrument {
    InstrumentSimulator sim;
    MainWindowFixture f;
    DialogAnswerer answerer;

    // Starts the instrument and the window; true once the search's message was answered.
    bool start() {
        sim.start();
        f.ports = {sim.slavePath()};
        f.create();
        return answerer.waitForMessages(1);
    }
};
