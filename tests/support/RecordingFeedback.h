#pragma once

#include "common/OperatorFeedback.h"

#include <QStringList>
#include <functional>

// The window side of an operation, written down call by call: "status:<text>" for the
// status window's text, "show", "hide", "info:<message>" for the information dialog,
// "enabled:<0|1>" for the main window. What the window would show now is kept beside.
class RecordingFeedback : public OperatorFeedback {
public:
    QStringList calls;
    bool statusVisible = false;
    bool windowEnabled = true;
    // Runs inside showInformation, while the operator would be reading the message.
    std::function<void()> onInformation;

    void AfficheInfo(const QString& texte) override {
        calls.append(QStringLiteral("status:") + texte);
    }
    void showStatus() override {
        statusVisible = true;
        calls.append(QStringLiteral("show"));
    }
    void hideStatus() override {
        statusVisible = false;
        calls.append(QStringLiteral("hide"));
    }
    void showInformation(const QString& message) override {
        calls.append(QStringLiteral("info:") + message);
        if (onInformation)
            onInformation();
    }
    void setMainWindowEnabled(bool enabled) override {
        windowEnabled = enabled;
        calls.append(QStringLiteral("enabled:") + (enabled ? u'1' : u'0'));
    }

    QStringList informations() const { return withPrefix(QStringLiteral("info:")); }
    QStringList statusTexts() const { return withPrefix(QStringLiteral("status:")); }

private:
    QStringList withPrefix(const QString& prefix) const {
        QStringList found;
        for (const QString& call : calls) {
            if (call.startsWith(prefix))
                found.append(call.mid(prefix.size()));
        }
        return found;
    }
};
