#pragma once

#include "link/TComPort.h"

#include <QByteArray>
#include <QSerialPort>
#include <QString>

struct termios;

// What the port asks of the device and the system beyond QSerialPort: error numbers, the
// USB adapter's latency, whole-line wake-ups.

// The errno that stands behind each of QSerialPort's failure categories on a POSIX system.
qint64 systemErrorOf(QSerialPort::SerialPortError error);

// Asks the driver of the open device `fd` to hand over received bytes at once; `why` gets
// the system's reason when it refuses or does not keep the flag.
TComPort::LowLatency requestLowLatency(int fd, QString& why);

// The trace's note of that request's outcome.
QByteArray lowLatencyNote(TComPort::LowLatency outcome, const QString& why);

#ifdef Q_OS_UNIX
// Turns a raw mode into canonical line mode that passes every byte unchanged.
void makeLineMode(termios& mode);
#endif
