#include "link/PortDiagnosis.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

struct ClaimedAdapter {
    quint16 vendorId;
    quint16 productId;
    const char* chip;
};

// USB-serial chips that brltty's device rules take for braille displays.
constexpr ClaimedAdapter kBrlttyClaims[] = {
    {0x1a86, 0x7523, "CH340"},
    {0x10c4, 0xea60, "CP210x"},
    {0x10c4, 0xea80, "CP210x"},
    {0x0403, 0x6001, "FT232"},
};

// The path the serial port opens for a name: one without a folder is below /dev.
QString portLocation(const QString& name) {
#ifndef Q_OS_UNIX
    return name;
#endif
    const bool isPath = name.startsWith(u'/') || name.startsWith(QLatin1String("./")) ||
                        name.startsWith(QLatin1String("../"));
    return isPath ? name : QStringLiteral("/dev/") + name;
}

// The chip of an adapter that brltty's device rules claim; empty for others.
QString brlttyClaimedChip(const UsbAdapter& adapter) {
    for (const ClaimedAdapter& claimed : kBrlttyClaims)
        if (adapter.vendorId == claimed.vendorId && adapter.productId == claimed.productId)
            return QString::fromLatin1(claimed.chip);
    return {};
}

PortAttempt attemptOn(const QString& name, const SystemFacts& facts) {
    PortAttempt attempt;
    attempt.listedName = name;
    attempt.device = canonicalPortPath(name);
    attempt.access = deviceAccess(attempt.device);
    attempt.adapter = facts.adapterOf(attempt.device);
    return attempt;
}

} // namespace

QString canonicalPortPath(const QString& name) {
#ifdef Q_OS_UNIX
    const QString location = portLocation(name);
    const QString canonical = QFileInfo(location).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(location) : canonical;
#else
    return name;
#endif
}

PortAttempt diagnoseOpenFailure(const QString& name, qint64 systemError, const SystemFacts& facts) {
    PortAttempt attempt = attemptOn(name, facts);
    attempt.error = EComPort(CE_OpenFailed, systemError).message();
    switch (attempt.access.kind) {
    case DeviceAccess::Missing:
        attempt.outcome = PortOutcome::Absent;
        return attempt;
    case DeviceAccess::Unreachable:
        attempt.outcome = PortOutcome::PermissionDenied;
        return attempt;
    case DeviceAccess::RegularFile:
    case DeviceAccess::Directory:
    case DeviceAccess::OtherFile:
        attempt.outcome = PortOutcome::NotSerial;
        return attempt;
    case DeviceAccess::CharDevice:
        break;
    }
    if (systemError == ENOTTY) { // /dev/null and the like
        attempt.outcome = PortOutcome::NotSerial;
        return attempt;
    }
    if (systemError == ENOENT) { // the node is there, its device has gone
        attempt.outcome = PortOutcome::Absent;
        return attempt;
    }
    if (!attempt.access.mayOpen) {
        attempt.outcome = PortOutcome::PermissionDenied;
        return attempt;
    }
    // Qt reports a live lock file as a permission error: the lock tells the two apart.
    attempt.lockHolder = facts.lockHolder(attempt.device);
    // Another program may have opened it under the name of a link to it.
    if (!attempt.lockHolder && portLocation(name) != attempt.device)
        attempt.lockHolder = facts.lockHolder(portLocation(name));
    if (attempt.lockHolder || systemError == EACCES || systemError == EBUSY) {
        attempt.outcome = PortOutcome::Held;
        if (!attempt.lockHolder) {
            attempt.blockingLockFile = facts.blockingLockFile(attempt.device);
            attempt.otherUsers = facts.programsUsing(attempt.device);
        }
        return attempt;
    }
    attempt.outcome = PortOutcome::Failed;
    return attempt;
}

PortAttempt describeOpenedPort(const QString& name, PortOutcome outcome, const SystemFacts& facts) {
    PortAttempt attempt = attemptOn(name, facts);
    attempt.outcome = outcome;
    // Another program reading the same line takes the replies away.
    if (outcome == PortOutcome::Silent)
        attempt.otherUsers = facts.programsUsing(attempt.device);
    return attempt;
}

PortAttempt describeExchangeFailure(const QString& name, const EComPort& error) {
    PortAttempt attempt = attemptOn(name, SystemFacts());
    attempt.outcome = PortOutcome::Failed;
    attempt.error = error.message();
    return attempt;
}

PortAttempt describeSameDevice(const QString& name, const QString& triedAs) {
    PortAttempt attempt;
    attempt.listedName = name;
    attempt.device = canonicalPortPath(name);
    attempt.outcome = PortOutcome::SameDevice;
    attempt.sameAs = triedAs;
    return attempt;
}

void addSystemFacts(SearchRecord& record, const SystemFacts& facts) {
    record.brlttyPresent = facts.brlttyInstalled() || facts.isRunning(QStringLiteral("brltty"));
    record.brlttyClaimable.clear();
    const QList<UsbAdapter> devices = facts.usbDevices();
    for (const UsbAdapter& device : devices)
        if (const QString chip = brlttyClaimedChip(device); !chip.isEmpty())
            record.brlttyClaimable.append(BrlttyClaim{device, chip});
    record.modemManagerRunning = facts.isRunning(QStringLiteral("ModemManager"));
}

PortAttempt describePort(const QString& name, const SystemFacts& facts) {
    return attemptOn(name, facts);
}

std::optional<PortAttempt> busyPort(const QString& name, const SystemFacts& facts) {
    const QString device = canonicalPortPath(name);
    const QString blocking = facts.blockingLockFile(device);
    // Other devices are no serial lines: their refusal says so.
    const QList<ProcessRef> users = blocking.isEmpty() && facts.isTerminal(device)
                                        ? facts.programsUsing(device)
                                        : QList<ProcessRef>();
    if (blocking.isEmpty() && users.isEmpty())
        return std::nullopt;
    PortAttempt attempt = attemptOn(name, facts);
    attempt.outcome = PortOutcome::Held;
    attempt.blockingLockFile = blocking;
    attempt.otherUsers = users;
    // A lock naming one of them shows which one took the port.
    if (auto holder = users.isEmpty() ? std::nullopt : facts.lockHolder(attempt.device)) {
        for (const ProcessRef& user : users)
            if (user.pid == holder->pid) {
                holder->certain = true;
                attempt.lockHolder = holder;
            }
    }
    return attempt;
}
