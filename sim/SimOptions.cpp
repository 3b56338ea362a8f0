#include "sim/SimOptions.h"

#include "common/Errors.h"

#include <QCommandLineParser>
#include <QCoreApplication>

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

QCommandLineOption option(const char* name, const char* help, const char* valueName = nullptr,
                          const char* defaultValue = nullptr) {
    if (!valueName)
        return QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help));
    return QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help),
                              QString::fromLatin1(valueName), QString::fromLatin1(defaultValue));
}

const QCommandLineOption kLink =
    option("link",
           "Also make a symbolic link PATH to the device (replaced if it is a link; removed "
           "at exit).",
           "PATH");
const QCommandLineOption kBaud =
    option("baud",
           "Send at N bits per second, 10 bits per byte, like the real line. 0 sends as fast "
           "as possible. Default 38400.",
           "N", "38400");
const QCommandLineOption kDelay =
    option("reply-delay", "Wait MS milliseconds before each reply. Default 0.", "MS", "0");
const QCommandLineOption kFiles =
    option("files", "Fill the memory with N measurement files (default 3; 0 for an empty memory).",
           "N", "3");
const QCommandLineOption kMeasures =
    option("measures", "Measurements per file (default 10).", "N", "10");
const QCommandLineOption kGps =
    option("gps", "Follow each measurement with a \"#G\" GPS position line.");
const QCommandLineOption kMemory =
    option("memory",
           "Use the lines of FILE as the stored memory instead (\"#F\" is added after the "
           "last).",
           "FILE");
const QCommandLineOption kTranscript = option(
    "transcript", "Append every received line to FILE, with the milliseconds since start.", "FILE");
const QCommandLineOption kSilent =
    option("silent", "Receive but never answer (a dead instrument).");
const QCommandLineOption kLanguage =
    option("language",
           "Language code of the identification record: F (French), A (English, day "
           "first) or C (English, month first). Default F.",
           "F|A|C", "F");
const QCommandLineOption kVersion =
    option("software-version",
           "Software version in the identity line (8 characters). Default V3.10.", "TEXT");
const QCommandLineOption kSerial = option(
    "serial-number", "Serial number in the identity line (16 characters). Default VX0123.", "TEXT");
const QCommandLineOption kHangUp =
    option("hangup-after",
           "Close the line after receiving N lines, as if unplugged (the N-th is not "
           "answered), then exit.",
           "N");
const QCommandLineOption kLatencyTimer =
    option("latency-timer",
           "Pass the replies through a model of a USB serial adapter whose latency timer is MS "
           "milliseconds: received bytes are held until the line has been idle that long or 62 "
           "bytes are in (16 is the usual default, 1 the best setting). Default 0, no adapter.",
           "MS", "0");

// The option's value as a whole number of `least` or more.
int wholeNumber(const QCommandLineParser& parser, const QCommandLineOption& option, int least,
                const char* complaint) {
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value < least)
        throw VexaError(QString::fromLatin1(complaint));
    return value;
}

std::optional<QString> valueIfSet(const QCommandLineParser& parser,
                                  const QCommandLineOption& option) {
    return parser.isSet(option) ? std::optional(parser.value(option)) : std::nullopt;
}

} // namespace

SimOptions parseSimOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(Description));
    parser.addHelpOption();
    parser.addOptions({kLink, kBaud, kDelay, kFiles, kMeasures, kGps, kMemory, kTranscript, kSilent,
                       kLanguage, kVersion, kSerial, kHangUp, kLatencyTimer});
    parser.process(app);

    SimOptions options;
    options.baudRate = wholeNumber(parser, kBaud, 0, "--baud needs a whole number of 0 or more");
    options.replyDelay =
        wholeNumber(parser, kDelay, 0, "--reply-delay needs a whole number of 0 or more");
    const char* counts = "--files and --measures need whole numbers of 0 or more";
    options.fileCount = wholeNumber(parser, kFiles, 0, counts);
    options.measureCount = wholeNumber(parser, kMeasures, 0, counts);
    if (parser.isSet(kHangUp))
        options.hangUpAfter =
            wholeNumber(parser, kHangUp, 1, "--hangup-after needs a whole number of 1 or more");
    const QString code = parser.value(kLanguage);
    if (code != QLatin1String("F") && code != QLatin1String("A") && code != QLatin1String("C"))
        throw VexaError(QStringLiteral("--language must be F, A or C"));
    options.languageCode = code.at(0).toLatin1();
    options.linkPath = parser.value(kLink);
    options.gps = parser.isSet(kGps);
    options.memoryFile = valueIfSet(parser, kMemory);
    options.transcriptFile = valueIfSet(parser, kTranscript);
    options.silent = parser.isSet(kSilent);
    options.softwareVersion = valueIfSet(parser, kVersion);
    options.serialNumber = valueIfSet(parser, kSerial);
    options.latencyTimer =
        wholeNumber(parser, kLatencyTimer, 0, "--latency-timer needs a whole number of 0 or more");
    return options;
}
