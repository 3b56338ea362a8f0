#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QSerialPort;
struct termios;

// The instrument's serial port: opened by name with the fixed line settings (38400 baud,
// 8 data bits, no parity, 1 stop bit, no flow control, DTR and RTS inactive), written and
// read as 8-bit text (Windows-1252, one byte per character). While open, every arrival of
// bytes is reported on the user-interface thread through OnRxChar with the number of
// bytes waiting. Failures raise EComPort.
class TComPort : public QObject {
    Q_OBJECT
public:
    explicit TComPort(QObject* parent = nullptr);
    ~TComPort() override;

    // Does nothing when already open. A port that cannot be opened raises error 1.
    void Open();
    // Does nothing when already closed.
    void Close();
    bool Connected() const;

    // Port name: "COM3" style names on Windows, device paths such as /dev/ttyUSB0 on Linux.
    // Changing it while open closes the port and opens the new one.
    void setPort(const QString& name);
    QString Port() const { return m_port; }

    void ClearBuffer(bool input, bool output);
    // Returns the number of bytes written; waits at most 100 ms per byte plus 1000 ms.
    int WriteStr(const QString& str);
    // Reads up to `count` bytes that are already waiting; never waits.
    int ReadStr(QString& str, int count);
    int InputCount();

    // Handler of the characters-received notification: (port, bytes waiting).
    std::function<void(TComPort*, int)> OnRxChar;

    // Sees every byte that went out on the line and every byte read from it, as it happens
    // (for a trace of the conversation), and remarks about the line that are no traffic
    // (Note: a line of text, such as the adapter's answer to the low-latency request).
    // Unset, it costs a test per write and per read.
    enum class Direction { Sent, Received, Note };
    std::function<void(TComPort*, Direction, const QByteArray&)> OnTraffic;

    // What the last opening's request for low latency came to. A USB adapter that refuses
    // it holds every reply up to its latency timer (16 ms by default).
    enum class LowLatency { NotApplicable, Granted, Refused };
    LowLatency lowLatency() const { return m_lowLatency; }

    // A handler that neither closes the port nor waits may take the bytes inside the
    // port's read notification: that saves a pass of the event loop for every chunk.
    void setDirectDelivery(bool direct) { m_directDelivery = direct; }

    // Line wake-up: the system holds received bytes until an LF and hands over whole lines,
    // so a reply wakes the program once instead of at every chunk the line delivers. CR and
    // every other byte pass unchanged (no control character has a meaning then). A line
    // not yet ended by LF is not seen at all until line wake-up is switched off again,
    // which makes it readable at once. Off at every opening; true when the port is now in
    // the asked state (only POSIX systems can hold lines).
    bool setLineWakeUp(bool on);
    bool lineWakeUp() const { return m_lineWakeUp; }

private:
    void scheduleRxDispatch();
    void dispatchRxChar();
    void takeWaitingLines();
    void farEndLost();
    void releaseDevice();
    [[noreturn]] void failUnusable(int code) const;

    QString m_port = QStringLiteral("COM24");
    QSerialPort* m_serial = nullptr;
    // The far end went away: the device is (being) released and every call fails at once
    // until Close. Connected() stays true so that the owner's Close ends this state.
    bool m_farEndLost = false;
    // Notifications are delivered only while this is set; a receive handler that throws
    // clears it until the port is opened again.
    bool m_listening = false;
    bool m_dispatchPending = false;
    bool m_directDelivery = false;
    // Set while a handler runs inside the read notification: the device is then released
    // from the event loop, not under its own call stack.
    bool m_inNotification = false;
    LowLatency m_lowLatency = LowLatency::NotApplicable;
    bool m_lineWakeUp = false;
    // The byte-by-byte settings the line wake-up started from, given back when it ends.
    std::unique_ptr<termios> m_byteMode;
    // Tells queued work which opening it belongs to, so that it never touches a later one.
    quint64 m_generation = 0;
};

class RestoreGuard;

// Opens the port for one operation; `closeOnExit` closes it again on every way out.
void openPort(TComPort& port, RestoreGuard& closeOnExit);

// The serial ports the system knows, plus every path of the environment variable
// VEXA_EXTRA_PORTS (separated by ':'), sorted case-insensitively as text (COM10 before COM2).
void ListComPorts(QStringList& list);

// The paths of VEXA_EXTRA_PORTS, as written there, whether they exist or not.
QStringList extraPortPaths();
