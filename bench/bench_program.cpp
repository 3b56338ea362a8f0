// make bench: the program measured against the least that could do the same, side by
// side in one run. The floor is bench_floor (plain blocking POSIX calls, no Qt) for the
// exchanges, the transfer, the search and the memory; a bare Qt window for start-up and
// idling (for start-up one that shows a line of text). The simulated instruments run in a child
// process of their own.
//
// Usage: bench_program [--lines N] [--memo-lines N] [--exchanges N] [--idle-seconds S]
//                      [--only NAME]
// The benchmark reports; it never fails on a figure.
#include "bench/BenchChildren.h"
#include "bench/BenchSupport.h"
#include "bench/ProgramWindow.h"

#include "common/OperatorFeedback.h"
#include "link/CommandExchange.h"
#include "link/InstrumentSearch.h"
#include "link/TComPort.h"
#include "operations/MeasurementTransfer.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kBaud = 38400;

QString floorProgram() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/bench_floor");
}

// Runs bench_floor with `arguments`; its line of figures.
QList<double> runFloor(const QStringList& arguments) {
    Child floor(floorProgram(), arguments);
    QList<double> figures;
    for (const QString& field : floor.readLine(300000).split(u' ', Qt::SkipEmptyParts))
        figures.append(field.toDouble());
    return figures;
}

// ---------------------------------------------------------------- the rows

struct Row {
    QString what;
    QString unit;
    double program = 0;
    double floor = 0;
    QString target;
    QString verdict;
};

void printRows(const QList<Row>& rows) {
    std::printf("\n%-52s %12s %12s %9s  %s\n", "measure", "program", "floor", "ratio", "target");
    for (const Row& r : rows) {
        const QString ratio =
            r.floor > 0 ? QString::number(r.program / r.floor, 'f', 3) + u'x' : QStringLiteral("-");
        std::printf("%-52s %9.3f %-2s %9.3f %-2s %9s  %s%s\n", qPrintable(r.what), r.program,
                    qPrintable(r.unit), r.floor, qPrintable(r.unit), qPrintable(ratio),
                    qPrintable(r.target),
                    qPrintable(r.verdict.isEmpty() ? QString() : u' ' + r.verdict));
    }
    std::fflush(stdout);
}

QString verdict(bool met) {
    return met ? QStringLiteral("(met)") : QStringLiteral("(MISSED)");
}

// "#i" exchanges on an unpaced instrument, through the program's port and exchange.
void measureExchanges(int count, QList<Row>& rows) {
    InstrumentServer server(10, 0);
    QList<double> times;
    {
        TComPort port;
        port.setPort(server.port());
        CommandExchange exchange(port);
        port.Open();
        for (int i = 0; i < count; ++i) {
            QElapsedTimer t;
            t.start();
            exchange.EcrireCommande(QStringLiteral("#i"));
            exchange.AttendreReponse();
            times.append(double(t.nsecsElapsed()) / 1e6);
        }
        port.Close();
    }
    const QList<double> floor =
        runFloor({QStringLiteral("exchange"), server.port(), QString::number(count)});
    const double median = medianOf(times);
    rows.append({QStringLiteral("\"#i\" exchange, unpaced: median"),
                 QStringLiteral("ms"),
                 median,
                 floor.value(0),
                 {},
                 {}});
    rows.append({QStringLiteral("\"#i\" exchange, unpaced: p99"),
                 QStringLiteral("ms"),
                 percentileOf(times, 99),
                 floor.value(1),
                 {},
                 {}});
    const double overhead = median - floor.value(0);
    rows.append({QStringLiteral("  exchange overhead above the floor (median)"),
                 QStringLiteral("ms"), overhead, 0, QStringLiteral("<= 0.3 ms"),
                 verdict(overhead <= 0.3)});
}

// Tells nobody anything: the transfer without a window.
class SilentFeedback : public OperatorFeedback {
public:
    void AfficheInfo(const QString&) override {}
    void showStatus() override {}
    void hideStatus() override {}
    void showInformation(const QString&) override {}
    void setMainWindowEnabled(bool) override {}
};

// Processor share of the same transfer with no memo and no status window, and with the
// whole-line wake-ups of vexa-cli: what the port, the exchange and the event loop cost alone.
double windowlessShare(int lines) {
    InstrumentServer server(lines, kBaud);
    QTemporaryDir dir;
    TComPort port;
    port.setPort(server.port());
    CommandExchange exchange(port);
    exchange.setLineWakeUps(true); // as vexa-cli has them
    SilentFeedback feedback;
    MeasurementTransfer transfer(exchange, feedback);
    QElapsedTimer wall;
    const double cpu0 = processCpuMs();
    wall.start();
    transfer.Run(dir.filePath(QStringLiteral("windowless.txt")));
    return (processCpuMs() - cpu0) / (double(wall.nsecsElapsed()) / 1e6) * 100;
}

// One round of the transfer: in the program's window, without it, and by the floor client,
// one after the other against fresh simulators.
struct TransferRound {
    double wallMs = 0;
    double cpuMs = 0;
    double windowlessShare = 0;
    double floorWallMs = 0;
    double floorCpuMs = 0;
    bool sameFiles = false;
};

TransferRound transferRound(int lines) {
    TransferRound round;
    QTemporaryDir dir;
    {
        InstrumentServer server(lines, kBaud);
        ProgramWindow window;
        if (!window.start({server.port()}))
            std::fprintf(stderr, "bench: the program did not find the instrument\n");
        QElapsedTimer wall;
        const double cpu0 = processCpuMs();
        wall.start();
        const int memoLines = window.transfer(dir.filePath(QStringLiteral("program.txt")));
        round.wallMs = double(wall.nsecsElapsed()) / 1e6;
        round.cpuMs = processCpuMs() - cpu0;
        std::printf("transfer: program %d memo lines (%s)\n", memoLines,
                    qPrintable(window.lastMessage()));
    }
    round.windowlessShare = windowlessShare(lines);
    InstrumentServer server(lines, kBaud);
    const QList<double> floor = runFloor(
        {QStringLiteral("transfer"), server.port(), dir.filePath(QStringLiteral("floor.txt"))});
    round.floorWallMs = floor.value(0);
    round.floorCpuMs = floor.value(1);
    QFile a(dir.filePath(QStringLiteral("program.txt")));
    QFile b(dir.filePath(QStringLiteral("floor.txt")));
    round.sameFiles =
        a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.readAll() == b.readAll();
    std::printf("transfer: floor %d stored lines; result files %s\n", int(floor.value(2)),
                round.sameFiles ? "identical" : "DIFFER");
    return round;
}

// The whole transfer at the line rate, in the program's window. A processor share of a few
// percent moves by a point from one run to the next on a shared machine, the floor's too:
// the rounds interleave program and floor, and the medians are compared.
void measureTransfer(int lines, int rounds, QList<Row>& rows) {
    QList<double> wall, share, windowless, floorWall, floorShare;
    for (int i = 0; i < rounds; ++i) {
        const TransferRound round = transferRound(lines);
        wall << round.wallMs;
        share << round.cpuMs / round.wallMs * 100;
        windowless << round.windowlessShare;
        floorWall << round.floorWallMs;
        floorShare << (round.floorWallMs > 0 ? round.floorCpuMs / round.floorWallMs * 100 : 0);
    }
    const double wallMs = medianOf(wall);
    const double floorMs = medianOf(floorWall);
    const double ratio = floorMs > 0 ? wallMs / floorMs : 0;
    const QString label = QStringLiteral("%1-line transfer at %2 baud, median of %3: time")
                              .arg(lines)
                              .arg(kBaud)
                              .arg(rounds);
    rows.append({label, QStringLiteral("s"), wallMs / 1000, floorMs / 1000,
                 QStringLiteral("<= 1.02x"), verdict(ratio <= 1.02)});
    const double programShare = medianOf(share);
    const double baseShare = medianOf(floorShare);
    rows.append({QStringLiteral("  processor time, share of the wall time"), QStringLiteral("%"),
                 programShare, baseShare, QStringLiteral("<= 2x"),
                 verdict(baseShare > 0 && programShare <= 2 * baseShare)});
    rows.append({QStringLiteral("  without the window, whole-line wake-ups (as vexa-cli)"),
                 QStringLiteral("%"),
                 medianOf(windowless),
                 baseShare,
                 {},
                 {}});
    const int exchanges = lines + 4;
    rows.append({QStringLiteral("  time per exchange"),
                 QStringLiteral("ms"),
                 wallMs / exchanges,
                 floorMs / exchanges,
                 {},
                 {}});
}

// The same transfer without a window through a USB adapter's latency timer, at the usual
// 16 ms and at 1 ms, against the line without an adapter.
void measureAdapter(int lines, QList<Row>& rows) {
    auto seconds = [lines](int latencyTimerMs) {
        InstrumentServer server(lines, kBaud, 0, latencyTimerMs);
        QTemporaryDir dir;
        TComPort port;
        port.setPort(server.port());
        CommandExchange exchange(port);
        SilentFeedback feedback;
        MeasurementTransfer transfer(exchange, feedback);
        QElapsedTimer wall;
        wall.start();
        transfer.Run(dir.filePath(QStringLiteral("adapter.txt")));
        return double(wall.nsecsElapsed()) / 1e9;
    };
    const double direct = seconds(0);
    for (const int ms : {16, 1}) {
        rows.append({QStringLiteral("%1-line transfer through an adapter, latency timer %2 ms")
                         .arg(lines)
                         .arg(ms),
                     QStringLiteral("s"),
                     seconds(ms),
                     direct,
                     QStringLiteral("(floor: the line without an adapter)"),
                     {}});
    }
}

// The search past 20 paths that cannot be opened and 3 ports that never answer.
void measureSearch(QList<Row>& rows) {
    InstrumentServer server(10, 0, 3);
    QStringList ports;
    for (int i = 0; i < 20; ++i)
        ports.append(QStringLiteral("/nonexistent/ttyBENCH%1").arg(i));
    ports += server.silentPorts();
    ports.append(server.port());
    QElapsedTimer wall;
    wall.start();
    int found;
    {
        TComPort port;
        CommandExchange exchange(port);
        found = ChercheSonde(exchange, [&](QStringList& list) { list = ports; });
    }
    const double programMs = double(wall.nsecsElapsed()) / 1e6;
    const QList<double> floor = runFloor(QStringList{QStringLiteral("search")} + ports);
    if (found != 0 || int(floor.value(1)) != ports.size() - 1)
        std::fprintf(stderr, "bench: a search did not end on the instrument\n");
    rows.append({QStringLiteral("search past 3 silent ports, 20 unopenable paths"),
                 QStringLiteral("s"),
                 programMs / 1000,
                 floor.value(0) / 1000,
                 {},
                 {}});
}

// Start-up of a fresh process until its window is first painted; median of `runs`.
void measureStartup(int runs, QList<Row>& rows) {
    auto startup = [&](const QString& kind) {
        QList<double> times;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer wall;
            wall.start();
            Child child(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--startup"), kind});
            if (child.readLine() == QStringLiteral("shown"))
                times.append(double(wall.nsecsElapsed()) / 1e6);
        }
        return medianOf(times);
    };
    const double program = startup(QStringLiteral("program"));
    const double bare = startup(QStringLiteral("bare"));
    rows.append({QStringLiteral("start-up to window shown (median of %1)").arg(runs),
                 QStringLiteral("ms"), program, bare,
                 QStringLiteral("<= 1.5x (floor: a bare Qt window with one line of text)"),
                 verdict(bare > 0 && program <= 1.5 * bare)});
}

// Wake-ups and processor time of an idle process over `seconds`.
ScheduleCounters idleCounters(const QStringList& arguments, int seconds) {
    Child child(QCoreApplication::applicationFilePath(), arguments);
    if (child.readLine() != QStringLiteral("idle")) {
        std::fprintf(stderr, "bench: %s did not come to rest\n", qPrintable(arguments.join(u' ')));
        return {};
    }
    QThread::msleep(1000); // let the last repaints settle
    const ScheduleCounters before = scheduleCountersOf(child.pid());
    QThread::msleep(ulong(seconds) * 1000);
    const ScheduleCounters after = scheduleCountersOf(child.pid());
    return {(after.cpuMs - before.cpuMs) / seconds, (after.runs - before.runs) / seconds};
}

void measureIdle(int seconds, QList<Row>& rows) {
    InstrumentServer server(10, 0);
    const ScheduleCounters bare =
        idleCounters({QStringLiteral("--idle"), QStringLiteral("bare")}, seconds);
    const ScheduleCounters home =
        idleCounters({QStringLiteral("--idle"), QStringLiteral("home"), server.port()}, seconds);
    const ScheduleCounters afterInit = idleCounters(
        {QStringLiteral("--idle"), QStringLiteral("initialisation"), server.port()}, seconds);
    const QString per = QStringLiteral("idle %1 s on the home panel: wake-ups per second");
    rows.append({per.arg(seconds), QStringLiteral("/s"), home.runs, bare.runs,
                 QStringLiteral("0 beyond a bare Qt window"), verdict(home.runs <= bare.runs)});
    rows.append({QStringLiteral("  processor time per second"),
                 QStringLiteral("ms"),
                 home.cpuMs,
                 bare.cpuMs,
                 {},
                 {}});
    rows.append({QStringLiteral("  wake-ups/s after a visit to Initialisation"),
                 QStringLiteral("/s"),
                 double(afterInit.runs),
                 double(bare.runs),
                 QStringLiteral("(the clock edit stops refreshing once hidden)"),
                 {}});
}

void measureMemory(int lines, QList<Row>& rows) {
    QTemporaryDir dir;
    double programMb = 0;
    {
        InstrumentServer server(lines, 0);
        Child child(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--memory"), server.port(),
                     dir.filePath(QStringLiteral("program.txt"))});
        const QStringList fields = child.readLine(600000).split(u' ');
        programMb = fields.value(0).toDouble();
        std::printf("memory: program memo holds %s lines\n", qPrintable(fields.value(1)));
    }
    InstrumentServer server(lines, 0);
    const QList<double> floor = runFloor(
        {QStringLiteral("transfer"), server.port(), dir.filePath(QStringLiteral("floor.txt"))});
    rows.append({QStringLiteral("peak resident memory after %1 lines").arg(lines),
                 QStringLiteral("MB"), programMb, floor.value(3), QStringLiteral("(< 150 MB)"),
                 verdict(programMb < 150)});
}

void printMachine() {
    QFile cpu(QStringLiteral("/proc/cpuinfo"));
    QString model;
    if (cpu.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : cpu.readAll().split('\n')) {
            if (line.startsWith("model name")) {
                model = QString::fromLatin1(line.mid(line.indexOf(':') + 1)).trimmed();
                break;
            }
        }
    }
    QFile load(QStringLiteral("/proc/loadavg"));
    const QString loadAverage =
        load.open(QIODevice::ReadOnly) ? QString::fromLatin1(load.readAll()).trimmed() : QString();
    std::printf("machine: %s, %d cores, %s, Qt %s, platform %s; load average %s\n",
                qPrintable(model), QThread::idealThreadCount(),
                qPrintable(QSysInfo::prettyProductName()), qVersion(),
                qPrintable(QGuiApplication::platformName()), qPrintable(loadAverage));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 6 && qstrcmp(argv[1], "--serve") == 0)
        return serveInstruments(atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]));
    if (argc == 3 && qstrcmp(argv[1], "--startup") == 0)
        return startupChild(QString::fromLatin1(argv[2]), argc, argv);
    if (argc >= 3 && qstrcmp(argv[1], "--idle") == 0)
        return idleChild(QString::fromLatin1(argv[2]),
                         argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString(), argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--memory") == 0)
        return memoryChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), argc,
                           argv);

    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption linesOption(QStringLiteral("lines"),
                                         QStringLiteral("Stored lines of the paced transfer."),
                                         QStringLiteral("N"), QStringLiteral("2000"));
    const QCommandLineOption memoOption(QStringLiteral("memo-lines"),
                                        QStringLiteral("Stored lines of the memory run."),
                                        QStringLiteral("N"), QStringLiteral("100000"));
    const QCommandLineOption exchangesOption(QStringLiteral("exchanges"),
                                             QStringLiteral("Unpaced \"#i\" exchanges timed."),
                                             QStringLiteral("N"), QStringLiteral("2000"));
    const QCommandLineOption idleOption(QStringLiteral("idle-seconds"),
                                        QStringLiteral("Length of each idle measurement."),
                                        QStringLiteral("S"), QStringLiteral("10"));
    const QCommandLineOption roundsOption(QStringLiteral("rounds"),
                                          QStringLiteral("Rounds of the paced transfer."),
                                          QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption onlyOption(
        QStringLiteral("only"),
        QStringLiteral(
            "Only this measurement: exchange, transfer, adapter, search, startup, idle, memory."),
        QStringLiteral("NAME"));
    parser.addOptions(
        {linesOption, memoOption, exchangesOption, idleOption, roundsOption, onlyOption});
    parser.addHelpOption();
    parser.process(app);

    printMachine();
    QList<Row> rows;
    const QString only = parser.value(onlyOption);
    auto wanted = [&](const char* name) { return only.isEmpty() || only == QLatin1String(name); };
    if (wanted("exchange"))
        measureExchanges(parser.value(exchangesOption).toInt(), rows);
    if (wanted("transfer"))
        measureTransfer(parser.value(linesOption).toInt(),
                        std::max(1, parser.value(roundsOption).toInt()), rows);
    if (wanted("adapter"))
        measureAdapter(200, rows);
    if (wanted("search"))
        measureSearch(rows);
    if (wanted("startup"))
        measureStartup(5, rows);
    if (wanted("idle"))
        measureIdle(parser.value(idleOption).toInt(), rows);
    if (wanted("memory"))
        measureMemory(parser.value(memoOption).toInt(), rows);
    printRows(rows);
    printMachine();
    return 0;
}
