#pragma once

#include <ctime>

// Wall-clock and process CPU time since construction (or restart), to show that a wait
// sleeps instead of spinning.
class CpuMeter {
public:
    CpuMeter() { restart(); }
    void restart() {
        m_wall0 = now(CLOCK_MONOTONIC);
        m_cpu0 = now(CLOCK_PROCESS_CPUTIME_ID);
    }
    double wallMs() const { return now(CLOCK_MONOTONIC) - m_wall0; }
    double cpuMs() const { return now(CLOCK_PROCESS_CPUTIME_ID) - m_cpu0; }

private:
    static double now(clockid_t clock) {
        timespec ts{};
        ::clock_gettime(clock, &ts);
        return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
    }
    double m_wall0 = 0;
    double m_cpu0 = 0;
};
