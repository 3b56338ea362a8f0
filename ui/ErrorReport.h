#pragma once

#include <QString>
#include <exception>

// The application's general error report: a modal box with an error icon. A full stop is
// appended when the message's last character sorts above "." (so "...txt" gets none).
QString formatErrorReport(const QString& message);
// A serial error's plain second line, when it has one, goes under the message.
QString formatErrorReport(const QString& message, const QString& detail);
void showErrorReport(const QString& message);
void showErrorReport(const std::exception& error);

// Runs a user action; an error it raises goes to the general error report instead of
// unwinding through the toolkit's event dispatch.
template <class F> void guarded(F&& action) {
    try {
        action();
    } catch (const std::exception& e) {
        showErrorReport(e);
    }
}
