#pragma once

#include <QString>

// Where a transfer puts its result, checked before anything is said to the instrument: a
// place that cannot take the file is refused then, not after the instrument's whole memory
// has been read. Both raise CliFailure with ExitStatus::FileError and the system's reason.

// The folder exists and this user can create a file in it (one is made and removed).
void requireWritableFolder(const QString& folder);

// `path` is an ordinary file or nothing yet (never a folder, a device or a pipe), in a
// writable folder, and replaceable when it exists.
void requireWritableFile(const QString& path);
