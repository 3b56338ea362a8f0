#include "sim/InstrumentSimulator.h"

#include "common/Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

// A line that never ends must not eat the memory: past this size what has come is taken
// as one line (and, being no command, gets the error reply).
constexpr qsizetype MaxLineBytes = 64 * 1024;

int pollTimeout(const std::optional<SimClock::time_point>& wake, SimClock::time_point now) {
    if (!wake)
        return -1;
    if (*wake <= now)
        return 0;
    // Rounded up, so that an early wake-up never turns the loop into a spin.
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(*wake - now).count();
    return int(std::min<qint64>(ms, 60'000));
}

} // namespace

InstrumentSimulator::InstrumentSimulator(QObject* parent) : QObject(parent) {}

InstrumentSimulator::~InstrumentSimulator() {
    stop();
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

// --- Line -------------------------------------------------------------------------------

void InstrumentSimulator::setLinkPath(const QString& path) {
    std::lock_guard lock(m_mutex);
    m_linkPath = path;
}

QString InstrumentSimulator::linkPath() const {
    std::lock_guard lock(m_mutex);
    return m_linkPath;
}

void InstrumentSimulator::start() {
    stop(); // also collects a worker that ended by a hang-up
    std::lock_guard lock(m_mutex);
    if (m_wakeFd < 0) {
        m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (m_wakeFd < 0)
            throw VexaError(QStringLiteral("Cannot create the simulator's wake-up event: ") +
                            QString::fromLocal8Bit(std::strerror(errno)));
    }
    m_pty.open(m_linkPath);
    if (!m_epoch)
        m_epoch = SimClock::now();
    m_running = true;
    m_hungUp = false;
    m_stopRequested = false;
    m_hangUpRequested = false;
    m_worker = std::thread(&InstrumentSimulator::run, this);
}

void InstrumentSimulator::stop() {
    {
        std::lock_guard lock(m_mutex);
        if (m_running)
            m_stopRequested = true;
    }
    wake();
    if (m_worker.joinable())
        m_worker.join();
}

bool InstrumentSimulator::isRunning() const {
    std::lock_guard lock(m_mutex);
    return m_running;
}

QString InstrumentSimulator::slavePath() const {
    std::lock_guard lock(m_mutex);
    return m_pty.slavePath();
}

void InstrumentSimulator::wake() {
    if (m_wakeFd < 0)
        return;
    const quint64 one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_wakeFd, &one, sizeof one);
}

// --- Transcript -------------------------------------------------------------------------

QList<InstrumentSimulator::TranscriptLine> InstrumentSimulator::transcript() const {
    std::lock_guard lock(m_mutex);
    return m_transcript;
}

QList<QByteArray> InstrumentSimulator::receivedLines() const {
    std::lock_guard lock(m_mutex);
    QList<QByteArray> lines;
    lines.reserve(m_transcript.size());
    for (const TranscriptLine& entry : m_transcript)
        lines.append(entry.line);
    return lines;
}

void InstrumentSimulator::clearTranscript() {
    std::lock_guard lock(m_mutex);
    m_transcript.clear();
}

bool InstrumentSimulator::waitForLines(int count, int timeoutMs) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_transcript.size() >= count; });
}

// --- Pacing -----------------------------------------------------------------------------

void InstrumentSimulator::setBaudRate(int baud) {
    {
        std::lock_guard lock(m_mutex);
        m_baud = std::max(0, baud);
    }
    wake(); // a reply on its way picks up the new rate at once
}

void InstrumentSimulator::setLatencyTimer(int ms) {
    {
        std::lock_guard lock(m_mutex);
        m_latencyTimerMs = std::max(0, ms);
    }
    wake();
}

int InstrumentSimulator::baudRate() const {
    std::lock_guard lock(m_mutex);
    return m_baud;
}

void InstrumentSimulator::setReplyDelay(int ms) {
    std::lock_guard lock(m_mutex);
    m_replyDelayMs = std::max(0, ms);
}

// --- Faults -----------------------------------------------------------------------------

void InstrumentSimulator::setSilent(bool silent) {
    std::lock_guard lock(m_mutex);
    m_silent = silent;
}

void InstrumentSimulator::setChunking(int bytes, int gapMs) {
    std::lock_guard lock(m_mutex);
    m_shaping.chunkBytes = std::max(0, bytes);
    m_shaping.chunkGapMs = std::max(0, gapMs);
}

void InstrumentSimulator::setSplitLineEnd(int gapMs) {
    std::lock_guard lock(m_mutex);
    m_shaping.lineEndGapMs = std::max(0, gapMs);
}

void InstrumentSimulator::setLineEnding(LineEnding ending) {
    std::lock_guard lock(m_mutex);
    m_ending = ending;
}

void InstrumentSimulator::setGarbage(const QByteArray& bytes) {
    std::lock_guard lock(m_mutex);
    m_garbage = bytes;
}

void InstrumentSimulator::scriptReply(const QByteArray& command, const QByteArray& raw,
                                      int delayMs) {
    std::lock_guard lock(m_mutex);
    m_rules.push_back({command, raw, std::max(0, delayMs)});
}

void InstrumentSimulator::delayReply(const QByteArray& command, int delayMs, int occurrences) {
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < occurrences; ++i)
        m_rules.push_back({command, std::nullopt, std::max(0, delayMs)});
}

void InstrumentSimulator::setErrorReply(const QByteArray& command, int number) {
    std::lock_guard lock(m_mutex);
    m_errors.append({command, std::clamp(number, 0, 999)});
}

void InstrumentSimulator::clearErrorReplies() {
    std::lock_guard lock(m_mutex);
    m_errors.clear();
}

void InstrumentSimulator::setHangUpAfter(int lines) {
    std::lock_guard lock(m_mutex);
    m_hangUpCountdown = std::max(0, lines);
}

void InstrumentSimulator::hangUpNow() {
    std::unique_lock lock(m_mutex);
    if (!m_running)
        return;
    m_hangUpRequested = true;
    lock.unlock();
    wake();
    lock.lock();
    m_changed.wait(lock, [&] { return !m_running; });
}

bool InstrumentSimulator::isHungUp() const {
    std::lock_guard lock(m_mutex);
    return m_hungUp;
}

void InstrumentSimulator::clearFaults() {
    std::lock_guard lock(m_mutex);
    m_replyDelayMs = 0;
    m_silent = false;
    m_shaping = SimShaping{};
    m_ending = LineEnding::CrLf;
    m_garbage.clear();
    m_rules.clear();
    m_errors.clear();
    m_hangUpCountdown = 0;
}

// --- Worker -----------------------------------------------------------------------------

QByteArray InstrumentSimulator::ending() const {
    switch (m_ending) {
    case LineEnding::CrLf:
        return "\r\n";
    case LineEnding::CrOnly:
        return "\r";
    case LineEnding::LfOnly:
        return "\n";
    case LineEnding::None:
        break;
    }
    return {};
}

InstrumentSimulator::Reply InstrumentSimulator::handleLine(const TranscriptLine& line) {
    std::lock_guard lock(m_mutex);
    m_transcript.append(line);
    m_changed.notify_all();

    Reply reply;
    reply.shaping = m_shaping;
    reply.delayMs = m_replyDelayMs;
    if (m_hangUpCountdown > 0 && --m_hangUpCountdown == 0) {
        reply.hangUp = true;
        return reply;
    }

    const auto rule = std::find_if(m_rules.begin(), m_rules.end(),
                                   [&](const Rule& r) { return line.line.startsWith(r.command); });
    if (rule != m_rules.end()) {
        const Rule taken = *rule;
        m_rules.erase(rule);
        reply.delayMs += taken.delayMs;
        if (taken.raw) {
            reply.bytes = *taken.raw;
            return reply;
        }
    }
    if (m_silent)
        return reply;

    const auto error = std::find_if(m_errors.cbegin(), m_errors.cend(),
                                    [&](const auto& e) { return line.line.startsWith(e.first); });
    const QByteArray body = error != m_errors.cend() ? SimInstrument::errorReply(error->second)
                                                     : m_instrument.answer(line.line);
    reply.bytes = m_garbage + body + ending();
    return reply;
}

bool InstrumentSimulator::serveLines(QByteArray& pending, SimClock::time_point received,
                                     SimOutputQueue& out) {
    // Set by start() before the serving thread began and left alone while it runs.
    const SimClock::time_point epoch = *m_epoch;
    for (;;) {
        const qsizetype lf = pending.indexOf('\n');
        if (lf < 0 && pending.size() < MaxLineBytes)
            return false;
        TranscriptLine line;
        line.raw = lf < 0 ? pending : pending.left(lf + 1);
        pending.remove(0, line.raw.size());
        line.line = line.raw;
        if (line.line.endsWith('\n')) {
            line.line.chop(1);
            if (line.line.endsWith('\r'))
                line.line.chop(1);
        }
        line.ms = std::chrono::duration_cast<std::chrono::milliseconds>(received - epoch).count();

        const Reply reply = handleLine(line);
        // Delivered through the owner thread's event loop, so that receivers (a
        // QSignalSpy's direct connection included) never run on this thread.
        QMetaObject::invokeMethod(
            this, [this, ms = line.ms, text = line.line] { Q_EMIT lineReceived(ms, text); },
            Qt::QueuedConnection);
        if (reply.hangUp)
            return true;
        if (!reply.bytes.isEmpty())
            out.add(reply.bytes, received + std::chrono::milliseconds(reply.delayMs),
                    reply.shaping);
    }
}

void InstrumentSimulator::run() {
    // Set by start() before this thread began and left alone while it runs.
    const int master = m_pty.masterFd();

    SimOutputQueue out;
    QByteArray pending; // bytes of the line being received
    bool hangUp = false;
    for (;;) {
        int baud;
        int latencyTimerMs;
        {
            std::lock_guard lock(m_mutex);
            baud = m_baud;
            latencyTimerMs = m_latencyTimerMs;
        }
        const auto now = SimClock::now();
        const SimOutputQueue::PumpResult pumped = out.pump(master, baud, now, latencyTimerMs);
        if (pumped.error != 0) {
            hangUp = true; // the line went away under us
            break;
        }
        pollfd fds[2] = {{m_wakeFd, POLLIN, 0},
                         {master, short(POLLIN | (pumped.blocked ? POLLOUT : 0)), 0}};
        if (::poll(fds, 2, pollTimeout(pumped.nextWake, now)) < 0) {
            if (errno == EINTR)
                continue;
            hangUp = true;
            break;
        }
        if (fds[0].revents & POLLIN) {
            const WakeRequest request = takeWakeRequest();
            if (request != WakeRequest::None) {
                hangUp = request == WakeRequest::HangUp;
                break;
            }
        }
        if (!(fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;

        char buffer[4096];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0) {
            hangUp = true;
            break;
        }
        pending.append(buffer, n);
        if (serveLines(pending, SimClock::now(), out)) {
            hangUp = true;
            break;
        }
    }

    endRun(hangUp);
}

InstrumentSimulator::WakeRequest InstrumentSimulator::takeWakeRequest() {
    quint64 count;
    [[maybe_unused]] const ssize_t n = ::read(m_wakeFd, &count, sizeof count);
    std::lock_guard lock(m_mutex);
    if (m_stopRequested)
        return WakeRequest::Stop;
    return m_hangUpRequested ? WakeRequest::HangUp : WakeRequest::None;
}

void InstrumentSimulator::endRun(bool hangUp) {
    {
        std::lock_guard lock(m_mutex);
        m_pty.close();
        m_running = false;
        m_hungUp = hangUp;
        m_stopRequested = false;
        m_hangUpRequested = false;
    }
    m_changed.notify_all();
    if (hangUp)
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT hungUp(); }, Qt::QueuedConnection);
}
