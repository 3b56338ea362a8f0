// bench_floor: the least a client can do for the same exchanges, to measure the program
// against. Plain C++ and POSIX, no Qt: blocking write, poll and read on the port, the
// lines kept in memory and written to a file at the end.
//
//   bench_floor exchange PORT N           N "#i" exchanges: median and p99 in ms
//   bench_floor transfer PORT FILE        "#i", "#i", "#T", "#OK"... up to "#F"
//   bench_floor search PORT...            the first port that answers "#i"
//
// Each prints one line of figures on standard output (see the end of each function).
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSilenceMs = 2000;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double cpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The high-water mark of this program's memory. Not ru_maxrss: that one keeps the peak
// of the process this one was forked from.
double peakMegabytes() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0;
    char line[256];
    double kilobytes = 0;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmHWM: %lf kB", &kilobytes) == 1)
            break;
    }
    std::fclose(status);
    return kilobytes / 1024.0;
}

// An open port in raw mode at 38400 baud, 8N1; -1 when it cannot be opened.
int openPort(const char* path) {
    const int fd = ::open(path, O_RDWR | O_NOCTTY);
    if (fd < 0)
        return -1;
    termios tio{};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B38400);
        ::cfsetospeed(&tio, B38400);
        tio.c_cflag |= CLOCAL | CREAD;
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    return fd;
}

// One command out, the reply back: every byte up to CR LF, or what came before the line
// was silent for kSilenceMs. False on that time-out.
bool exchange(int fd, const char* command, std::string& reply) {
    const std::string line = std::string(command) + "\r\n";
    if (::write(fd, line.data(), line.size()) != ssize_t(line.size()))
        return false;
    reply.clear();
    char buffer[4096];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, kSilenceMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        reply.append(buffer, size_t(n));
        if (reply.find("\r\n", reply.size() > size_t(n) ? reply.size() - size_t(n) - 1 : 0) !=
            std::string::npos)
            return true;
    }
}

std::string withoutLineEnds(std::string text) {
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 2);
    return text;
}

int exchanges(const char* path, int count) {
    const int fd = openPort(path);
    if (fd < 0)
        return 2;
    std::vector<double> times;
    std::string reply;
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        if (!exchange(fd, "#i", reply))
            return 3;
        times.push_back(msSince(start));
    }
    std::sort(times.begin(), times.end());
    std::printf("%.4f %.4f\n", times[times.size() / 2], times[times.size() * 99 / 100]);
    return 0;
}

int transfer(const char* path, const char* resultPath) {
    const auto start = Clock::now();
    const double cpu0 = cpuMs();
    const int fd = openPort(path);
    if (fd < 0)
        return 2;
    std::vector<std::string> lines;
    std::string reply;
    if (!exchange(fd, "#i", reply)) // presence check
        return 3;
    exchange(fd, "#i", reply);
    lines.push_back(withoutLineEnds(reply));
    if (!exchange(fd, "#T", reply))
        return 3;
    lines.push_back(withoutLineEnds(reply));
    int stored = 0;
    for (;;) {
        if (!exchange(fd, "#OK", reply))
            return 3;
        if (reply.find("#F") != std::string::npos)
            break;
        lines.push_back(withoutLineEnds(reply));
        ++stored;
    }
    ::close(fd);
    FILE* file = std::fopen(resultPath, "wb");
    if (!file)
        return 4;
    for (const std::string& line : lines) {
        std::fwrite(line.data(), 1, line.size(), file);
        std::fwrite("\r\n", 1, 2, file);
    }
    std::fclose(file);
    // wall ms, cpu ms, stored lines, peak MB
    std::printf("%.1f %.1f %d %.1f\n", msSince(start), cpuMs() - cpu0, stored, peakMegabytes());
    return 0;
}

int search(int count, char** paths) {
    const auto start = Clock::now();
    int found = -1;
    std::string reply;
    for (int i = 0; i < count && found < 0; ++i) {
        const int fd = openPort(paths[i]);
        if (fd < 0)
            continue;
        if (exchange(fd, "#i", reply))
            found = i;
        ::close(fd);
    }
    // wall ms, index of the port that answered
    std::printf("%.1f %d\n", msSince(start), found);
    return found < 0 ? 3 : 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "exchange") == 0)
        return exchanges(argv[2], std::atoi(argv[3]));
    if (argc == 4 && std::strcmp(argv[1], "transfer") == 0)
        return transfer(argv[2], argv[3]);
    if (argc >= 3 && std::strcmp(argv[1], "search") == 0)
        return search(argc - 2, argv + 2);
    std::fprintf(stderr,
                 "usage: bench_floor exchange PORT N | transfer PORT FILE | search PORT...\n");
    return 1;
}
