#pragma once

#include "link/InstrumentSearch.h"

#include <QString>
#include <functional>
#include <memory>

class FileDialogs;

// What the program entry hands the main window.
struct MainWindowEnvironment {
    QString appDir;                       // working directory at start, with a trailing separator
    PortLister listPorts;                 // empty: the system's serial ports
    std::shared_ptr<FileDialogs> dialogs; // empty: the real dialogs
    // Loads and installs the translation of a locale identifier; true when installed.
    std::function<bool(int)> applyStoredLanguage;
    // Starts a new copy of the program (after a change of language).
    std::function<void()> startNewCopy;
    // Ends this program without the close steps; empty: leave the event loop.
    std::function<void()> endProgram;
};
