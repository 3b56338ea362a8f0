#include "link/CommandExchange.h"

#include "link/TComPort.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <limits>

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// Leaves a nested wait counted for as long as it runs, whichever way it ends.
class WaitScope {
public:
    explicit WaitScope(int& counter) : m_counter(counter) { ++m_counter; }
    ~WaitScope() { --m_counter; }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

private:
    int& m_counter;
};

} // namespace

CommandExchange::CommandExchange(TComPort& port, QObject* parent)
    : QObject(parent), m_port(port), m_portAlive(&port), m_timer(new QTimer(this)) {
    m_timer->setSingleShot(true);
    // The default coarse timer may fire 5 % late, which blurs the silence time-out.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &CommandExchange::TimerTimeOutTimer);
    m_port.OnRxChar = [this](TComPort* sender, int count) { ComPortRxChar(sender, count); };
    // The handler below only reads and sets flags.
    m_port.setDirectDelivery(true);
}

CommandExchange::~CommandExchange() {
    if (m_portAlive) {
        m_port.setLineWakeUp(false);
        m_port.OnRxChar = nullptr;
        m_port.setDirectDelivery(false);
    }
}

void CommandExchange::EcrireCommande(const QString& commande) {
    ReplyBuffer.clear();
    ReplyComplete = false;
    // Before the purge: switching over turns bytes already waiting into a line of their own.
    m_port.setLineWakeUp(m_lineWakeUps);
    // Whatever is waiting before the command (a late answer to an earlier one, noise)
    // would otherwise be taken for its reply.
    m_port.ClearBuffer(true, true);
    m_port.WriteStr(commande + kLineEnd);
    StartTimeOut(CommandTimeoutMs);
}

void CommandExchange::ComPortRxChar(TComPort* sender, int count) {
    Q_UNUSED(sender);
    QString chunk;
    m_port.ReadStr(chunk, count);
    // A CR at the end of the previous chunk and an LF at the start of this one complete
    // the reply; searching from there keeps a long reply from being rescanned each time.
    const qsizetype scanFrom = qMax<qsizetype>(0, ReplyBuffer.size() - 1);
    ReplyBuffer += chunk;
    m_sinceArrival.start();
    ReplyTimedOut = false;
    if (!m_timer->isActive())
        startSilenceTimer();
    if (!ReplyComplete && ReplyBuffer.indexOf(kLineEnd, scanFrom) >= 0)
        ReplyComplete = true;
    // A line that keeps sending without CR LF would hold the wait for ever.
    if (!ReplyComplete && ReplyBuffer.size() > MaxReplyLength) {
        m_timer->stop();
        endLineWakeUp();
        ReplyTimedOut = true;
    }
    if (ReplyComplete || ReplyTimedOut)
        wakeWaiters();
}

void CommandExchange::StartTimeOut(int dureems) {
    m_timeoutMs = dureems;
    m_sinceArrival.start();
    ReplyTimedOut = false;
    startSilenceTimer();
}

void CommandExchange::startSilenceTimer() {
    if (m_port.lineWakeUp() && m_timeoutMs <= LineWakeUpMs)
        endLineWakeUp();
    m_timer->start(m_port.lineWakeUp() ? LineWakeUpMs : m_timeoutMs);
}

// What the port holds of a partial line becomes readable and is delivered by the port's
// next notification, like any chunk.
void CommandExchange::endLineWakeUp() {
    if (!m_port.setLineWakeUp(false))
        qWarning("Serial port %s: whole-line reception could not be ended",
                 qPrintable(m_port.Port()));
}

void CommandExchange::StopTimeOut(int dureems) {
    Q_UNUSED(dureems);
    m_timer->stop();
    // Nothing would end the line wake-up any more: a partial line would never be seen.
    endLineWakeUp();
    ReplyTimedOut = false;
}

void CommandExchange::TimerTimeOutTimer() {
    if (m_port.lineWakeUp())
        endLineWakeUp();
    const qint64 silentMs = m_sinceArrival.isValid() ? m_sinceArrival.elapsed() : m_timeoutMs;
    if (silentMs < m_timeoutMs) {
        m_timer->start(int(m_timeoutMs - silentMs));
        return;
    }
    m_timer->stop();
    ReplyTimedOut = true;
    wakeWaiters();
}

void CommandExchange::wakeWaiters() {
    for (QEventLoop* loop : m_waitLoops)
        loop->quit();
}

void CommandExchange::AttendreReponse() {
    WaitScope scope(m_waiting);
    // Without an armed timer (no command was written, or writing it failed) nothing could
    // ever end the wait.
    if (!ReplyComplete && !ReplyTimedOut && !m_timer->isActive())
        StartTimeOut(CommandTimeoutMs);
    // The flags are tested before each exec(): a quit() issued before exec() is lost.
    while (!ReplyComplete && !ReplyTimedOut) {
        QEventLoop loop;
        m_waitLoops.push_back(&loop);
        const int result = loop.exec();
        m_waitLoops.pop_back();
        // Once the program is ending no event loop runs any more: without this the wait
        // would go round for ever. It ends as a time-out.
        if (result < 0) {
            m_timer->stop();
            ReplyTimedOut = true;
        }
    }
}

int CommandExchange::ConnectSonde() {
    EcrireCommande(QStringLiteral("#i"));
    AttendreReponse();
    // A time-out wins when both flags are set.
    return ReplyTimedOut ? -1 : 0;
}

bool CommandExchange::exchangeLine(const QString& command) {
    EcrireCommande(command);
    AttendreReponse();
    return ReplyComplete;
}

bool CommandExchange::replyAcknowledged() const {
    // After a wait, a reply that is in without a time-out is complete.
    return ReplyComplete && !ReplyTimedOut && ReplyBuffer.contains(QLatin1String("OK"));
}

void CommandExchange::Temporiser(quint32 ms, const TickSource& ticks) {
    WaitScope scope(m_waiting);
    ::Temporiser(ms, ticks);
}

quint32 systemTickCount() {
    using namespace std::chrono;
    const auto sinceStart = steady_clock::now().time_since_epoch();
    return quint32(quint64(duration_cast<milliseconds>(sinceStart).count()));
}

void Temporiser(quint32 ms, const TickSource& ticks) {
    const quint32 start = ticks();
    for (;;) {
        // Unsigned difference: the wrap of the counter neither shortens nor lengthens it.
        const quint32 elapsed = ticks() - start;
        if (elapsed >= ms)
            return;
        const quint32 left = ms - elapsed;
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(int(qMin<quint32>(left, quint32(std::numeric_limits<int>::max()))));
        if (loop.exec() < 0)
            return; // the program is ending: no event loop will run the timer
    }
}
