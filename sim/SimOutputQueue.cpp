#include "sim/SimOutputQueue.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace {

// Start bit, 8 data bits, stop bit.
SimClock::duration byteTime(int baud) {
    return std::chrono::duration_cast<SimClock::duration>(
        std::chrono::nanoseconds(10'000'000'000LL / baud));
}

} // namespace

QList<SimOutputQueue::Piece> SimOutputQueue::cut(const QByteArray& reply,
                                                 const SimShaping& shaping) {
    QList<Piece> pieces;
    if (reply.isEmpty())
        return pieces;
    const qsizetype size = shaping.chunkBytes > 0 ? shaping.chunkBytes : reply.size();
    for (qsizetype at = 0; at < reply.size(); at += size)
        pieces.append({reply.mid(at, size), at == 0 ? 0 : std::max(0, shaping.chunkGapMs)});
    if (shaping.lineEndGapMs <= 0)
        return pieces;

    QList<Piece> split;
    for (const Piece& piece : pieces) {
        // A CR at the end of the previous piece and an LF at the start of this one are a
        // line end that the chunking already split: it gets the longer of the two gaps.
        Piece current{QByteArray(), piece.gapBeforeMs};
        if (!split.isEmpty() && split.last().bytes.endsWith('\r') && piece.bytes.startsWith('\n'))
            current.gapBeforeMs = std::max(current.gapBeforeMs, shaping.lineEndGapMs);
        for (qsizetype i = 0; i < piece.bytes.size(); ++i) {
            if (i > 0 && piece.bytes.at(i) == '\n' && piece.bytes.at(i - 1) == '\r') {
                split.append(current);
                current = {QByteArray(), shaping.lineEndGapMs};
            }
            current.bytes.append(piece.bytes.at(i));
        }
        split.append(current);
    }
    return split;
}

void SimOutputQueue::add(const QByteArray& reply, SimClock::time_point notBefore,
                         const SimShaping& shaping) {
    bool first = true;
    for (const Piece& piece : cut(reply, shaping)) {
        Queued queued;
        queued.bytes = piece.bytes;
        // Later pieces of a reply start after the one before them, whenever that ends.
        queued.notBefore = first ? notBefore : SimClock::time_point{};
        queued.gapBeforeMs = piece.gapBeforeMs;
        m_pieces.push_back(queued);
        first = false;
    }
}

void SimOutputQueue::clear() {
    m_pieces.clear();
    m_held.clear();
}

SimOutputQueue::PumpResult SimOutputQueue::pump(int fd, int baud, SimClock::time_point now,
                                                int latencyTimerMs) {
    if (latencyTimerMs <= 0 && m_held.isEmpty())
        return pumpLine(fd, baud, now, false);
    PumpResult result = pumpLine(fd, baud, now, true);
    releaseHeld(fd, now, std::max(0, latencyTimerMs), result);
    return result;
}

void SimOutputQueue::releaseHeld(int fd, SimClock::time_point now, int latencyTimerMs,
                                 PumpResult& result) {
    if (m_held.isEmpty())
        return;
    const SimClock::time_point expiry = m_lastHeld + std::chrono::milliseconds(latencyTimerMs);
    // Full packets go at once; the rest waits for the timer.
    qsizetype release = m_held.size() - m_held.size() % AdapterPacketBytes;
    if (now >= expiry)
        release = m_held.size();
    qsizetype written = 0;
    while (written < release) {
        const ssize_t n = ::write(fd, m_held.constData() + written, size_t(release - written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                result.blocked = true;
            else
                result.error = errno;
            break;
        }
        written += n;
    }
    m_held.remove(0, written);
    if (!m_held.isEmpty() && !result.blocked && result.error == 0 &&
        (!result.nextWake || expiry < *result.nextWake))
        result.nextWake = std::max(expiry, now);
}

SimOutputQueue::PumpResult SimOutputQueue::pumpLine(int fd, int baud, SimClock::time_point now,
                                                    bool toAdapter) {
    PumpResult result;
    while (!m_pieces.empty()) {
        Queued& piece = m_pieces.front();
        if (!piece.started) {
            piece.start =
                std::max(piece.notBefore, m_lastEnd + std::chrono::milliseconds(piece.gapBeforeMs));
            piece.started = true;
        }
        if (now < piece.start) {
            result.nextWake = piece.start;
            return result;
        }
        // At a line rate, byte i has reached the far end once i + 1 byte times have passed;
        // a late wake-up sends the overdue bytes at once, so the average rate holds.
        qsizetype due = piece.bytes.size();
        if (baud > 0)
            due = std::min<qsizetype>(due, (now - piece.start) / byteTime(baud));
        if (due > piece.written && toAdapter) {
            m_held.append(piece.bytes.constData() + piece.written, due - piece.written);
            m_lastHeld = now;
            piece.written = due;
        } else if (due > piece.written) {
            const ssize_t n =
                ::write(fd, piece.bytes.constData() + piece.written, size_t(due - piece.written));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                if (errno == EAGAIN || errno == EWOULDBLOCK)
                    result.blocked = true;
                else
                    result.error = errno;
                return result;
            }
            piece.written += n;
            if (piece.written < due) {
                result.blocked = true;
                return result;
            }
        }
        if (piece.written == piece.bytes.size()) {
            m_lastEnd =
                baud > 0 ? piece.start + byteTime(baud) * SimClock::rep(piece.bytes.size()) : now;
            m_pieces.pop_front();
            continue;
        }
        result.nextWake = piece.start + byteTime(baud) * SimClock::rep(piece.written + 1);
        return result;
    }
    return result;
}
