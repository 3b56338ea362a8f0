// vexa-sim: a simulated Vexameter on a pseudo-terminal, for trying the program without the
// instrument. Prints the device path to open and serves it until SIGINT or SIGTERM.

#include "common/Cp1252.h"
#include "common/Errors.h"
#include "common/TextFile.h"
#include "sim/InstrumentSimulator.h"
#include "sim/SimOptions.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// SIGINT and SIGTERM end the event loop through this pipe, so that the link is removed and
// the line closed on the way out.
int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

QByteArray printable(const QByteArray& line) {
    QByteArray text;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f)
            text += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
        else
            text += c;
    }
    return text;
}

// The transcript often goes to /tmp, where any user may have put a pipe (opening it would
// wait for a reader for good) or a link to one of this user's files (the lines would be
// added to that file): only a regular file of that name is written.
bool openTranscript(QFile& log, const QString& path, QString& error) {
    const int fd =
        ::open(QFile::encodeName(path).constData(),
               O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        error = QStringLiteral("not a regular file");
        return false;
    }
    if (!log.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = log.errorString();
        return false;
    }
    return true;
}

int fail(const QString& message) {
    std::fprintf(stderr, "vexa-sim: %s\n", qPrintable(message));
    return 2;
}

// The instrument as the options describe it, before anything is served.
void configure(InstrumentSimulator& sim, const SimOptions& options) {
    sim.setBaudRate(options.baudRate);
    sim.setLatencyTimer(options.latencyTimer);
    sim.setReplyDelay(options.replyDelay);
    sim.setSilent(options.silent);
    // Nothing is served yet: one handle for the whole set-up.
    const InstrumentSimulator::InstrumentHandle instrument = sim.instrument();
    instrument->setLanguageCode(options.languageCode);
    if (options.softwareVersion || options.serialNumber) {
        SimInstrument::Identity identity = instrument->identity();
        identity.softwareVersion = options.softwareVersion.value_or(identity.softwareVersion);
        identity.serialNumber = options.serialNumber.value_or(identity.serialNumber);
        instrument->setIdentity(identity);
    }
    if (options.memoryFile) {
        QList<QByteArray> lines;
        for (const QString& line : readTextLines(*options.memoryFile))
            lines.append(toCp1252(line));
        instrument->setStoredLines(lines);
    } else {
        instrument->generateMemory(options.fileCount, options.measureCount, options.gps);
    }
}

// Every received line goes to the transcript, with the milliseconds since start.
void keepTranscript(InstrumentSimulator& sim, QFile& log) {
    QObject::connect(
        &sim, &InstrumentSimulator::lineReceived, &log, [&log](qint64 ms, const QByteArray& line) {
            log.write(QByteArray::number(ms).rightJustified(9) + "  " + printable(line) + '\n');
            log.flush();
        });
}

// SIGINT and SIGTERM leave the event loop; false when the pipe cannot be made.
bool quitOnSignals() {
    if (::pipe2(g_signalPipe, O_CLOEXEC) != 0)
        return false;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] { QCoreApplication::quit(); });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    return true;
}

// The device path alone on standard output, for scripts; the rest on standard error.
void announce(const InstrumentSimulator& sim, const SimOptions& options) {
    std::printf("%s\n", qPrintable(sim.slavePath()));
    std::fflush(stdout);
    const QString link = options.linkPath.isEmpty()
                             ? QString()
                             : QStringLiteral(" (link ") + options.linkPath + u')';
    const QString rate = options.baudRate > 0 ? QStringLiteral("%1 baud").arg(options.baudRate)
                                              : QStringLiteral("no line-rate limit");
    std::fprintf(stderr, "vexa-sim: serving %s%s, %d stored file(s), %s\n",
                 qPrintable(sim.slavePath()), qPrintable(link), sim.instrument()->storedFileCount(),
                 qPrintable(rate));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vexa-sim"));
    InstrumentSimulator sim;
    SimOptions options;
    try {
        options = parseSimOptions(app);
        configure(sim, options);
    } catch (const VexaError& e) {
        return fail(e.message());
    }
    if (options.hangUpAfter > 0)
        sim.setHangUpAfter(options.hangUpAfter);

    QFile log;
    if (options.transcriptFile) {
        QString error;
        if (!openTranscript(log, *options.transcriptFile, error))
            return fail(QStringLiteral("cannot open %1: %2").arg(*options.transcriptFile, error));
        keepTranscript(sim, log);
    }
    QObject::connect(&sim, &InstrumentSimulator::hungUp, &app, [] {
        std::fprintf(stderr, "vexa-sim: line closed (hang-up)\n");
        QCoreApplication::quit();
    });
    if (!quitOnSignals())
        return fail(QStringLiteral("cannot create the signal pipe"));

    sim.setLinkPath(options.linkPath);
    try {
        sim.start();
    } catch (const VexaError& e) {
        return fail(e.message());
    }
    announce(sim, options);
    const int status = app.exec();
    sim.stop(); // removes the link
    return status;
}
