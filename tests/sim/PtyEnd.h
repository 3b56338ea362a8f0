#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>

// The program's end of the line, opened with plain POSIX calls in raw mode, so that the
// simulator's tests do not lean on the port component they are meant to serve.
class PtyEnd {
public:
    explicit PtyEnd(const QString& path);
    ~PtyEnd();
    PtyEnd(const PtyEnd&) = delete;
    PtyEnd& operator=(const PtyEnd&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    QString error() const { return m_error; }

    void send(const QByteArray& bytes);
    void sendLine(const QByteArray& command) { send(command + "\r\n"); }

    struct Chunk {
        qint64 ms; // since the read began
        QByteArray bytes;
    };
    // Reads until what came holds `until` or `timeoutMs` passed; returns all of it.
    QByteArray readUntil(const QByteArray& until, int timeoutMs);
    // Everything that arrives within `ms`.
    QByteArray readFor(int ms);
    // Each read() of the last readUntil/readFor, with its arrival time.
    QList<Chunk> chunks() const { return m_chunks; }

    // One command out, the reply up to its first CR LF back.
    QByteArray exchange(const QByteArray& command, int timeoutMs = 2000);

    // True once the line has vanished: poll reports a hang-up or an error, or read()
    // gives end of file or fails with EIO. Waits at most `timeoutMs`.
    bool waitForHangUp(int timeoutMs);

private:
    QByteArray read(const QByteArray& until, int timeoutMs);

    int m_fd = -1;
    QString m_error;
    QList<Chunk> m_chunks;
};
