#pragma once

#include "link/EComPort.h"
#include "link/SystemFacts.h"

#include <QList>
#include <QString>
#include <optional>

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

// Everything one search learnt: the ports in the order it tried them (up to the one that
// answered), and the facts about the system that explain the commonest failures.
struct SearchRecord {
    QList<PortAttempt> ports;
    bool brlttyPresent = false;
    // Adapters plugged in of the kinds brltty takes for braille displays.
    QList<UsbAdapter> brlttyClaimable;
    bool modemManagerRunning = false;
};

// The device a port name opens: "ttyUSB0" is /dev/ttyUSB0, and symbolic links such as
// /dev/serial/by-id/... resolve to the device itself, so that two names of one adapter take
// one lock. A name that resolves to nothing comes back cleaned but otherwise as it is.
QString canonicalPortPath(const QString& name);

// Why a port would not open; `systemError` is the system's error number behind the failure.
PortAttempt diagnoseOpenFailure(const QString& name, qint64 systemError,
                                const SystemFacts& facts = SystemFacts());
// A port that opened and answered, or stayed silent.
PortAttempt describeOpenedPort(const QString& name, PortOutcome outcome,
                               const SystemFacts& facts = SystemFacts());
PortAttempt describeExchangeFailure(const QString& name, const EComPort& error);
PortAttempt describeSameDevice(const QString& name, const QString& triedAs);
void addSystemFacts(SearchRecord& record, const SystemFacts& facts = SystemFacts());

// The chip of an adapter that brltty's device rules claim ("CH340"...); empty for others.
QString brlttyClaimedChip(const UsbAdapter& adapter);

// Refuses, before anything touches the device, a port that another program has open (a
// serial line shared by two programs loses bytes to each) or whose lock file is not a
// regular file (opening the port would wait on it): the error is the one a held port
// raises, naming the holder.
void refuseBusyPort(const QString& name, const SystemFacts& facts = SystemFacts());

// The error a port that would not open raises: the fixed message, the plain second line
// and the diagnosis.
EComPort openFailure(const QString& name, qint64 systemError);
