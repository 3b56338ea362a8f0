#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

// What the benchmark needs around the measurements: figures of processes and of sample
// sets, and child processes that serve simulated instruments or run one measurement.

double medianOf(QList<double> values);
double percentileOf(QList<double> values, int percent);

double processCpuMs(); // user + system of this process so far
// The high-water mark of this process's memory (VmHWM; ru_maxrss would keep the peak of
// the process it was forked from).
double peakResidentMegabytes();

// Processor time and times scheduled in of every thread of a process, from
// /proc/PID/task/*/schedstat: each wake-up of a sleeping thread is one more run.
struct ScheduleCounters {
    double cpuMs = 0;
    double runs = 0;
};
ScheduleCounters scheduleCountersOf(qint64 pid);

// A child process of this benchmark that prints lines on its standard output and ends when
// its standard input is closed (or when killed).
class Child {
public:
    Child(const QString& program, const QStringList& arguments);
    ~Child();
    // The next line it prints, without its end; empty after `timeoutMs` or at its end.
    QString readLine(int timeoutMs = 60000);
    qint64 pid() const { return m_process.processId(); }
    // Ends it: closes its input, then kills it if it is still there after a moment.
    void finish();

private:
    QProcess m_process;
};

// Simulated instruments served by a child process, so that their threads are neither
// counted in this process's processor time nor woken among its threads.
class InstrumentServer {
public:
    // One instrument holding `lines` stored lines, replying at `baud` (0: as fast as the
    // line takes it), and `silent` more instruments that never answer.
    // `latencyTimerMs` above 0 puts a USB adapter's latency timer between them.
    InstrumentServer(int lines, int baud, int silent = 0, int latencyTimerMs = 0);
    QString port() const { return m_ports.value(0); }
    QStringList silentPorts() const { return m_ports.mid(1); }
    bool isReady() const { return !m_ports.isEmpty() && !m_ports.contains(QString()); }

private:
    std::unique_ptr<Child> m_child;
    QStringList m_ports;
};

// The child side of InstrumentServer: `--serve LINES BAUD SILENT LATENCY`.
int serveInstruments(int lines, int baud, int silent, int latencyTimerMs);
