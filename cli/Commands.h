#pragma once

#include <QStringList>

// The commands of vexa-cli. Each takes the arguments after its name and returns the exit
// status; failures travel as exceptions (CliFailure and the program's own errors), which
// main turns into messages and statuses.
int runPorts(const QStringList& arguments);
int runIdentify(const QStringList& arguments);
int runTransfer(const QStringList& arguments);
int runClock(const QStringList& arguments);
int runErase(const QStringList& arguments);
int runCheck(const QStringList& arguments);
int runSend(const QStringList& arguments);
int runSpecific(const QStringList& arguments);
int runArchive(const QStringList& arguments);
int runWatch(const QStringList& arguments);
