#include "cli/Console.h"

#include "common/TerminalText.h"

#include <QJsonDocument>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

namespace console {

namespace {

bool g_jsonRequested = false;
std::optional<QJsonObject> g_json;
bool g_outputFailed = false;

bool write(std::FILE* stream, const QByteArray& bytes) {
    const bool written =
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size());
    const bool flushed = std::fflush(stream) == 0;
    // Whatever could not go stays out of the way of the next line.
    std::clearerr(stream);
    return written && flushed;
}

void writeOut(const QByteArray& bytes) {
    if (!write(stdout, bytes))
        g_outputFailed = true;
}

// The lines of a text, each made terminal-safe; the tool's own texts break lines with LF
// or CR LF.
QByteArray safeLines(const QString& text) {
    QStringList lines =
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    for (QString& line : lines)
        line = terminalSafe(line);
    return (lines.join(u'\n') + u'\n').toLocal8Bit();
}

bool isTerminal(std::FILE* stream) {
#ifdef Q_OS_WIN
    return _isatty(_fileno(stream)) != 0;
#else
    return ::isatty(::fileno(stream)) != 0;
#endif
}

#ifndef Q_OS_WIN
// The settings the terminal had before echo went off, for the signal handler.
termios g_savedTerminal{};
volatile std::sig_atomic_t g_echoIsOff = 0;
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

void restoreTerminalAndEnd(int signal) {
    if (g_echoIsOff)
        ::tcsetattr(STDIN_FILENO, TCSANOW, &g_savedTerminal);
    // Ends as the signal would have: the parent sees it, not an exit status.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}
#endif

// Echo off for as long as it lives, back on whichever way the reading ends, a signal
// that ends the tool included.
class EchoOff {
public:
    EchoOff() {
#ifdef Q_OS_WIN
        m_handle = GetStdHandle(STD_INPUT_HANDLE);
        m_active = GetConsoleMode(m_handle, &m_saved) &&
                   SetConsoleMode(m_handle, m_saved & ~DWORD(ENABLE_ECHO_INPUT));
#else
        if (::tcgetattr(STDIN_FILENO, &g_savedTerminal) != 0)
            return;
        struct sigaction action {};
        action.sa_handler = restoreTerminalAndEnd;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
            ::sigaction(kEndingSignals[i], nullptr, &m_previous[i]);
            // A signal the tool was started to ignore stays ignored.
            if (m_previous[i].sa_handler != SIG_IGN)
                ::sigaction(kEndingSignals[i], &action, nullptr);
        }
        termios quiet = g_savedTerminal;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        quiet.c_lflag |= tcflag_t(ECHONL);
        g_echoIsOff = 1;
        m_active = ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
        if (!m_active)
            restoreSignals();
#endif
    }
    ~EchoOff() {
        if (!m_active)
            return;
#ifdef Q_OS_WIN
        SetConsoleMode(m_handle, m_saved);
#else
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_savedTerminal);
        restoreSignals();
#endif
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
#ifdef Q_OS_WIN
    HANDLE m_handle = nullptr;
    DWORD m_saved = 0;
#else
    void restoreSignals() {
        g_echoIsOff = 0;
        for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
            ::sigaction(kEndingSignals[i], &m_previous[i], nullptr);
    }
    struct sigaction m_previous[std::size(kEndingSignals)]{};
#endif
    bool m_active = false;
};

} // namespace

void out(const QString& line) {
    writeOut(safeLines(line));
}

void err(const QString& line) {
    write(stderr, safeLines(line));
}

void errRaw(const QString& text) {
    write(stderr, text.toLocal8Bit());
}

void setJsonRequested(bool requested) {
    g_jsonRequested = requested;
}

bool jsonRequested() {
    return g_jsonRequested;
}

void json(const QJsonObject& object) {
    g_json = object;
}

std::optional<QJsonObject> takeJson() {
    return std::exchange(g_json, std::nullopt);
}

void writeJson(const QJsonObject& object) {
    writeOut(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

bool outputFailed() {
    return g_outputFailed;
}

QStringList messageLines(const QString& message) {
    QStringList lines;
    for (const QString& piece :
         QString(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n')) {
        const QString line = piece.trimmed();
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

QString messageText(const QString& message) {
    return messageLines(message).join(u' ');
}

bool stderrIsTerminal() {
    return isTerminal(stderr);
}

bool stdinIsTerminal() {
    return isTerminal(stdin);
}

std::optional<QString> readHiddenLine(const QString& prompt) {
    if (!stdinIsTerminal())
        return std::nullopt;
    std::string typed;
    {
        // Off before the prompt shows: nothing typed after it is echoed.
        EchoOff echoOff;
        errRaw(prompt);
        if (!std::getline(std::cin, typed))
            return std::nullopt;
    }
#ifdef Q_OS_WIN
    err(QString());
#endif
    return QString::fromLocal8Bit(typed.data(), qsizetype(typed.size()));
}

QStringList tableLines(const QList<QStringList>& given) {
    // Made safe before the columns are measured: an escape is wider than its character.
    QList<QStringList> rows;
    for (const QStringList& row : given) {
        QStringList safe;
        for (const QString& cell : row)
            safe << terminalSafe(cell);
        rows << safe;
    }
    QList<qsizetype> widths;
    for (const QStringList& row : rows)
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (widths.size() <= i)
                widths << 0;
            widths[i] = std::max(widths[i], row[i].size());
        }
    QStringList lines;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype i = 0; i < row.size(); ++i)
            line += i + 1 < row.size() ? row[i].leftJustified(widths[i] + 2) : row[i];
        lines << line;
    }
    return lines;
}

} // namespace console
