// vexa-sim: a simulated Vexameter on a pseudo-terminal, for trying the program without the
// instrument. Prints the device path to open and serves it until SIGINT or SIGTERM.

#include "common/Cp1252.h"
#include "common/Errors.h"
#include "common/TextFile.h"
#include "sim/InstrumentSimulator.h"
#include "sim/SimAdapterOption.h"

#include <QCommandLineParser>
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

const char* const Description = R"(A simulated Vexameter gamma instrument on a pseudo-terminal.

The simulator opens a pseudo-terminal, prints the path of its device on the first line
of standard output (for example /dev/pts/7) and answers the instrument's commands on
it until it receives SIGINT (Ctrl+C) or SIGTERM. Point the program at that path, for
example with VEXA_EXTRA_PORTS=/dev/pts/7 or with a fixed --link path.

Commands answered: "#i" identity line, "#T" memory summary (stored-file count at
characters 24-28), "#OK" next stored line then "#F", "#p" identification record (language
at character 66), "#D <date>" set clock, "#I" erase memory, "#k" / "#K <fields>" specific
parameters, and the parameter records "#P", "#R", "#G", "#F". Anything else gets "#e 001".)";

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

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vexa-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(Description));
    parser.addHelpOption();
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Also make a symbolic link PATH to the device "
                                                 "(replaced if it is a link; removed at exit)."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Send at N bits per second, 10 bits per byte, "
                                                 "like the real line. 0 sends as fast as "
                                                 "possible. Default 38400."),
                                  QStringLiteral("N"), QStringLiteral("38400"));
    const QCommandLineOption delay(QStringLiteral("reply-delay"),
                                   QStringLiteral("Wait MS milliseconds before each reply. "
                                                  "Default 0."),
                                   QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption files(QStringLiteral("files"),
                                   QStringLiteral("Fill the memory with N measurement files "
                                                  "(default 3; 0 for an empty memory)."),
                                   QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption measures(QStringLiteral("measures"),
                                      QStringLiteral("Measurements per file (default 10)."),
                                      QStringLiteral("N"), QStringLiteral("10"));
    const QCommandLineOption gps(QStringLiteral("gps"),
                                 QStringLiteral("Follow each measurement with a \"#G\" GPS "
                                                "position line."));
    const QCommandLineOption memory(QStringLiteral("memory"),
                                    QStringLiteral("Use the lines of FILE as the stored memory "
                                                   "instead (\"#F\" is added after the last)."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption transcript(QStringLiteral("transcript"),
                                        QStringLiteral("Append every received line to FILE, "
                                                       "with the milliseconds since start."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption silent(QStringLiteral("silent"),
                                    QStringLiteral("Receive but never answer (a dead "
                                                   "instrument)."));
    const QCommandLineOption language(QStringLiteral("language"),
                                      QStringLiteral("Language code of the identification "
                                                     "record: F (French), A (English, day "
                                                     "first) or C (English, month first). "
                                                     "Default F."),
                                      QStringLiteral("F|A|C"), QStringLiteral("F"));
    const QCommandLineOption version(QStringLiteral("software-version"),
                                     QStringLiteral("Software version in the identity line "
                                                    "(8 characters). Default V3.10."),
                                     QStringLiteral("TEXT"));
    const QCommandLineOption serial(QStringLiteral("serial-number"),
                                    QStringLiteral("Serial number in the identity line "
                                                   "(16 characters). Default VX0123."),
                                    QStringLiteral("TEXT"));
    const QCommandLineOption hangup(QStringLiteral("hangup-after"),
                                    QStringLiteral("Close the line after receiving N lines, "
                                                   "as if unplugged (the N-th is not "
                                                   "answered), then exit."),
                                    QStringLiteral("N"));
    parser.addOptions({link, baud, delay, files, measures, gps, memory, transcript, silent,
                       language, version, serial, hangup});
    parser.addOption(latencyTimerOption());
    parser.process(app);

    auto integer = [&](const QCommandLineOption& option, int& value) {
        bool ok = false;
        value = parser.value(option).toInt(&ok);
        return ok && value >= 0;
    };
    int baudRate, replyDelay, fileCount, measureCount, hangupAfter = 0;
    if (!integer(baud, baudRate))
        return fail(QStringLiteral("--baud needs a whole number of 0 or more"));
    if (!integer(delay, replyDelay))
        return fail(QStringLiteral("--reply-delay needs a whole number of 0 or more"));
    if (!integer(files, fileCount) || !integer(measures, measureCount))
        return fail(QStringLiteral("--files and --measures need whole numbers of 0 or more"));
    if (parser.isSet(hangup) && (!integer(hangup, hangupAfter) || hangupAfter == 0))
        return fail(QStringLiteral("--hangup-after needs a whole number of 1 or more"));
    const QString code = parser.value(language);
    if (code != QLatin1String("F") && code != QLatin1String("A") && code != QLatin1String("C"))
        return fail(QStringLiteral("--language must be F, A or C"));

    InstrumentSimulator sim;
    sim.setBaudRate(baudRate);
    if (QString error; !applyLatencyTimer(parser, sim, error))
        return fail(error);
    sim.setReplyDelay(replyDelay);
    sim.setSilent(parser.isSet(silent));
    try {
        // Nothing is served yet: one handle for the whole set-up.
        const InstrumentSimulator::InstrumentHandle instrument = sim.instrument();
        instrument->setLanguageCode(code.at(0).toLatin1());
        if (parser.isSet(version) || parser.isSet(serial)) {
            SimInstrument::Identity identity = instrument->identity();
            if (parser.isSet(version))
                identity.softwareVersion = parser.value(version);
            if (parser.isSet(serial))
                identity.serialNumber = parser.value(serial);
            instrument->setIdentity(identity);
        }
        if (parser.isSet(memory)) {
            QList<QByteArray> lines;
            for (const QString& line : readTextLines(parser.value(memory)))
                lines.append(toCp1252(line));
            instrument->setStoredLines(lines);
        } else {
            instrument->generateMemory(fileCount, measureCount, parser.isSet(gps));
        }
    } catch (const VexaError& e) {
        return fail(e.message());
    }
    if (hangupAfter > 0)
        sim.setHangUpAfter(hangupAfter);

    QFile log;
    if (parser.isSet(transcript)) {
        QString error;
        if (!openTranscript(log, parser.value(transcript), error))
            return fail(QStringLiteral("cannot open %1: %2").arg(parser.value(transcript), error));
        QObject::connect(&sim, &InstrumentSimulator::lineReceived, &app,
                         [&log](qint64 ms, const QByteArray& line) {
                             log.write(QByteArray::number(ms).rightJustified(9) + "  " +
                                       printable(line) + '\n');
                             log.flush();
                         });
    }
    QObject::connect(&sim, &InstrumentSimulator::hungUp, &app, [] {
        std::fprintf(stderr, "vexa-sim: line closed (hang-up)\n");
        QCoreApplication::quit();
    });

    if (::pipe2(g_signalPipe, O_CLOEXEC) != 0)
        return fail(QStringLiteral("cannot create the signal pipe"));
    QSocketNotifier signalNotifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app,
                     [] { QCoreApplication::quit(); });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);

    sim.setLinkPath(parser.value(link));
    try {
        sim.start();
    } catch (const VexaError& e) {
        return fail(e.message());
    }
    std::printf("%s\n", qPrintable(sim.slavePath()));
    std::fflush(stdout);
    std::fprintf(
        stderr, "vexa-sim: serving %s%s, %d stored file(s), %s\n", qPrintable(sim.slavePath()),
        parser.isSet(link)
            ? qPrintable(QStringLiteral(" (link ") + parser.value(link) + QLatin1Char(')'))
            : "",
        sim.instrument()->storedFileCount(),
        baudRate > 0 ? qPrintable(QStringLiteral("%1 baud").arg(baudRate)) : "no line-rate limit");

    const int status = app.exec();
    sim.stop(); // removes the link
    return status;
}
