#pragma once

#include "cli/CliMessages.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

// The options of one command, its help and its mistakes. Every command has --help and
// --trace; the ones that talk to an instrument add --port, some add --json.
class CommandParser {
public:
    // `arguments` is the syntax after the options in the usage line ("FILE.dat").
    CommandParser(const QString& command, CliMsg description, const QString& arguments = {});

    void addOption(const QCommandLineOption& option);
    void addPortOption();
    void addJsonOption();

    // Parses what follows the command's name. --help prints the command's help with the
    // exit statuses and returns false; a mistake raises CliFailure with ExitStatus::BadUsage.
    bool parse(const QStringList& arguments);

    bool isSet(const QCommandLineOption& option) const { return m_parser.isSet(option); }
    QString value(const QCommandLineOption& option) const { return m_parser.value(option); }
    QStringList positional() const { return m_parser.positionalArguments(); }
    // The positional arguments must number between `min` and `max`.
    void expectPositional(int min, int max) const;

    std::optional<QString> port() const;
    std::optional<QString> tracePath() const;
    bool json() const { return m_hasJson && m_parser.isSet(m_json); }

    QString helpText() const;

private:
    QString m_command;
    QString m_arguments;
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_trace;
    QCommandLineOption m_port;
    QCommandLineOption m_json;
    bool m_hasPort = false;
    bool m_hasJson = false;
};

// A failure of usage: the message, then where to read more.
[[noreturn]] void badUsage(const QString& message, const QString& command = {});
