#pragma once

#include <QString>
#include <optional>

class QCoreApplication;

// What vexa-sim was asked for on its command line.
struct SimOptions {
    QString linkPath;     // empty: no link to the device
    int baudRate = 38400; // 0: as fast as possible
    int replyDelay = 0;   // milliseconds before each reply
    int fileCount = 3;
    int measureCount = 10;
    bool gps = false;
    std::optional<QString> memoryFile; // none: a generated memory
    std::optional<QString> transcriptFile;
    bool silent = false;
    char languageCode = 'F';
    std::optional<QString> softwareVersion;
    std::optional<QString> serialNumber;
    int hangUpAfter = 0; // 0: never
    // A USB adapter's latency timer the replies pass through, in ms; 0: no adapter.
    int latencyTimer = 0;
};

// Reads the program's command line; --help and an unknown option end the program there, as
// QCommandLineParser does. A value out of range raises a VexaError that names the option.
SimOptions parseSimOptions(const QCoreApplication& app);
