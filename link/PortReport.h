#pragma once

#include <QString>
#include <QStringList>

struct PortAttempt;
struct SearchRecord;

// The words a user reads about serial ports, in the installed language, from the record of
// what was found (PortDiagnosis): they never ask the system themselves. Commands to type
// stand on lines of their own, so that they can be copied whole.

// A port as a user recognises it: the device, then the adapter's description and USB ids
// when known, e.g. "/dev/ttyUSB0 (FT232R USB UART, USB 0403:6001)".
QString deviceDisplayName(const PortAttempt& attempt);
// The same, led by the name listed when that was a link to the device:
// "/dev/serial/by-id/usb-FTDI... (/dev/ttyUSB0, FT232R USB UART, USB 0403:6001)".
QString portDisplayName(const PortAttempt& attempt);

// One sentence telling why a port would not open, for the line under a serial error.
QString openFailureDetail(const PortAttempt& attempt);

// What a search met on each port it tried, with the fix for each failure, then what the
// system tells about the commonest causes (brltty, ModemManager). Fixes are indented by
// four blanks, commands by eight.
QStringList searchReportLines(const SearchRecord& record);

// The pieces of that report: what happened on one port, the fixes for it (indented as in
// the report), and what the system tells about the commonest causes.
QString portReason(const PortAttempt& attempt);
QStringList portFixes(const PortAttempt& attempt);
QStringList systemNoteLines(const SearchRecord& record);
