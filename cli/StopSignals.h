#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM and SIGINT as a request, not an ending: while it lives, each one only sets a
// flag and tells the event loop, so that a long-running command ends where it chooses (never
// between a download and its ledger line). The handlers are put back when it goes.
class StopSignals : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

    bool requested() const { return m_requested; }

Q_SIGNALS:
    // The first signal arrived; further ones change nothing.
    void stopRequested();

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
    bool m_requested = false;
};
