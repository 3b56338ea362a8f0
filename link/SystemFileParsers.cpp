#include "link/SystemFileParsers.h"

#include <QFileInfo>
#include <QList>

#include <algorithm>
#include <cstring>

namespace {

bool isAsciiPidByte(char c) {
    return (c >= '0' && c <= '9') || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\0';
}

} // namespace

std::optional<LockFileClaim> parseLockFile(const QByteArray& bytes) {
    LockFileClaim claim;
    // Four bytes that are not all digits and blanks are the binary format.
    const bool binary =
        bytes.size() == 4 && !std::all_of(bytes.cbegin(), bytes.cend(), isAsciiPidByte);
    if (binary) {
        qint32 pid = 0;
        std::memcpy(&pid, bytes.constData(), sizeof pid);
        claim.pid = pid;
    } else {
        const QList<QByteArray> lines = bytes.split('\n');
        bool ok = false;
        claim.pid = lines.first().trimmed().toLongLong(&ok);
        if (!ok)
            return std::nullopt;
        if (lines.size() > 1)
            claim.name = QString::fromUtf8(lines.at(1).trimmed());
    }
    if (claim.pid <= 0)
        return std::nullopt;
    return claim;
}

std::optional<ProcessStat> parseProcessStat(const QByteArray& bytes) {
    const qsizetype open = bytes.indexOf('(');
    const qsizetype close = bytes.lastIndexOf(')');
    if (open < 0 || close < open)
        return std::nullopt;
    ProcessStat stat;
    stat.name = QString::fromUtf8(bytes.mid(open + 1, close - open - 1));
    const QByteArray rest = bytes.mid(close + 1).trimmed();
    if (rest.isEmpty())
        return std::nullopt;
    stat.state = rest.at(0);
    return stat;
}

QString parseProcessComm(const QByteArray& bytes) {
    QByteArray name = bytes;
    if (name.endsWith('\n'))
        name.chop(1);
    return QString::fromUtf8(name);
}

QString programOfCommandLine(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf('\0');
    return QFileInfo(QString::fromLocal8Bit(end < 0 ? bytes : bytes.left(end))).fileName();
}

std::optional<int> parseTtyIndex(const QByteArray& bytes) {
    for (const QByteArray& line : bytes.split('\n')) {
        if (!line.startsWith("tty-index:"))
            continue;
        bool ok = false;
        const int index = line.mid(10).trimmed().toInt(&ok);
        if (ok && index >= 0)
            return index;
    }
    return std::nullopt;
}

bool ttyDriversCover(const QByteArray& drivers, uint major, uint minor) {
    for (const QByteArray& line : drivers.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 4 || fields.at(2).toUInt() != major)
            continue;
        const QList<QByteArray> range = fields.at(3).split('-');
        bool okFirst = false;
        bool okLast = false;
        const uint first = range.first().toUInt(&okFirst);
        const uint last = range.size() == 2 ? range.last().toUInt(&okLast) : first;
        if (okFirst && (range.size() == 1 || (range.size() == 2 && okLast)) && first <= minor &&
            minor <= last)
            return true;
    }
    return false;
}

QString parseSysText(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf('\n');
    return QString::fromUtf8(end < 0 ? bytes : bytes.left(end)).trimmed();
}

quint16 parseHexId(const QByteArray& bytes) {
    bool ok = false;
    const uint value = parseSysText(bytes).toUInt(&ok, 16);
    return ok && value <= 0xFFFF ? quint16(value) : 0;
}
