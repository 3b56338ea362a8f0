#include "cli/DockingStation.h"
#include "cli/CliMessages.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/InstrumentSession.h"
#include "common/Errors.h"
#include "common/Messages.h"
#include "link/PortDiagnosis.h"
#include "link/PortWatcher.h"

#include <QDateTime>
#include <QDir>
#include <QJsonDocument>

#include <algorithm>

namespace {

// One object on one line. DEL and the C1 controls, which JSON leaves as they are, are
// escaped too, so that the line reaches a terminal unchanged and still reads as JSON.
QString jsonLine(const QJsonObject& object) {
    const QString text = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    QString line;
    line.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x7f && c.unicode() <= 0x9f)
            line += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QChar(u'0'));
        else
            line += c;
    }
    return line;
}

} // namespace

DockingStation::DockingStation(InstrumentSession& session, DockingOptions options,
                               const QString& ledgerPath, bool json, QObject* parent)
    : QObject(parent), m_session(session), m_options(std::move(options)), m_ledger(ledgerPath),
      m_json(json), m_watcher(new PortWatcher(this)) {
    connect(m_watcher, &PortWatcher::portAppeared, this, &DockingStation::portAppeared);
    connect(m_watcher, &PortWatcher::portVanished, this, &DockingStation::portVanished);
}

DockingStation::~DockingStation() = default;

void DockingStation::setSettleTime(std::chrono::milliseconds settle) {
    m_watcher->setSettleTime(settle);
}

void DockingStation::start() {
    m_watcher->start();
    for (const QString& name : m_watcher->ports())
        m_pending.push_back(name);
    handlePending();
}

void DockingStation::requestStop() {
    m_stopping = true;
    // An instrument at hand is finished first; handlePending ends after it.
    if (!m_handling)
        end();
}

void DockingStation::end() {
    m_watcher->stop();
    m_pending.clear();
    Q_EMIT finished();
}

void DockingStation::portAppeared(const QString& name) {
    m_pending.push_back(name);
    handlePending();
}

void DockingStation::portVanished(const QString& name) {
    m_pending.erase(std::remove(m_pending.begin(), m_pending.end(), name), m_pending.end());
    for (auto it = m_docked.begin(); it != m_docked.end();)
        it = it.value() == name ? m_docked.erase(it) : std::next(it);
}

// One port at a time: a port that appears while a transfer's own event loop runs waits for
// the one at hand.
void DockingStation::handlePending() {
    if (m_handling)
        return;
    m_handling = true;
    while (!m_pending.empty() && !m_stopping) {
        const QString name = m_pending.front();
        m_pending.pop_front();
        try {
            handle(name);
        } catch (...) {
            // The ledger promises a line per instrument: without it, nothing more is read.
            m_failure = std::current_exception();
            m_stopping = true;
        }
    }
    m_handling = false;
    if (m_stopping)
        end();
}

void DockingStation::handle(const QString& name) {
    // A link and the device it names are one instrument, read once while docked.
    const QString device = canonicalPortPath(name);
    if (m_docked.contains(device))
        return;
    m_docked.insert(device, name);
    const DockedDownload download = downloadDocked(m_session, name, m_options);
    if (download.record) {
        m_ledger.append(*download.record);
        if (m_recorded)
            m_recorded(*download.record, download);
    }
    tell(download, name);
}

void DockingStation::tell(const DockedDownload& download, const QString& port) const {
    if (m_json) {
        QJsonObject object;
        if (download.record) {
            object = dockingRecordJson(*download.record);
        } else {
            object.insert(QStringLiteral("time"),
                          QDateTime::currentDateTime().toString(Qt::ISODate));
            object.insert(QStringLiteral("port"), port);
        }
        object.insert(QStringLiteral("message"), download.report.join(u'\n'));
        console::out(jsonLine(object));
        return;
    }
    QStringList lines = download.report;
    if (download.record) {
        const DockingRecord& record = *download.record;
        lines.prepend(cliMsg(CliMsg::DockedInstrument)
                          .arg(port, record.serialNumber, record.outcome,
                               QDir::toNativeSeparators(record.resultFile)));
    }
    for (const QString& line : std::as_const(lines))
        download.failed ? console::err(line) : console::out(line);
}
