#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QJsonObject;

// The terminal side of the tool: what goes to standard output (results, --json) and to
// standard error (progress, failures), and the password typed without echo.
namespace console {

void out(const QString& line);
void err(const QString& line);
// Writes without a line end and at once (the progress line redrawn in place).
void errRaw(const QString& text);
void json(const QJsonObject& object);

// A message of the window's information dialog as terminal lines: split at its line ends,
// the blanks that centre it in the dialog taken off, empty lines dropped.
QStringList messageLines(const QString& message);
// The same, one line.
QString messageText(const QString& message);

bool stderrIsTerminal();
bool stdinIsTerminal();

// Shows `prompt` on standard error and reads one line from the terminal without echoing it;
// nothing when standard input is not a terminal or reading failed.
std::optional<QString> readHiddenLine(const QString& prompt);

// Lines of a table: each column as wide as its widest cell, two blanks between columns.
QStringList tableLines(const QList<QStringList>& rows);

} // namespace console
