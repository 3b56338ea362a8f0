#pragma once

#include "ui/FileDialogs.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>

class MessageDialogInfo;

// Whether the information dialog asks a question: it offers "Oui" and "Non" instead of "Ok".
bool isQuestion(const MessageDialogInfo* dialog);

// Answers the program's modal dialogs (information dialog, error report) as an operator
// would, recording what they said. Checks a few times per event-loop pass, from a timer,
// so the code under test runs its real modal loop.
class DialogAnswerer : public QObject {
    Q_OBJECT
public:
    DialogAnswerer();
    ~DialogAnswerer() override;

    // Messages of the information dialogs closed so far, in order.
    QStringList messages;
    // Texts of the general error reports closed so far.
    QStringList errors;
    // Questions asked so far, and the answers to give them in turn (no once they run out).
    QStringList questions;
    std::deque<bool> answers;

    // Runs just before a dialog is closed, with the dialog's text (e.g. to look at the
    // window's state while the dialog is open).
    std::function<void(const QString&)> onDialog;

    // Waits (processing events) until `count` information messages have been seen.
    bool waitForMessages(int count, int timeoutMs = 15000);
    void clear();

private:
    void poll();
    QTimer m_timer;
};

// File dialogs that answer from a queue instead of showing a window.
class ScriptedFileDialogs : public FileDialogs {
public:
    std::deque<std::optional<QString>> answers;
    QList<DialogKind> asked;
    QStringList startPaths;

protected:
    std::optional<QString> present(DialogKind kind, const QString& startPath) override;
};
