#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QEventLoop;
class QTimer;
class TComPort;

// Milliseconds since some fixed point, wrapping at 2^32.
using TickSource = std::function<quint32()>;
quint32 systemTickCount();

// One command line out, one reply back: the only conversation the program has with the
// instrument. The reply is everything received since the command was written, until it
// holds CR LF or the line has been silent for CommandTimeoutMs.
class CommandExchange : public QObject {
    Q_OBJECT
public:
    static constexpr int CommandTimeoutMs = 2000;
    // A reply that grows past this without CR LF ends the wait as a time-out.
    static constexpr int MaxReplyLength = 64 * 1024;
    // For this long after the command the port hands over whole lines only (one wake-up
    // per reply); a reply still without LF by then is taken byte by byte from there on, so
    // the silence is measured at every byte again. A partial line's bytes from that first
    // stretch count as arrived at its end: a silence may end up to this much late, never
    // early.
    static constexpr int LineWakeUpMs = 100;

    explicit CommandExchange(TComPort& port, QObject* parent = nullptr);
    ~CommandExchange() override;

    TComPort& port() { return m_port; }

    // Whole lines only for the first LineWakeUpMs of each reply: one wake-up per reply
    // instead of one per piece. Off by default: in the window, whose event loop also
    // paints, it made some transfers a tenth slower on a loaded machine (the reply's line
    // handed over late), a cause not yet found; the command-line tool, which paints
    // nothing, takes the saving.
    void setLineWakeUps(bool on) { m_lineWakeUps = on; }

    // Every byte received since the last command, one character per byte, CR LF included.
    QString ReplyBuffer;
    bool ReplyComplete = false;
    bool ReplyTimedOut = false;

    void EcrireCommande(const QString& commande);
    void ComPortRxChar(TComPort* sender, int count);
    void StartTimeOut(int dureems);
    void StopTimeOut(int dureems = 0);
    void TimerTimeOutTimer();
    // Returns once ReplyComplete or ReplyTimedOut is set; keeps the user interface alive
    // meanwhile without burning the processor.
    void AttendreReponse();
    // Presence check on the open port: "#i"; 0 when a complete reply came, -1 on time-out.
    int ConnectSonde();

    // One send-and-wait exchange; true when a complete (CR LF-terminated) reply came.
    bool exchangeLine(const QString& command);
    // The instrument took the command: a reply came in time and holds "OK" anywhere, even
    // inside a longer word.
    bool replyAcknowledged() const;

    // The pause below, counted as a wait of this exchange so that isWaiting() holds
    // during it too.
    void Temporiser(quint32 ms, const TickSource& ticks = systemTickCount);

    // True while AttendreReponse or Temporiser is waiting (other operations must not start
    // then).
    bool isWaiting() const { return m_waiting > 0; }

private:
    void wakeWaiters();
    void startSilenceTimer();
    void endLineWakeUp();

    TComPort& m_port;
    QPointer<TComPort> m_portAlive;
    QTimer* m_timer;
    // The silence time-out is measured from the last arrival; the timer is armed once per
    // exchange and, when it fires early because bytes came meanwhile, for the rest.
    QElapsedTimer m_sinceArrival;
    int m_timeoutMs = CommandTimeoutMs;
    bool m_lineWakeUps = false;
    int m_waiting = 0;
    // The event loops of the waits in progress, innermost last.
    std::vector<QEventLoop*> m_waitLoops;
};

// A pause of `ms` milliseconds that keeps processing user-interface events. Correct across
// the wrap of the 32-bit tick counter.
void Temporiser(quint32 ms, const TickSource& ticks = systemTickCount);
