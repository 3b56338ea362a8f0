#include "link/TComPort.h"

#include "common/Cp1252.h"
#include "common/RestoreGuard.h"
#include "link/EComPort.h"
#include "link/PortDiagnosis.h"
#include "link/PortErrors.h"
#include "link/SerialSettings.h"

#include <QDeadlineTimer>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QtDebug>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#endif
#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

constexpr qint32 kBaudRate = 38400;
constexpr int kWriteMsPerByte = 100;
constexpr int kWriteConstantMs = 1000;

} // namespace

TComPort::TComPort(QObject* parent) : QObject(parent) {}

TComPort::~TComPort() {
    Close();
}

bool TComPort::Connected() const {
    return m_serial != nullptr || m_farEndLost;
}

void TComPort::Open() {
    if (Connected())
        return;

    refuseBusyPort(m_port);
    auto serial = std::make_unique<QSerialPort>();
    // Under its device's own path, so that every name of one adapter takes the same lock.
    serial->setPortName(canonicalPortPath(m_port));
    serial->setBaudRate(kBaudRate);
    serial->setDataBits(QSerialPort::Data8);
    serial->setParity(QSerialPort::NoParity);
    serial->setStopBits(QSerialPort::OneStop);
    serial->setFlowControl(QSerialPort::NoFlowControl);
    // A port held by another program fails here: Qt's lock file refuses the second open.
    // The error says why, as far as the system tells.
    if (!serial->open(QIODevice::ReadWrite))
        throw openFailure(m_port, systemErrorOf(serial->error()));

    // Pseudo-terminals have no modem lines; the refusal is not a reason to give up the port.
    serial->setDataTerminalReady(false);
    serial->setRequestToSend(false);
    QString lowLatencyWhy;
    m_lowLatency = requestLowLatency(int(serial->handle()), lowLatencyWhy);
    serial->clearError();

    m_serial = serial.release();
    ++m_generation;
    m_farEndLost = false;
    m_listening = true;
    m_dispatchPending = false;
    m_lineWakeUp = false;

    connect(m_serial, &QSerialPort::readyRead, this, &TComPort::scheduleRxDispatch);
    connect(m_serial, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError error) {
                if (error == QSerialPort::ReadError || error == QSerialPort::ResourceError)
                    farEndLost();
            });
    if (OnTraffic)
        OnTraffic(this, Direction::Note, lowLatencyNote(m_lowLatency, lowLatencyWhy));
}

void TComPort::Close() {
    if (!Connected())
        return;
    // Bytes already announced are handed over before the device goes, so a reply that
    // arrived just before the close is not lost to the handler.
    if (m_dispatchPending)
        dispatchRxChar();
    releaseDevice();
    m_farEndLost = false;
    m_listening = false;
    m_dispatchPending = false;
    ++m_generation;
}

bool TComPort::setLineWakeUp(bool on) {
    if (on == m_lineWakeUp)
        return true;
#ifdef Q_OS_UNIX
    if (!m_serial || m_farEndLost) {
        // Nothing left to read from: there is no line to hold either.
        if (!on)
            m_lineWakeUp = false;
        return !on;
    }
    const int fd = int(m_serial->handle());
    if (on) {
        auto byteMode = std::make_unique<termios>();
        if (::tcgetattr(fd, byteMode.get()) != 0)
            return false;
        termios lineMode = *byteMode;
        makeLineMode(lineMode);
        if (::tcsetattr(fd, TCSANOW, &lineMode) != 0)
            return false;
        m_byteMode = std::move(byteMode);
    } else if (m_byteMode && ::tcsetattr(fd, TCSANOW, m_byteMode.get()) != 0) {
        // Still holding lines: a partial reply could not be read.
        return false;
    }
    m_lineWakeUp = on;
    return true;
#else
    return !on;
#endif
}

void TComPort::setPort(const QString& name) {
    if (name == m_port)
        return;
    if (Connected()) {
        Close();
        m_port = name;
        Open();
    } else {
        m_port = name;
    }
}

[[noreturn]] void TComPort::failUnusable(int code) const {
    // A closed port has no device to act on; a port whose far end went away has lost it.
    throw EComPort(code, m_farEndLost ? EIO : EBADF);
}

void TComPort::ClearBuffer(bool input, bool output) {
    if (m_farEndLost || !m_serial)
        failUnusable(CE_PurgeFailed);
    QSerialPort::Directions directions;
    if (input)
        directions |= QSerialPort::Input;
    if (output)
        directions |= QSerialPort::Output;
    if (directions == QSerialPort::Directions())
        return;
    if (!m_serial->clear(directions))
        throw EComPort(CE_PurgeFailed, systemErrorOf(m_serial->error()));
}

int TComPort::WriteStr(const QString& str) {
    const QByteArray bytes = toCp1252(str);
    if (bytes.isEmpty())
        return 0;
    if (!Connected())
        throw EComPort::CreateNoWinCode(CEPortNotOpen);
    if (m_farEndLost)
        failUnusable(CE_WriteFailed);

    if (m_serial->write(bytes) != bytes.size())
        throw EComPort(CE_WriteFailed, systemErrorOf(m_serial->error()));
    if (OnTraffic)
        OnTraffic(this, Direction::Sent, bytes);
    QDeadlineTimer deadline(qint64(kWriteMsPerByte) * bytes.size() + kWriteConstantMs);
    while (m_serial->bytesToWrite() > 0) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0 || m_farEndLost)
            throw EComPort(CE_WriteFailed, left <= 0 ? ETIMEDOUT : EIO);
        if (!m_serial->waitForBytesWritten(int(left)) && m_serial->bytesToWrite() > 0) {
            const QSerialPort::SerialPortError error = m_serial->error();
            if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError)
                throw EComPort(CE_WriteFailed, systemErrorOf(error));
        }
    }
    return int(bytes.size());
}

int TComPort::ReadStr(QString& str, int count) {
    str.clear();
    if (count < 1)
        return 0;
    if (!Connected())
        throw EComPort::CreateNoWinCode(CEPortNotOpen);
    if (m_farEndLost)
        failUnusable(CE_ReadFailed);

    QByteArray bytes(count, Qt::Uninitialized);
    const qint64 got = m_serial->read(bytes.data(), count);
    if (got < 0)
        throw EComPort(CE_ReadFailed, systemErrorOf(m_serial->error()));
    bytes.truncate(got);
    if (OnTraffic && got > 0)
        OnTraffic(this, Direction::Received, bytes);
    str = fromCp1252(bytes);
    return int(got);
}

int TComPort::InputCount() {
    if (m_farEndLost || !m_serial)
        failUnusable(CE_ClearComFailed);
    return int(std::min<qint64>(m_serial->bytesAvailable(), std::numeric_limits<int>::max()));
}

// The handler runs from the event loop, never inside QSerialPort's own signal: it may
// close the port, and a wait started from inside readyRead would never see the next one.
void TComPort::scheduleRxDispatch() {
    if (m_dispatchPending || !m_listening)
        return;
    if (m_directDelivery) {
        m_inNotification = true;
        dispatchRxChar();
        m_inNotification = false;
        return;
    }
    m_dispatchPending = true;
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation == m_generation)
                dispatchRxChar();
        },
        Qt::QueuedConnection);
}

void TComPort::dispatchRxChar() {
    m_dispatchPending = false;
    if (!m_listening || m_farEndLost || !m_serial)
        return;
    if (m_lineWakeUp)
        takeWaitingLines();
    if (!m_listening || m_farEndLost || !m_serial)
        return;
    try {
        const int count = InputCount();
        if (count > 0 && OnRxChar)
            OnRxChar(this, count);
    } catch (const std::exception& e) {
        // Nobody above the event loop could take this error; the pending wait ends by
        // its time-out and the operation reports the failed exchange. Stop listening so
        // that a broken read path cannot fail again at every arrival.
        m_listening = false;
        qWarning("Serial port %s: receive handler failed: %s", qPrintable(m_port), e.what());
    }
}

// Held lines come one per read: the lines that arrived together are handed over together,
// as they would be byte by byte. The system counts only whole lines as waiting.
void TComPort::takeWaitingLines() {
#ifdef Q_OS_UNIX
    const int fd = int(m_serial->handle());
    int waiting = 0;
    while (m_serial && !m_farEndLost && ::ioctl(fd, FIONREAD, &waiting) == 0 && waiting > 0) {
        if (!m_serial->waitForReadyRead(0)) {
            m_serial->clearError();
            break;
        }
    }
#endif
}

// Called from inside QSerialPort's read notification, so the device is released from the
// event loop right after: deleting the QSerialPort under its own call stack is not safe.
// Until then its signals are blocked, which stops the error storm of a hung-up tty.
void TComPort::farEndLost() {
    if (m_farEndLost || !m_serial)
        return;
    m_farEndLost = true;
    m_listening = false;
    m_serial->blockSignals(true);
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation == m_generation && m_farEndLost)
                releaseDevice();
        },
        Qt::QueuedConnection);
}

void TComPort::releaseDevice() {
    if (!m_serial)
        return;
    QSerialPort* serial = std::exchange(m_serial, nullptr);
    // Closing gives the device back its settings from before the opening.
    m_lineWakeUp = false;
    serial->disconnect(this);
    serial->blockSignals(true);
    serial->close();
    if (m_inNotification)
        serial->deleteLater();
    else
        delete serial;
}

void openPort(TComPort& port, RestoreGuard& closeOnExit) {
    port.Open();
    closeOnExit.add([&port] { port.Close(); });
}

QStringList extraPortPaths() {
    return qEnvironmentVariable("VEXA_EXTRA_PORTS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

void ListComPorts(QStringList& list) {
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports)
        names.append(info.systemLocation());
    names.append(extraPortPaths());

    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int byText = QString::compare(a, b, Qt::CaseInsensitive);
        return byText != 0 ? byText < 0 : a < b;
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    list = names;
}
