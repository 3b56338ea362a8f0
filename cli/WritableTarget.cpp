#include "cli/WritableTarget.h"
#include "cli/CliMessages.h"

#include "cli/ExitStatus.h"
#include "common/Messages.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

void requireWritableFolder(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        throw CliFailure(ExitStatus::FileError, cliMsg(CliMsg::NoSuchFolder).arg(shown(folder)));
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".vexa-cli-XXXXXX")));
    if (!probe.open())
        throw CliFailure(ExitStatus::FileError,
                         cliMsg(CliMsg::FolderNotWritable).arg(shown(folder), probe.errorString()));
}

void requireWritableFile(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw CliFailure(ExitStatus::FileError,
                         cliMsg(CliMsg::NotAFile)
                             .arg(shown(path), msg(info.isDir() ? MsgId::KindDirectory
                                                                : MsgId::KindSpecialFile)));
    requireWritableFolder(info.absolutePath());
    if (info.exists() && !info.isWritable())
        throw CliFailure(ExitStatus::FileError,
                         msg(MsgId::CannotWriteFileReason)
                             .arg(shown(path), QString::fromLocal8Bit(std::strerror(EACCES))));
}
