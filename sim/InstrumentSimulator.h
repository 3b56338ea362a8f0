#pragma once

#include "sim/Locked.h"
#include "sim/SimInstrument.h"
#include "sim/SimOutputQueue.h"
#include "sim/SimPseudoTerminal.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

// A Vexameter on the far end of a pseudo-terminal, for tests, the demo and benchmarks.
// It answers every command the program sends the way the instrument does, keeps the
// instrument's state, logs every line it receives, and can misbehave on request
// (silence, split or late replies, odd line ends, garbage, scripted or error replies,
// hang-up). One worker thread serves the line; every public call, and every call through
// instrument(), is thread-safe and takes effect from the next received line on.
//
// A received line ends at LF; a CR just before the LF belongs to the line end. Replies
// end with CR LF unless setLineEnding() says otherwise.
class InstrumentSimulator : public QObject {
    Q_OBJECT
public:
    using Identity = SimInstrument::Identity;
    using SpecificParameters = SimInstrument::SpecificParameters;

    struct TranscriptLine {
        qint64 ms = 0;   // since the first start(), monotonic
        QByteArray line; // without its line end
        QByteArray raw;  // every byte received for it, line end included
    };

    enum class LineEnding { CrLf, CrOnly, LfOnly, None };

    explicit InstrumentSimulator(QObject* parent = nullptr);
    ~InstrumentSimulator() override;

    // --- Line ---------------------------------------------------------------------------
    // A symbolic link made at start() and removed at stop() or hang-up; empty for none.
    void setLinkPath(const QString& path);
    QString linkPath() const;
    // Opens a new pseudo-terminal and starts serving it (after a hang-up: a new one, with a
    // new slave path). Raises VexaError when the terminal or the link cannot be made.
    void start();
    // Stops serving and closes the line; the program sees a hang-up if it has it open.
    void stop();
    bool isRunning() const;
    // The device path the program opens, e.g. /dev/pts/7; empty when not running.
    QString slavePath() const;

    // --- Instrument state ---------------------------------------------------------------
    // What the instrument keeps and answers, reached under the simulator's lock:
    // `sim.instrument()->setIdentity(id)` holds it for that one call, a handle kept in a
    // variable for as long as it lives (the worker waits meanwhile, so the calls make one
    // step for the line). The same thread may take it again inside a held handle; it must
    // not wait for lines or hang up while holding one.
    using InstrumentHandle = Locked<SimInstrument, std::recursive_mutex>;
    using ConstInstrumentHandle = Locked<const SimInstrument, std::recursive_mutex>;
    InstrumentHandle instrument() { return {m_instrument, m_mutex}; }
    ConstInstrumentHandle instrument() const { return {m_instrument, m_mutex}; }

    // --- Transcript ---------------------------------------------------------------------
    QList<TranscriptLine> transcript() const;
    QList<QByteArray> receivedLines() const;
    void clearTranscript();
    // Blocks until the transcript holds at least `count` lines or `timeoutMs` has passed.
    bool waitForLines(int count, int timeoutMs) const;

    // --- Pacing -------------------------------------------------------------------------
    // Bits per second of what the simulator sends, 10 bits per byte; 0 for no limit.
    void setBaudRate(int baud);
    int baudRate() const;
    // Time between a received line and the start of its reply.
    void setReplyDelay(int ms);
    // Replies pass through a USB adapter's latency timer of `ms` (0: straight to the line).
    void setLatencyTimer(int ms);

    // --- Faults -------------------------------------------------------------------------
    // Receives and logs, answers nothing and changes nothing (scripted replies still go).
    void setSilent(bool silent);
    // Sends every reply in pieces of `bytes` with `gapMs` of silence between; 0 for whole.
    void setChunking(int bytes, int gapMs);
    // Holds every LF of a reply `gapMs` after its CR; 0 for no hold.
    void setSplitLineEnd(int gapMs);
    void setLineEnding(LineEnding ending);
    // Sent before every reply (not before scripted ones); empty for none.
    void setGarbage(const QByteArray& bytes);
    // The next line that begins with `command` (an empty one matches any line) gets exactly
    // `raw` in reply, nothing added, after `delayMs` on top of the reply delay; an empty
    // `raw` answers nothing. The instrument is bypassed: its state does not change. Calls
    // queue up in order, one reply each.
    void scriptReply(const QByteArray& command, const QByteArray& raw, int delayMs = 0);
    // The next `occurrences` lines that begin with `command` are answered as usual but
    // `delayMs` late: a late answer.
    void delayReply(const QByteArray& command, int delayMs, int occurrences = 1);
    // Lines that begin with `command` get the error reply "#e NNN" (0 <= number <= 999)
    // until cleared; the instrument's state does not change.
    void setErrorReply(const QByteArray& command, int number);
    void clearErrorReplies();
    // The `lines`-th line received from now on is logged but not answered: the line is
    // closed instead, as if the instrument had been unplugged. 0 cancels.
    void setHangUpAfter(int lines);
    // Closes the line now; returns once it is closed.
    void hangUpNow();
    bool isHungUp() const;
    // Back to a well-behaved instrument: every fault above off, reply delay 0 (the line
    // rate is kept).
    void clearFaults();

Q_SIGNALS:
    // Both are emitted in the thread the simulator lives in, from its event loop.
    // Every received line, with the milliseconds since the first start().
    void lineReceived(qint64 ms, const QByteArray& line);
    // The line was closed by a hang-up fault or by hangUpNow().
    void hungUp();

private:
    struct Rule {
        QByteArray command;
        std::optional<QByteArray> raw;
        int delayMs = 0;
    };
    struct Reply {
        QByteArray bytes;
        int delayMs = 0;
        SimShaping shaping;
        bool hangUp = false;
    };

    void run();
    // What the wake-up descriptor was written for: stop(), a hang-up, or nothing.
    enum class WakeRequest { None, Stop, HangUp };
    WakeRequest takeWakeRequest();
    // The line closed and the waiters told, after the loop of run().
    void endRun(bool hangUp);
    void wake();
    Reply handleLine(const TranscriptLine& line); // takes m_mutex
    // Answers every whole line of `pending` (and a line grown too long), received at
    // `received`; true when one of them hangs up.
    bool serveLines(QByteArray& pending, SimClock::time_point received, SimOutputQueue& out);
    QByteArray ending() const;

    // Recursive so that a call through instrument() may nest inside another on one thread.
    mutable std::recursive_mutex m_mutex;
    mutable std::condition_variable_any m_changed;
    SimInstrument m_instrument;
    SimPseudoTerminal m_pty;
    QString m_linkPath;
    std::thread m_worker;
    int m_wakeFd = -1;
    bool m_running = false;
    bool m_stopRequested = false;
    bool m_hangUpRequested = false;
    bool m_hungUp = false;
    std::optional<SimClock::time_point> m_epoch;

    QList<TranscriptLine> m_transcript;

    int m_baud = 0;
    int m_latencyTimerMs = 0;
    int m_replyDelayMs = 0;
    bool m_silent = false;
    SimShaping m_shaping;
    LineEnding m_ending = LineEnding::CrLf;
    QByteArray m_garbage;
    std::deque<Rule> m_rules;
    QList<std::pair<QByteArray, int>> m_errors;
    int m_hangUpCountdown = 0;
};
