#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>

// The terminal side of the tool: what goes to standard output (results, --json) and to
// standard error (progress, failures), and the password typed without echo.
//
// Every line written through out() and err() is shown terminal-safe (terminalSafe): much
// of it came from outside (instrument replies, file contents, device strings, process
// names, paths), and none of the tool's own lines carries a control character.
namespace console {

void out(const QString& line);
// A line of standard error that cannot be written (a reader gone) is dropped.
void err(const QString& line);
// Writes without a line end and at once (the progress line redrawn in place). The text is
// written as it is: the caller makes outside text in it terminal-safe.
void errRaw(const QString& text);

// --json: the command's result. The command hands it over; main writes it, once, with the
// exit status the process ends with.
void setJsonRequested(bool requested);
bool jsonRequested();
void json(const QJsonObject& object);
std::optional<QJsonObject> takeJson();
void writeJson(const QJsonObject& object);

// A write to standard output failed (a reader that closed the pipe, a full disk): the
// result did not reach whoever asked for it.
bool outputFailed();

// A message of the window's information dialog as terminal lines: split at its line ends,
// the blanks that centre it in the dialog taken off, empty lines dropped.
QStringList messageLines(const QString& message);
// The same, one line.
QString messageText(const QString& message);

bool stderrIsTerminal();
bool stdinIsTerminal();

// Shows `prompt` on standard error and reads one line from the terminal without echoing it;
// nothing when standard input is not a terminal or reading failed. SIGINT, SIGTERM or
// SIGHUP while echo is off give the terminal its settings back before the tool ends as
// the signal would have ended it.
std::optional<QString> readHiddenLine(const QString& prompt);

// Lines of a table: each column as wide as its widest cell, two blanks between columns.
QStringList tableLines(const QList<QStringList>& rows);

} // namespace console
