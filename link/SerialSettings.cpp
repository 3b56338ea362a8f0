#include "link/SerialSettings.h"

#include <cerrno>
#include <cstring>

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#endif
#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

// QSerialPort reports failures as categories; the error number shown in the message is the
// errno that stands behind each category on a POSIX system.
qint64 systemErrorOf(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return ENOENT;
    case QSerialPort::PermissionError:
        return EACCES;
    case QSerialPort::OpenError:
        return EBUSY;
    case QSerialPort::WriteError:
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
        return EIO;
    case QSerialPort::UnsupportedOperationError:
        return ENOTTY;
    case QSerialPort::TimeoutError:
        return ETIMEDOUT;
    case QSerialPort::NotOpenError:
        return EBADF;
    default:
        return -1;
    }
}

// FTDI adapters hold short replies up to their latency timer (16 ms by default), which
// can halve the rate of a one-line-per-exchange protocol. Pseudo-terminals have no serial
// settings at all; that is fine. A driver that has them but refuses the flag, or takes it
// without keeping it, leaves the adapter at its slow default.
TComPort::LowLatency requestLowLatency(int fd, QString& why) {
#ifdef Q_OS_LINUX
    if (fd < 0)
        return TComPort::LowLatency::NotApplicable;
    serial_struct info{};
    if (::ioctl(fd, TIOCGSERIAL, &info) != 0)
        return TComPort::LowLatency::NotApplicable;
    if (info.flags & ASYNC_LOW_LATENCY)
        return TComPort::LowLatency::Granted;
    info.flags |= ASYNC_LOW_LATENCY;
    if (::ioctl(fd, TIOCSSERIAL, &info) != 0) {
        why = QString::fromLocal8Bit(std::strerror(errno));
        return TComPort::LowLatency::Refused;
    }
    serial_struct after{};
    if (::ioctl(fd, TIOCGSERIAL, &after) != 0 || !(after.flags & ASYNC_LOW_LATENCY)) {
        why = QStringLiteral("not kept by the driver");
        return TComPort::LowLatency::Refused;
    }
    return TComPort::LowLatency::Granted;
#else
    Q_UNUSED(fd);
    Q_UNUSED(why);
    return TComPort::LowLatency::NotApplicable;
#endif
}

QByteArray lowLatencyNote(TComPort::LowLatency outcome, const QString& why) {
    switch (outcome) {
    case TComPort::LowLatency::Granted:
        return "low latency: granted";
    case TComPort::LowLatency::Refused:
        return "low latency: refused (" + why.toUtf8() + ")";
    case TComPort::LowLatency::NotApplicable:
        break;
    }
    return "low latency: not applicable (no serial settings)";
}

#ifdef Q_OS_UNIX
// Whole lines, and nothing else: no byte may erase, signal, stop the output, end a line
// early or be echoed, and CR stays CR.
void makeLineMode(termios& mode) {
    mode.c_lflag |= ICANON;
    mode.c_lflag &= ~tcflag_t(ISIG | IEXTEN | ECHO | ECHOE | ECHOK | ECHONL);
#ifdef ECHOCTL
    mode.c_lflag &= ~tcflag_t(ECHOCTL | ECHOKE | ECHOPRT);
#endif
    mode.c_iflag &= ~tcflag_t(ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF | IXANY);
#ifdef IUCLC
    mode.c_iflag &= ~tcflag_t(IUCLC);
#endif
    for (const int special : {VEOF, VEOL, VERASE, VKILL, VINTR, VQUIT, VSUSP, VSTART, VSTOP
#ifdef VEOL2
                              ,
                              VEOL2
#endif
#ifdef VWERASE
                              ,
                              VWERASE
#endif
#ifdef VREPRINT
                              ,
                              VREPRINT
#endif
#ifdef VLNEXT
                              ,
                              VLNEXT
#endif
#ifdef VDISCARD
                              ,
                              VDISCARD
#endif
#ifdef VDSUSP
                              ,
                              VDSUSP
#endif
#ifdef VSTATUS
                              ,
                              VSTATUS
#endif
#ifdef VSWTC
                              ,
                              VSWTC
#endif
         })
        mode.c_cc[special] = _POSIX_VDISABLE;
}
#endif
