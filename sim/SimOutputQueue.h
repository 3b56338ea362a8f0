#pragma once

#include <QByteArray>
#include <QList>

#include <chrono>
#include <deque>
#include <optional>

using SimClock = std::chrono::steady_clock;

// How a reply is cut up on its way out: in pieces of `chunkBytes` with `chunkGapMs` of
// silence between them, and/or with `lineEndGapMs` of silence between every CR and the LF
// after it. Zero or less switches a cut off.
struct SimShaping {
    int chunkBytes = 0;
    int chunkGapMs = 0;
    int lineEndGapMs = 0;
};

// The bytes on their way to the program, in order, each piece not before its time and,
// at a set line rate, no faster than 10 bits per byte. Used by the worker thread only.
class SimOutputQueue {
public:
    struct Piece {
        QByteArray bytes;
        int gapBeforeMs = 0; // silence after the previous piece of the same reply
    };
    static QList<Piece> cut(const QByteArray& reply, const SimShaping& shaping);

    // Queues `reply` to start no earlier than `notBefore` and after everything queued so far.
    void add(const QByteArray& reply, SimClock::time_point notBefore, const SimShaping& shaping);
    void clear();
    bool isEmpty() const { return m_pieces.empty(); }

    struct PumpResult {
        bool blocked = false;                         // wait until the line takes more
        std::optional<SimClock::time_point> nextWake; // come back then
        int error = 0;                                // errno of a failed write
    };
    // Writes to `fd` whatever is due at `now`; `baud` 0 sends as fast as the line takes it.
    // With `latencyTimerMs` above 0 the bytes pass through a model of a USB serial adapter:
    // it holds what came off the line until the line has been idle that long or a full
    // packet of AdapterPacketBytes is in, as FTDI-type adapters do with their latency timer.
    PumpResult pump(int fd, int baud, SimClock::time_point now, int latencyTimerMs = 0);

    // Payload of one full-speed USB packet of an FTDI adapter (64 bytes less 2 of status).
    static constexpr int AdapterPacketBytes = 62;

private:
    PumpResult pumpLine(int fd, int baud, SimClock::time_point now, bool toAdapter);
    // Hands the adapter's held bytes to `fd` when a packet is full or the timer ran out.
    void releaseHeld(int fd, SimClock::time_point now, int latencyTimerMs, PumpResult& result);

    struct Queued {
        QByteArray bytes;
        qsizetype written = 0;
        SimClock::time_point notBefore;
        int gapBeforeMs = 0;
        bool started = false;
        SimClock::time_point start;
    };
    std::deque<Queued> m_pieces;
    // When the last byte of the previous piece reached the line.
    SimClock::time_point m_lastEnd{};
    // The adapter model: bytes off the line not yet passed on, and when the last one came.
    QByteArray m_held;
    SimClock::time_point m_lastHeld{};
};
