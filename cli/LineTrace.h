#pragma once

#include "link/TComPort.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

// --trace: what was said on the line, for support. One line of the file per line sent or
// received, stamped with the seconds and milliseconds since the tool started; CR, LF, the
// backslash and every byte outside printable ASCII are written as escapes, so that what
// the instrument really sent can be read back exactly.
//
//       0.000  -- /dev/ttyUSB0
//       0.002  >  #i\r\n
//       0.031  <  #i VEXAMETER ...\r\n
class LineTrace {
public:
    // Creates or empties the file; EFileError when it cannot be written.
    explicit LineTrace(const QString& path);
    ~LineTrace();
    LineTrace(const LineTrace&) = delete;
    LineTrace& operator=(const LineTrace&) = delete;

    // From now on every byte the port writes or reads is traced.
    void attach(TComPort& port);

private:
    void onTraffic(TComPort* port, TComPort::Direction direction, const QByteArray& bytes);
    void flushReceived();
    void writeLine(const char* marker, const QString& text);

    QFile m_file;
    QElapsedTimer m_clock;
    QString m_lastPort;
    // Received bytes of a line whose LF has not come yet.
    QByteArray m_received;
};
