#pragma once

#include "cli/DockedDownload.h"
#include "operations/DockingLedger.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <deque>
#include <exception>
#include <functional>

class InstrumentSession;
class PortWatcher;

// The docking PC: every port that appears is handled once, after its settle time, and every
// instrument found gets its ledger line, on the disk before the next port is looked at. An
// instrument that stays docked is not read again; unplugged and docked again, it is.
class DockingStation : public QObject {
    Q_OBJECT
public:
    DockingStation(InstrumentSession& session, DockingOptions options, const QString& ledgerPath,
                   bool json, QObject* parent = nullptr);
    ~DockingStation() override;

    void setSettleTime(std::chrono::milliseconds settle);

    // Called after each ledger line with the download it records (the lines received and
    // the result file): where a download goes on to an archive.
    using RecordedHandler = std::function<void(const DockingRecord&, const DockedDownload&)>;
    void setRecordedHandler(RecordedHandler handler) { m_recorded = std::move(handler); }

    // Starts watching and handles the ports present now, then each one that appears.
    void start();
    // Ends once the port at hand, if any, has its ledger line; `finished` follows.
    void requestStop();
    bool isHandling() const { return m_handling; }
    // What stopped it when the ledger could not be written; null otherwise.
    std::exception_ptr failure() const { return m_failure; }

Q_SIGNALS:
    // Stopped as asked, or because the ledger failed.
    void finished();

private:
    void portAppeared(const QString& name);
    void portVanished(const QString& name);
    void handlePending();
    void handle(const QString& name);
    void tell(const DockedDownload& download, const QString& port) const;
    void end();

    InstrumentSession& m_session;
    DockingOptions m_options;
    DockingLedger m_ledger;
    bool m_json;
    PortWatcher* m_watcher;
    RecordedHandler m_recorded;
    std::deque<QString> m_pending;
    QHash<QString, QString> m_docked; // device -> the name it was handled under
    bool m_handling = false;
    bool m_stopping = false;
    std::exception_ptr m_failure;
};
