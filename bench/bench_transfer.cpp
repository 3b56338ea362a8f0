// Figures of the measurement transfer, with the real port, exchange, memo and status
// window against the simulator in a child process:
//   1. 2,000 stored lines at 38400 baud: total time against the time the bytes need on
//      the wire (10 bits per byte, both directions), and the program's processor time;
//   2. 100,000 stored lines, unpaced, into the memo: peak resident memory.
// Usage: bench_transfer [--lines N] [--memo-lines N]
#include "common/OperatorFeedback.h"
#include "link/CommandExchange.h"
#include "link/TComPort.h"
#include "operations/MeasurementTransfer.h"
#include "sim/InstrumentSimulator.h"
#include "ui/LecturePanel.h"
#include "ui/SplashScreen.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kBaud = 38400;
constexpr double kBitsPerByte = 10.0;

// The status window as the program shows it; the message is only printed.
class BenchFeedback : public OperatorFeedback {
public:
    void AfficheInfo(const QString& texte) override { m_splash.AfficheInfo(texte); }
    void ShowStatus() override { m_splash.show(); }
    void HideStatus() override { m_splash.hide(); }
    void ShowInformation(const QString& message) override { lastMessage = message.trimmed(); }
    void SetMainWindowEnabled(bool) override {}
    QString lastMessage;

private:
    SplashScreen m_splash;
};

double cpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double peakMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// A memory of exactly `lines` stored lines: files of 99 measurements and their "#L" line.
QList<QByteArray> memoryOf(int lines) {
    QList<QByteArray> memory = SimInstrument::generatedMemory(lines / 100 + 1, 99, false);
    memory.resize(lines);
    return memory;
}

// Child side: serve the memory until the parent closes our standard input.
int serve(int lines, int baud) {
    InstrumentSimulator sim;
    sim.instrument()->setStoredLines(memoryOf(lines));
    sim.setBaudRate(baud);
    sim.start();
    std::printf("%s\n", qPrintable(sim.slavePath()));
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    sim.stop();
    return 0;
}

struct Served {
    QProcess process;
    QString path;
};

bool startServer(Served& served, int lines, int baud) {
    served.process.setProgram(QCoreApplication::applicationFilePath());
    served.process.setArguments({QStringLiteral("--serve"), QString::number(lines),
                                 QStringLiteral("--baud"), QString::number(baud)});
    served.process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    served.process.start();
    if (!served.process.waitForStarted(5000) || !served.process.waitForReadyRead(10000))
        return false;
    served.path = QString::fromLocal8Bit(served.process.readLine()).trimmed();
    return !served.path.isEmpty();
}

void stopServer(Served& served) {
    served.process.closeWriteChannel();
    served.process.waitForFinished(10000);
}

// Bytes on the line for one whole transfer of `memory`, each way.
struct WireBytes {
    qint64 sent = 0;
    qint64 received = 0;
};

WireBytes wireBytes(const QList<QByteArray>& memory) {
    WireBytes bytes;
    // "#i" for the presence check and again, "#T", one "#OK" per line and one for "#F".
    bytes.sent = 2 * 4 + 4 + qint64(memory.size() + 1) * 5;
    bytes.received = 2 * (SimInstrument::composeIdentityLine({}).size() + 2) +
                     SimInstrument::composeSummaryLine(0, 0).size() + 2 + 4;
    for (const QByteArray& line : memory)
        bytes.received += line.size() + 2;
    return bytes;
}

double wireMs(qint64 bytes) {
    return double(bytes) * kBitsPerByte / kBaud * 1000.0;
}

struct RunFigures {
    double wallMs = 0;
    double cpuMs = 0;
    QString message;
    int lines = 0;
};

bool runTransfer(int lines, int baud, const QString& resultPath, LectureMemo& memo,
                 RunFigures& figures) {
    Served served;
    if (!startServer(served, lines, baud)) {
        std::fprintf(stderr, "bench_transfer: the simulator did not start\n");
        return false;
    }
    TComPort port;
    port.setPort(served.path);
    CommandExchange exchange(port);
    BenchFeedback feedback;
    MeasurementTransfer transfer(exchange, feedback, &memo);

    QElapsedTimer wall;
    const double cpu0 = cpuMs();
    wall.start();
    const TransferResult result = transfer.Run(resultPath);
    figures.wallMs = double(wall.nsecsElapsed()) / 1e6;
    figures.cpuMs = cpuMs() - cpu0;
    figures.message = feedback.lastMessage;
    figures.lines = result.measurementLines;
    stopServer(served);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    // bench_transfer --serve LINES --baud BAUD: the simulator side.
    if (argc == 5 && qstrcmp(argv[1], "--serve") == 0)
        return serve(atoi(argv[2]), atoi(argv[4]));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption linesOption(QStringLiteral("lines"),
                                         QStringLiteral("Stored lines of the paced transfer."),
                                         QStringLiteral("N"), QStringLiteral("2000"));
    const QCommandLineOption memoOption(QStringLiteral("memo-lines"),
                                        QStringLiteral("Stored lines of the memory run."),
                                        QStringLiteral("N"), QStringLiteral("100000"));
    parser.addOptions({linesOption, memoOption});
    parser.addHelpOption();
    parser.process(app);
    const int pacedLines = parser.value(linesOption).toInt();
    const int memoLines = parser.value(memoOption).toInt();

    QTemporaryDir dir;
    LectureMemo memo;
    memo.resize(590, 258);
    memo.show();
    bool allMet = true;

    // 1. Paced transfer.
    RunFigures paced;
    if (!runTransfer(pacedLines, kBaud, dir.filePath(QStringLiteral("paced.txt")), memo, paced))
        return 2;
    const WireBytes bytes = wireBytes(memoryOf(pacedLines));
    const double bothWays = wireMs(bytes.sent + bytes.received);
    const double ratio = paced.wallMs / bothWays;
    const int exchanges = pacedLines + 4;
    const double cpuShare = paced.cpuMs / paced.wallMs;
    std::printf("Paced transfer: %d stored lines at %d baud (%s)\n", paced.lines, kBaud,
                qPrintable(paced.message));
    std::printf(
        "  wire time (10 bits/byte, both directions): %9.1f ms  (%lld bytes out, %lld in)\n",
        bothWays, bytes.sent, bytes.received);
    std::printf("  wire time of the replies alone:            %9.1f ms  (the simulator paces only "
                "what it sends)\n",
                wireMs(bytes.received));
    std::printf("  program's share per exchange:              %9.3f ms  (total minus the "
                "replies' wire time, per exchange)\n",
                (paced.wallMs - wireMs(bytes.received)) / exchanges);
    std::printf("  total time:                                %9.1f ms  (%.2f%% of wire time; "
                "target <= 105%%) %s\n",
                paced.wallMs, ratio * 100.0, ratio <= 1.05 ? "met" : "MISSED");
    std::printf("  processor time of the program:             %9.1f ms  (%.2f%% of wall; "
                "target < 10%%) %s\n",
                paced.cpuMs, cpuShare * 100.0, cpuShare < 0.10 ? "met" : "MISSED");
    allMet = allMet && ratio <= 1.05 && cpuShare < 0.10 && paced.lines == pacedLines;

    // 2. A full memory into the memo.
    RunFigures full;
    if (!runTransfer(memoLines, 0, dir.filePath(QStringLiteral("full.txt")), memo, full))
        return 2;
    app.processEvents();
    const double peak = peakMegabytes();
    std::printf("Full memory: %d stored lines, unpaced, in %.1f s (%s); memo holds %d lines\n",
                full.lines, full.wallMs / 1000.0, qPrintable(full.message), memo.blockCount());
    std::printf("  peak resident memory (ru_maxrss):          %9.1f MB  (target < 150 MB) %s\n",
                peak, peak < 150.0 ? "met" : "MISSED");
    std::fflush(stdout);
    allMet = allMet && peak < 150.0 && full.lines == memoLines;
    return allMet ? 0 : 1;
}
