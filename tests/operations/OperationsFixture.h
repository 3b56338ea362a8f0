#pragma once

#include "common/OperatorFeedback.h"
#include "link/CommandExchange.h"
#include "link/TComPort.h"
#include "sim/InstrumentSimulator.h"

#include <QStringList>
#include <QtTest>
#include <functional>
#include <memory>

// The window side of an operation, written down call by call: "status:<text>", "show",
// "hide", "info:<message>", "enabled:<0|1>".
class RecordingFeedback : public OperatorFeedback {
public:
    QStringList calls;
    // Runs inside ShowInformation, while the operator would be reading the message.
    std::function<void()> onInformation;

    void AfficheInfo(const QString& texte) override {
        calls.append(QStringLiteral("status:") + texte);
    }
    void ShowStatus() override { calls.append(QStringLiteral("show")); }
    void HideStatus() override { calls.append(QStringLiteral("hide")); }
    void ShowInformation(const QString& message) override {
        calls.append(QStringLiteral("info:") + message);
        if (onInformation)
            onInformation();
    }
    void SetMainWindowEnabled(bool enabled) override {
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

// A simulated instrument on a pseudo-terminal, and the program's port and exchange on the
// other end. Fresh for every test function (create it in init()).
struct OperationsRig {
    InstrumentSimulator sim;
    TComPort port;
    std::unique_ptr<CommandExchange> exchange;
    RecordingFeedback feedback;

    OperationsRig() {
        sim.start();
        port.setPort(sim.slavePath());
        exchange = std::make_unique<CommandExchange>(port);
    }

    // Lines the instrument received that begin with `prefix`.
    int received(const QByteArray& prefix) const {
        int n = 0;
        for (const QByteArray& line : sim.receivedLines())
            n += line.startsWith(prefix) ? 1 : 0;
        return n;
    }
};
