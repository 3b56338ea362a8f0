#pragma once

#include "link/SystemFacts.h"

#include <QList>
#include <QString>
#include <optional>

// The record of a search: every fact about each port that the words about it need, so that
// those words (PortReport) only read it and never ask the system themselves.

// How the search fared with one listed port.
enum class PortOutcome {
    Answered,         // the presence check got a reply
    Silent,           // opened, but nothing answered within the time-out
    Absent,           // no such device
    PermissionDenied, // this user may not open it
    Held,             // another program has it (through its lock file or an exclusive open)
    NotSerial,        // a regular file, a folder or a device that is not a serial line
    Failed,           // another serial error, e.g. the adapter went away during the exchange
    SameDevice,       // an earlier name reached the same device: not opened a second time
};

// One listed port as the search met it, with what the system tells about it.
struct PortAttempt {
    QString listedName; // as listed (cut at a NUL)
    QString device;     // the device it opens: symbolic links and aliases resolved
    PortOutcome outcome = PortOutcome::Failed;
    DeviceAccess access;
    std::optional<LockHolder> lockHolder; // the program whose lock file claims the device
    QList<ProcessRef> otherUsers;         // other programs that have it open
    UsbAdapter adapter;
    QString blockingLockFile; // Held: a lock-file name taken by something not a regular file
    QString sameAs;           // SameDevice: the name the device was tried under
    QString error;            // Failed: the serial error's message
    // A USB adapter that refused the low-latency request: each reply waits for its latency
    // timer, which slows every exchange (a hint, not a failure).
    bool lowLatencyRefused = false;
};

// A USB device plugged in of a kind brltty takes for a braille display.
struct BrlttyClaim {
    UsbAdapter adapter;
    QString chip; // "CH340", "CP210x"...
};

// Everything one search learnt: the ports in the order it tried them (up to the one that
// answered), and the facts about the system that explain the commonest failures.
struct SearchRecord {
    QList<PortAttempt> ports;
    bool brlttyPresent = false;
    QList<BrlttyClaim> brlttyClaimable;
    bool modemManagerRunning = false;
};
