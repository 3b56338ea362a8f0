#pragma once

#include "link/DeviceAccess.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A running program, as far as the system lets this one see it.
struct ProcessRef {
    qint64 pid = 0;
    QString name; // empty when the system does not tell
};

// The process a lock file names. Anyone may write a lock file in the world-writable lock
// folders: the claim is certain only when the file belongs to root or to the process's user.
struct LockHolder : ProcessRef {
    bool certain = true;
};

// The USB adapter behind a serial port, or a USB device seen on the bus.
struct UsbAdapter {
    quint16 vendorId = 0;
    quint16 productId = 0;
    QString product;      // the adapter's own description, e.g. "FT232R USB UART"
    QString manufacturer; // e.g. "FTDI"
    QString driver;       // kernel driver of the port: ch341-uart, cp210x, ftdi_sio, cdc_acm...
    bool hasUsbIds() const { return vendorId != 0 || productId != 0; }
};

// What the operating system tells about serial ports and the programs around them, read
// from /proc, /sys and the lock-file folders below a root folder ("/" for this machine).
// Nothing here opens a port, and no file read here can make it wait.
class SystemFacts {
public:
    // `lockFolders` replaces the usual lock-file folders below the root.
    explicit SystemFacts(QString root = QStringLiteral("/"), QStringList lockFolders = {});

    // The live program whose lock file claims the device: the lock Qt's serial port and
    // the classic serial programs (minicom, cu...) take before they open it.
    std::optional<LockHolder> lockHolder(const QString& device) const;
    // A lock-file name of the device taken by something that is not a regular file (a
    // pipe, a link...): opening the port would read it and could wait on it for good.
    QString blockingLockFile(const QString& device) const;
    // Other programs that have the device open, among those this one may inspect. This
    // program is not one of them, nor is the far end of a pseudo-terminal (the program
    // holding its master side).
    QList<ProcessRef> programsUsing(const QString& device) const;
    // The device is a terminal (a serial line, a pseudo-terminal...), as the kernel's list
    // of terminal drivers tells; any character device when the list cannot be read.
    bool isTerminal(const QString& device) const;
    // A program of that name runs (names as the kernel keeps them: 15 characters at most).
    bool isRunning(const QString& name) const;
    // Empty when no such process is visible.
    QString processName(qint64 pid) const;
    bool brlttyInstalled() const;

    // The adapter behind a serial device, when the kernel's device tree (or, on this
    // machine, Qt) tells.
    UsbAdapter adapterOf(const QString& device) const;
    // Every USB device plugged in, port or not: an adapter that a driver took away from
    // the serial ports still shows here.
    QList<UsbAdapter> usbDevices() const;

private:
    QString under(const QString& path) const;
    QList<qint64> processIds() const;
    bool isLive(qint64 pid) const;

    QString m_root;
    QStringList m_lockFolders;
};
