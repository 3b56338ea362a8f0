#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A small file of the system's (a lock file, /proc/<pid>/..., a text of /sys), read so that
// nothing put in its place can make the reader wait or flood it: a pipe, a device, a folder
// or a symbolic link is refused without waiting, and no more than `limit` bytes are read.
// Lock folders such as /tmp are writable by every user; /proc and /sys files are regular.
struct SystemFile {
    QByteArray bytes;
    uint owner = 0; // the user owning the file
};

inline constexpr qsizetype kSystemFileLimit = 4096;

std::optional<SystemFile> readSystemFile(const QString& path, qsizetype limit = kSystemFileLimit);
