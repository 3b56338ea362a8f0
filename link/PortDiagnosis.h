#pragma once

#include "link/EComPort.h"
#include "link/PortAttempt.h"
#include "link/SystemFacts.h"

#include <QString>
#include <optional>

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

// A port by its name alone: its device, who may use it and its adapter.
PortAttempt describePort(const QString& name, const SystemFacts& facts = SystemFacts());

// A port that another program has open (a serial line shared by two programs loses bytes
// to each), or whose lock file is not a regular file (opening the port would wait on it):
// found before anything touches the device. Nothing when the port is free.
std::optional<PortAttempt> busyPort(const QString& name, const SystemFacts& facts = SystemFacts());
