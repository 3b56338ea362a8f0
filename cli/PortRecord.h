#pragma once

#include <QStringList>

struct PortAttempt;
struct SearchRecord;

// The search's record of the ports, as `ports` prints it and the window's details show it,
// in the tool's words: where the window says to press its button, the tool says to run
// the command again.
QStringList toolReportLines(const SearchRecord& record);
QStringList toolFixes(const PortAttempt& attempt);

// The record of the one port a command was given or found: why it failed, the fix, and
// what the system tells about the commonest causes.
QStringList portRecordLines(const PortAttempt& attempt);

// A port that opened but where nothing answered the presence check: the window's message,
// the device, and the record of the port.
QStringList silentPortLines(const QString& port);
