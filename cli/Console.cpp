#include "cli/Console.h"

#include <QJsonDocument>
#include <QJsonObject>

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

void write(std::FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

bool isTerminal(std::FILE* stream) {
#ifdef Q_OS_WIN
    return _isatty(_fileno(stream)) != 0;
#else
    return ::isatty(::fileno(stream)) != 0;
#endif
}

// Echo off for as long as it lives, back on whichever way the reading ends.
class EchoOff {
public:
    EchoOff() {
#ifdef Q_OS_WIN
        m_handle = GetStdHandle(STD_INPUT_HANDLE);
        m_active = GetConsoleMode(m_handle, &m_saved) &&
                   SetConsoleMode(m_handle, m_saved & ~DWORD(ENABLE_ECHO_INPUT));
#else
        m_active = ::tcgetattr(STDIN_FILENO, &m_saved) == 0;
        if (m_active) {
            termios quiet = m_saved;
            quiet.c_lflag &= ~tcflag_t(ECHO);
            quiet.c_lflag |= tcflag_t(ECHONL);
            m_active = ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
        }
#endif
    }
    ~EchoOff() {
        if (!m_active)
            return;
#ifdef Q_OS_WIN
        SetConsoleMode(m_handle, m_saved);
#else
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_saved);
#endif
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
#ifdef Q_OS_WIN
    HANDLE m_handle = nullptr;
    DWORD m_saved = 0;
#else
    termios m_saved{};
#endif
    bool m_active = false;
};

} // namespace

void out(const QString& line) {
    write(stdout, (line + u'\n').toLocal8Bit());
}

void err(const QString& line) {
    write(stderr, (line + u'\n').toLocal8Bit());
}

void errRaw(const QString& text) {
    write(stderr, text.toLocal8Bit());
}

void json(const QJsonObject& object) {
    write(stdout, QJsonDocument(object).toJson(QJsonDocument::Indented));
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
    errRaw(prompt);
    std::string typed;
    {
        EchoOff echoOff;
        if (!std::getline(std::cin, typed))
            return std::nullopt;
    }
#ifdef Q_OS_WIN
    err(QString());
#endif
    return QString::fromLocal8Bit(typed.data(), qsizetype(typed.size()));
}

QStringList tableLines(const QList<QStringList>& rows) {
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
