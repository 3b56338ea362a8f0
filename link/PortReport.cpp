#include "link/PortReport.h"

#include "common/Messages.h"
#include "link/PortAttempt.h"

#include <QFileInfo>

namespace {

const QString kFixIndent = QStringLiteral("    ");
const QString kCommandIndent = QStringLiteral("        ");
const QString kModemManagerRules = QStringLiteral("/etc/udev/rules.d/77-vexameter.rules");
const QString kLatencyRules = QStringLiteral("/etc/udev/rules.d/78-vexameter-latency.rules");

QString hexId(quint16 id) {
    return QString::asprintf("%04x", id);
}

QString usbIds(const UsbAdapter& adapter) {
    return hexId(adapter.vendorId) + u':' + hexId(adapter.productId);
}

// " (" parts, description, USB ids ")", or nothing when there is nothing to add.
QString adapterSuffix(const UsbAdapter& adapter, QStringList parts = {}) {
    const QString description = adapter.product.isEmpty() ? adapter.manufacturer : adapter.product;
    if (!description.isEmpty())
        parts.append(description);
    if (adapter.hasUsbIds())
        parts.append(QStringLiteral("USB ") + usbIds(adapter));
    return parts.isEmpty() ? QString() : QStringLiteral(" (") + parts.join(u", ") + u')';
}

QString programsText(const QList<ProcessRef>& programs) {
    QStringList texts;
    for (const ProcessRef& program : programs) {
        const QString pid = QStringLiteral("PID %1").arg(program.pid);
        texts.append(program.name.isEmpty() ? pid : program.name + QStringLiteral(", ") + pid);
    }
    return texts.join(QStringLiteral("; "));
}

QList<ProcessRef> holdersOf(const PortAttempt& attempt) {
    return attempt.lockHolder ? QList<ProcessRef>{*attempt.lockHolder} : attempt.otherUsers;
}

enum class PermissionCase { Unknown, NotInGroup, NewSession, OwnerOnly, Policy };

PermissionCase permissionCase(const DeviceAccess& access) {
    if (access.kind != DeviceAccess::CharDevice || access.group.isEmpty())
        return PermissionCase::Unknown;
    if (!access.groupMayReadWrite)
        return PermissionCase::OwnerOnly;
    if (access.processHasGroup)
        return PermissionCase::Policy;
    if (access.userListedInGroup)
        return PermissionCase::NewSession;
    return PermissionCase::NotInGroup;
}

QString notSerialKind(const DeviceAccess& access) {
    switch (access.kind) {
    case DeviceAccess::RegularFile:
        return msg(MsgId::KindRegularFile);
    case DeviceAccess::Directory:
        return msg(MsgId::KindDirectory);
    case DeviceAccess::OtherFile:
        return msg(MsgId::KindSpecialFile);
    default:
        return msg(MsgId::KindNotTerminal);
    }
}

QString reason(const PortAttempt& attempt, const QString& port) {
    const DeviceAccess& access = attempt.access;
    switch (attempt.outcome) {
    case PortOutcome::Answered:
        return msg(MsgId::PortAnswered).arg(port);
    case PortOutcome::Silent:
        return msg(MsgId::PortSilent).arg(port);
    case PortOutcome::Absent:
        return msg(MsgId::PortAbsent).arg(port);
    case PortOutcome::PermissionDenied:
        switch (permissionCase(access)) {
        case PermissionCase::NotInGroup:
            return msg(MsgId::PortNoPermissionGroup).arg(port, access.group);
        case PermissionCase::NewSession:
            return msg(MsgId::PortNoPermissionSession).arg(port, access.group);
        case PermissionCase::OwnerOnly:
            return msg(MsgId::PortNoPermissionOwner).arg(port, access.owner);
        case PermissionCase::Policy:
            return msg(MsgId::PortNoPermissionPolicy).arg(port, access.group);
        case PermissionCase::Unknown:
            break;
        }
        return msg(MsgId::PortNoPermission).arg(port);
    case PortOutcome::Held: {
        if (!attempt.blockingLockFile.isEmpty())
            return msg(MsgId::PortLockNotFile).arg(port, attempt.blockingLockFile);
        if (attempt.lockHolder && !attempt.lockHolder->certain)
            return msg(MsgId::PortProbablyHeldBy).arg(port, programsText({*attempt.lockHolder}));
        const QList<ProcessRef> holders = holdersOf(attempt);
        return holders.isEmpty() ? msg(MsgId::PortHeld).arg(port)
                                 : msg(MsgId::PortHeldBy).arg(port, programsText(holders));
    }
    case PortOutcome::NotSerial:
        return msg(MsgId::PortNotSerial).arg(port, notSerialKind(access));
    case PortOutcome::Failed:
        return msg(MsgId::PortFailed).arg(port, attempt.error);
    case PortOutcome::SameDevice:
        return msg(MsgId::PortSameDevice).arg(attempt.listedName, attempt.sameAs);
    }
    return {};
}

// An adapter left at its 16 ms latency timer delays every reply by up to that much; 1 ms
// brings a transfer back to the line's own pace.
QStringList latencyTimerLines(const PortAttempt& attempt) {
    if (!attempt.lowLatencyRefused)
        return {};
    // Only FTDI's driver has the timer as a setting of its own.
    if (attempt.adapter.driver != QLatin1String("ftdi_sio"))
        return {kFixIndent + msg(MsgId::LowLatencyRefused)};
    const QString tty = QFileInfo(attempt.device).fileName();
    return {kFixIndent + msg(MsgId::LowLatencyRefused), kFixIndent + msg(MsgId::FixLatencyTimer),
            kCommandIndent +
                QStringLiteral("echo 1 | sudo tee /sys/bus/usb-serial/devices/%1/latency_timer")
                    .arg(tty),
            kCommandIndent + QStringLiteral("echo '%1' | sudo tee %2")
                                 .arg(QStringLiteral("ACTION==\"add\", SUBSYSTEM==\"usb-serial\", "
                                                     "DRIVER==\"ftdi_sio\", "
                                                     "ATTR{latency_timer}=\"1\""),
                                      kLatencyRules),
            kCommandIndent + QStringLiteral("sudo udevadm control --reload-rules")};
}

QStringList outcomeFixes(const PortAttempt& attempt) {
    QStringList lines;
    const DeviceAccess& access = attempt.access;
    switch (attempt.outcome) {
    case PortOutcome::Silent:
        lines << kFixIndent + msg(MsgId::PortSilentFix);
        if (!attempt.otherUsers.isEmpty())
            lines << kFixIndent + msg(MsgId::PortAlsoOpenIn).arg(programsText(attempt.otherUsers));
        break;
    case PortOutcome::PermissionDenied:
        switch (permissionCase(access)) {
        case PermissionCase::NotInGroup:
            lines << kFixIndent + msg(MsgId::FixJoinGroup).arg(access.group)
                  << kCommandIndent + QStringLiteral("sudo usermod -aG %1 %2")
                                          .arg(access.group, access.userName);
            break;
        case PermissionCase::NewSession:
            lines << kFixIndent + msg(MsgId::FixNewSession);
            break;
        case PermissionCase::OwnerOnly:
            lines << kFixIndent + msg(MsgId::FixOwnerOnly).arg(access.serialGroup);
            break;
        case PermissionCase::Policy:
            lines << kFixIndent + msg(MsgId::FixPolicy);
            break;
        case PermissionCase::Unknown:
            break;
        }
        break;
    case PortOutcome::Held:
        if (attempt.blockingLockFile.isEmpty())
            lines << kFixIndent + msg(MsgId::FixHeld);
        else
            lines << kFixIndent + msg(MsgId::FixRemoveLockFile)
                  << kCommandIndent + QStringLiteral("sudo rm ") + attempt.blockingLockFile;
        break;
    case PortOutcome::NotSerial:
        lines << kFixIndent + msg(MsgId::FixNotSerial);
        break;
    default:
        break;
    }
    return lines;
}

QStringList fixes(const PortAttempt& attempt) {
    return outcomeFixes(attempt) << latencyTimerLines(attempt);
}

QStringList brlttyLines(const SearchRecord& record) {
    if (!record.brlttyPresent || record.brlttyClaimable.isEmpty())
        return {};
    QStringList adapters;
    for (const BrlttyClaim& claim : record.brlttyClaimable) {
        const QString text = claim.chip + QStringLiteral(" (USB ") + usbIds(claim.adapter) + u')';
        if (!adapters.contains(text))
            adapters.append(text);
    }
    return {
        QString(), msg(MsgId::BrlttyPresent).arg(adapters.join(QStringLiteral(", "))),
        kFixIndent + msg(MsgId::FixBrltty),
        kCommandIndent + QStringLiteral("sudo systemctl stop brltty-udev.service brltty.service"),
        kCommandIndent + QStringLiteral("sudo systemctl mask brltty-udev.service brltty.service")};
}

// ModemManager leaves alone the devices that carry this udev property: one rule per adapter
// the search could not talk to, or one for every USB serial port when no adapter is known.
QStringList modemManagerLines(const SearchRecord& record) {
    if (!record.modemManagerRunning)
        return {};
    bool concerned = false;
    QStringList rules;
    for (const PortAttempt& attempt : record.ports) {
        if (attempt.outcome != PortOutcome::Silent && attempt.outcome != PortOutcome::Held &&
            attempt.outcome != PortOutcome::Failed)
            continue;
        concerned = true;
        if (!attempt.adapter.hasUsbIds())
            continue;
        const QString rule =
            QStringLiteral("ATTRS{idVendor}==\"%1\", ATTRS{idProduct}==\"%2\", "
                           "ENV{ID_MM_DEVICE_IGNORE}=\"1\"")
                .arg(hexId(attempt.adapter.vendorId), hexId(attempt.adapter.productId));
        if (!rules.contains(rule))
            rules.append(rule);
    }
    if (!concerned)
        return {};
    if (rules.isEmpty())
        rules.append(QStringLiteral(
            "SUBSYSTEM==\"tty\", KERNEL==\"ttyUSB*|ttyACM*\", ENV{ID_MM_DEVICE_IGNORE}=\"1\""));
    QStringList lines{QString(), msg(MsgId::ModemManagerRunning),
                      kFixIndent + msg(MsgId::FixModemManager)};
    for (const QString& rule : rules)
        lines << kCommandIndent +
                     QStringLiteral("echo '%1' | sudo tee -a %2").arg(rule, kModemManagerRules);
    lines << kCommandIndent + QStringLiteral("sudo udevadm control --reload-rules");
    return lines;
}

} // namespace

QString deviceDisplayName(const PortAttempt& attempt) {
    return attempt.device + adapterSuffix(attempt.adapter);
}

QString portDisplayName(const PortAttempt& attempt) {
    // A name given through a link leads, so that the user finds what they wrote.
    const bool throughLink = attempt.listedName != attempt.device &&
                             QStringLiteral("/dev/") + attempt.listedName != attempt.device;
    if (throughLink)
        return attempt.listedName + adapterSuffix(attempt.adapter, {attempt.device});
    return attempt.device + adapterSuffix(attempt.adapter);
}

QString openFailureDetail(const PortAttempt& attempt) {
    return reason(attempt, attempt.device);
}

QStringList searchReportLines(const SearchRecord& record) {
    QStringList lines;
    if (record.ports.isEmpty()) {
        lines << msg(MsgId::NoPortListed) << msg(MsgId::ExtraPortsHint);
    } else {
        lines << msg(MsgId::PortsTried);
        for (const PortAttempt& attempt : record.ports)
            lines << reason(attempt, portDisplayName(attempt)) << fixes(attempt);
    }
    lines << brlttyLines(record) << modemManagerLines(record);
    return lines;
}

QString portReason(const PortAttempt& attempt) {
    return reason(attempt, portDisplayName(attempt));
}

QStringList portFixes(const PortAttempt& attempt) {
    return fixes(attempt);
}

QStringList systemNoteLines(const SearchRecord& record) {
    return brlttyLines(record) << modemManagerLines(record);
}
