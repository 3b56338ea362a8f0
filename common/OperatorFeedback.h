#pragma once

#include <QString>

// What an operation needs from the window to keep the operator informed. The main
// window implements it with its real widgets; tests record the calls instead.
class OperatorFeedback {
public:
    virtual ~OperatorFeedback() = default;

    // Text of the status window (the window itself is shown and hidden separately).
    virtual void AfficheInfo(const QString& texte) = 0;
    virtual void showStatus() = 0;
    virtual void hideStatus() = 0;

    // The modal information dialog; returns once the operator has pressed "Ok".
    virtual void showInformation(const QString& message) = 0;

    // The whole main window, for operations that must not be interrupted.
    virtual void setMainWindowEnabled(bool enabled) = 0;

    // A yes-or-no question in the information dialog's style; true for yes. Where nobody can
    // be asked the answer is no, which never costs the operator anything they had.
    virtual bool askQuestion(const QString& question) {
        Q_UNUSED(question);
        return false;
    }
};
