#include "bench/BenchSupport.h"

#include "sim/InstrumentSimulator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

double medianOf(QList<double> values) {
    return percentileOf(std::move(values), 50);
}

double percentileOf(QList<double> values, int percent) {
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min<qsizetype>(values.size() - 1, values.size() * percent / 100)];
}

double processCpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double peakResidentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

ScheduleCounters scheduleCountersOf(qint64 pid) {
    ScheduleCounters counters;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks + u'/' + task + QStringLiteral("/schedstat"));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> fields = file.readAll().simplified().split(' ');
        if (fields.size() < 3)
            continue;
        counters.cpuMs += fields[0].toDouble() / 1e6;
        counters.runs += fields[2].toDouble();
    }
    return counters;
}

Child::Child(const QString& program, const QStringList& arguments) {
    m_process.setProgram(program);
    m_process.setArguments(arguments);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    m_process.waitForStarted(10000);
}

Child::~Child() {
    finish();
}

QString Child::readLine(int timeoutMs) {
    while (!m_process.canReadLine()) {
        if (m_process.state() != QProcess::Running || !m_process.waitForReadyRead(timeoutMs))
            return m_process.canReadLine() ? QString::fromLocal8Bit(m_process.readLine()).trimmed()
                                           : QString();
    }
    return QString::fromLocal8Bit(m_process.readLine()).trimmed();
}

void Child::finish() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

namespace {

// A memory of exactly `lines` stored lines: files of 99 measurements and their "#L" line.
QList<QByteArray> memoryOf(int lines) {
    QList<QByteArray> memory = SimInstrument::generatedMemory(lines / 100 + 1, 99, false);
    memory.resize(lines);
    return memory;
}

} // namespace

InstrumentServer::InstrumentServer(int lines, int baud, int silent, int latencyTimerMs) {
    m_child = std::make_unique<Child>(QCoreApplication::applicationFilePath(),
                                      QStringList{QStringLiteral("--serve"), QString::number(lines),
                                                  QString::number(baud), QString::number(silent),
                                                  QString::number(latencyTimerMs)});
    for (int i = 0; i <= silent; ++i)
        m_ports.append(m_child->readLine());
}

int serveInstruments(int lines, int baud, int silent, int latencyTimerMs) {
    std::vector<std::unique_ptr<InstrumentSimulator>> sims;
    for (int i = 0; i <= silent; ++i) {
        auto sim = std::make_unique<InstrumentSimulator>();
        if (i == 0) {
            sim->instrument()->setStoredLines(memoryOf(lines));
            sim->setBaudRate(baud);
            sim->setLatencyTimer(latencyTimerMs);
        } else {
            sim->setSilent(true);
        }
        sim->start();
        std::printf("%s\n", qPrintable(sim->slavePath()));
        sims.push_back(std::move(sim));
    }
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    for (auto& sim : sims)
        sim->stop();
    return 0;
}
