#pragma once

#include "sim/SimPseudoTerminal.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class QSocketNotifier;
struct termios;

// The far end of a real pseudo-terminal, driven from a test. The program under test opens
// portPath() like any serial device; the test sees every byte the program wrote, writes
// replies (at once, later, in chunks) and can hang up to play an unplugged adapter.
//
// Everything runs on the thread's event loop, so the peer answers while the program is
// inside one of its own waits. The terminal pair is the simulator's own.
class PtyPeer : public QObject {
    Q_OBJECT
public:
    explicit PtyPeer(QObject* parent = nullptr);
    ~PtyPeer() override;

    bool isOpen() const { return m_pty.isOpen(); }
    // The device path the program opens, e.g. /dev/pts/7.
    QString portPath() const { return m_path; }

    // Every byte the program has written since creation or the last clearReceived().
    QByteArray received() const { return m_received; }
    void clearReceived() {
        m_received.clear();
        m_lineStart = 0;
    }
    // Reads what is waiting without the event loop, for up to `timeoutMs` or until at
    // least `bytes` bytes have been received in all.
    bool waitForReceived(qsizetype bytes, int timeoutMs);
    // Blocks, without the event loop, until bytes sent are there for the program to read
    // (its port may still have to notice them), or `timeoutMs` has passed.
    bool waitUntilProgramCanRead(int timeoutMs) const;

    // Queues bytes for the program; they leave as fast as the terminal takes them.
    void send(const QByteArray& bytes);
    void sendLater(int ms, const QByteArray& bytes);
    // Closes the master (and the peer's slave): the program sees a hung-up line.
    void hangUp();
    void hangUpLater(int ms);

    // Called with each CR LF-terminated line the program writes (without the CR LF).
    std::function<void(const QByteArray& line)> onLine;
    // Answers every line with this reply (when onLine is not set).
    void answerEveryLine(const QByteArray& reply) { m_autoReply = reply; }
    int linesReceived() const { return m_lines; }

    // The terminal's current line settings, as the program left them.
    bool lineSettings(termios& settings) const;

private:
    void readAvailable();
    void flushOutgoing();
    void splitLines();

    SimPseudoTerminal m_pty;
    QString m_path; // kept after a hang-up, for the messages that name the port
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QByteArray m_received;
    QByteArray m_outgoing;
    qsizetype m_lineStart = 0;
    int m_lines = 0;
    QByteArray m_autoReply;
};
