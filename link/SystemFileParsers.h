#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What the system's own files say, read from their bytes alone. Anyone may write a lock file
// and a process chooses its own name and command line: every function here takes any bytes.

// A lock file's claim: the process it names, and the program name Qt's lock files add on
// their second line (empty when the file does not say).
struct LockFileClaim {
    qint64 pid = 0;
    QString name;
};

// Lock files name their process in ASCII ("  4242\n", Qt's "4242\nprogram\nhost\n") or,
// in the old binary format, as a 4-byte integer in the machine's byte order. Nothing for
// a file that names no positive process number.
std::optional<LockFileClaim> parseLockFile(const QByteArray& bytes);

// From /proc/<pid>/stat: the name between the first '(' and the last ')' (a name may hold
// blanks and brackets), and the state letter after it ('Z' for a process that has ended
// and waits for its parent).
struct ProcessStat {
    QString name;
    char state = '?';
};
std::optional<ProcessStat> parseProcessStat(const QByteArray& bytes);

// /proc/<pid>/comm: the name without its line end.
QString parseProcessComm(const QByteArray& bytes);

// /proc/<pid>/cmdline: the file name of the program, from the first NUL-ended argument.
QString programOfCommandLine(const QByteArray& bytes);

// /proc/<pid>/fdinfo/<fd> of a pseudo-terminal's master: the index of its terminal
// ("tty-index:\t3" for /dev/pts/3).
std::optional<int> parseTtyIndex(const QByteArray& bytes);

// /proc/tty/drivers lists, per terminal driver, its device major number and minor range
// ("pty_slave  /dev/pts  136 0-1048575 pty:slave"): whether a device number is among them.
bool ttyDriversCover(const QByteArray& drivers, uint major, uint minor);

// A text of /sys, such as a USB device's "product": UTF-8, the first line, blanks trimmed.
QString parseSysText(const QByteArray& bytes);

// A 16-bit hexadecimal id of /sys ("0403\n"); 0 when it is not one.
quint16 parseHexId(const QByteArray& bytes);
