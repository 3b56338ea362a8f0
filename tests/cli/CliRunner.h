#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// The built vexa-cli and vexa-sim as a user runs them: separate processes, the simulator on
// a pseudo-terminal whose path the tool is given.

// One vexa-sim process, ended (SIGTERM) with the object.
class SimProcess {
public:
    // `transcript` receives every line the instrument got; empty for none.
    explicit SimProcess(const QStringList& arguments, const QString& transcript = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const QString& path() const { return m_path; }
    // The lines the instrument received, without their line end, 8-bit bytes escaped.
    QStringList received() const;

private:
    QProcess m_process;
    QString m_path;
    QString m_transcript;
};

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// vexa-cli set up as runCli starts it, for a test that drives the process itself.
void prepareCli(QProcess& process, const QStringList& arguments, const QStringList& ports = {},
                const QList<QPair<QString, QString>>& extra = {});

// Runs vexa-cli to its end. `ports` becomes VEXA_EXTRA_PORTS; `extra` adds or replaces
// variables (an empty value removes one).
CliRun runCli(const QStringList& arguments, const QStringList& ports = {},
              const QList<QPair<QString, QString>>& extra = {}, int timeoutMs = 60000);
