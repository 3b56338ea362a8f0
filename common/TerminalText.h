#pragma once

#include <QByteArray>
#include <QString>

// Text that came from outside the program (an instrument's reply, a file, a device's USB
// strings, a process name, a path) is shown on a terminal only through terminalSafe: a
// control character there would move the cursor, retitle the window or clear the screen.

// The text with every C0 control but TAB, DEL and every C1 control (U+0080 to U+009F)
// written as "\xNN"; everything else as it is.
QString terminalSafe(const QString& text);

// Bytes as a support trace shows them, so that what was received can be read back exactly:
// printable ASCII as it is, "\r", "\n", "\t", "\\", and "\xNN" for any other byte.
QString visibleBytes(const QByteArray& bytes);
