#pragma once

#include "cli/CliMessages.h"
#include "cli/ExitStatus.h"

#include <QStringList>
#include <span>

// A command of vexa-cli. Its run takes the arguments after its name and returns the exit
// status; failures travel as exceptions (CliFailure and the program's own errors), which
// main turns into the status, the message and the JSON object. Each command is a set of
// small functions in a file of its own: parse the arguments into a request (nothing when
// --help answered), check it, act, print.
struct CommandEntry {
    const char* name;
    CliMsg summary; // its line in vexa-cli --help
    ExitStatus (*run)(const QStringList& arguments);
};

// Every command, in the order of the help.
std::span<const CommandEntry> commands();

ExitStatus runPorts(const QStringList& arguments);
ExitStatus runIdentify(const QStringList& arguments);
ExitStatus runTransfer(const QStringList& arguments);
ExitStatus runClock(const QStringList& arguments);
ExitStatus runErase(const QStringList& arguments);
ExitStatus runCheck(const QStringList& arguments);
ExitStatus runSend(const QStringList& arguments);
ExitStatus runSpecific(const QStringList& arguments);
ExitStatus runArchive(const QStringList& arguments);
ExitStatus runWatch(const QStringList& arguments);
