#include "operations/DockingLedger.h"

#include "common/Errors.h"
#include "common/Messages.h"
#include "common/TextFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString timeText(const QDateTime& time) {
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

QString csvText(QString text) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && formulaStarts.contains(text.front()))
        text.prepend(u'\'');
    if (text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n'))
        text = u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return text;
}

QString flagText(bool flag) {
    return flag ? QStringLiteral("true") : QStringLiteral("false");
}

QByteArray headerLine() {
    return dockingLedgerColumns().join(u',').toUtf8() + "\r\n";
}

#ifdef Q_OS_UNIX
[[noreturn]] void failWrite(const QString& path, int error) {
    throw EFileError(msg(MsgId::CannotWriteLedger).arg(path, qt_error_string(error)));
}

// Opens the ledger for appending without ever waiting on it: O_NONBLOCK keeps a FIFO from
// blocking the open, O_NOFOLLOW refuses a link planted in its place, O_NOCTTY keeps a
// terminal from becoming ours.
int openLedger(const QString& path, struct stat& info) {
    const int fd =
        ::open(QFile::encodeName(path).constData(),
               O_RDWR | O_CREAT | O_APPEND | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0 && (errno == ELOOP || errno == EISDIR))
        throw EFileError(msg(MsgId::LedgerNotRegularFile).arg(path));
    if (fd < 0)
        failWrite(path, errno);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw EFileError(msg(MsgId::LedgerNotRegularFile).arg(path));
    }
    return fd;
}

void appendDurably(const QString& path, const QByteArray& line) {
    struct stat info {};
    const int fd = openLedger(path, info);
    const off_t before = info.st_size;
    QByteArray bytes;
    char last = '\n';
    if (before == 0)
        bytes = headerLine();
    else if (::pread(fd, &last, 1, before - 1) == 1 && last != '\n')
        bytes = "\r\n"; // the line a power cut tore stays alone on its line
    bytes += line;

    ssize_t written;
    do
        written = ::write(fd, bytes.constData(), size_t(bytes.size()));
    while (written < 0 && errno == EINTR);
    int error = written < 0 ? errno : ENOSPC;
    if (written == bytes.size() && ::fsync(fd) != 0) {
        error = errno; // written, but not known to be on the disk
        written = -1;
    }
    if (written != bytes.size()) {
        // Takes a torn line back, unless someone else wrote after it meanwhile.
        if (written > 0 && ::fstat(fd, &info) == 0 && info.st_size == before + written)
            (void)::ftruncate(fd, before);
        ::close(fd);
        failWrite(path, error);
    }
    ::close(fd);
    if (before == 0)
        syncFolderOf(path);
}
#else
void appendDurably(const QString& path, const QByteArray& line) {
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile()))
        throw EFileError(msg(MsgId::LedgerNotRegularFile).arg(path));
    QFile file(path);
    if (!file.open(QIODevice::Append))
        throw EFileError(msg(MsgId::CannotWriteLedger).arg(path, file.errorString()));
    const QByteArray bytes = file.size() == 0 ? headerLine() + line : line;
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw EFileError(msg(MsgId::CannotWriteLedger).arg(path, file.errorString()));
}
#endif

} // namespace

const QStringList& dockingLedgerColumns() {
    static const QStringList columns{QStringLiteral("time"),
                                     QStringLiteral("port"),
                                     QStringLiteral("serialNumber"),
                                     QStringLiteral("softwareVersion"),
                                     QStringLiteral("filesAnnounced"),
                                     QStringLiteral("fileHeaders"),
                                     QStringLiteral("measurementLines"),
                                     QStringLiteral("resultFile"),
                                     QStringLiteral("sha256"),
                                     QStringLiteral("clockSet"),
                                     QStringLiteral("memoryErased"),
                                     QStringLiteral("outcome"),
                                     QStringLiteral("exitStatus"),
                                     QStringLiteral("archive")};
    return columns;
}

QByteArray dockingLedgerLine(const DockingRecord& r) {
    const QStringList fields{timeText(r.time),
                             csvText(r.port),
                             csvText(r.serialNumber),
                             csvText(r.softwareVersion),
                             r.filesAnnounced ? QString::number(*r.filesAnnounced) : QString(),
                             QString::number(r.fileHeaders),
                             QString::number(r.measurementLines),
                             csvText(r.resultFile),
                             csvText(r.sha256),
                             flagText(r.clockSet),
                             flagText(r.memoryErased),
                             csvText(r.outcome),
                             QString::number(r.exitStatus),
                             csvText(r.archive)};
    return fields.join(u',').toUtf8() + "\r\n";
}

QJsonObject dockingRecordJson(const DockingRecord& r) {
    const QStringList& c = dockingLedgerColumns();
    return {{c[0], timeText(r.time)},
            {c[1], r.port},
            {c[2], r.serialNumber},
            {c[3], r.softwareVersion},
            {c[4], r.filesAnnounced ? QJsonValue(*r.filesAnnounced) : QJsonValue()},
            {c[5], r.fileHeaders},
            {c[6], r.measurementLines},
            {c[7], r.resultFile},
            {c[8], r.sha256},
            {c[9], r.clockSet},
            {c[10], r.memoryErased},
            {c[11], r.outcome},
            {c[12], r.exitStatus},
            {c[13], r.archive}};
}

void DockingLedger::append(const DockingRecord& record) const {
    appendDurably(m_path, dockingLedgerLine(record));
}
