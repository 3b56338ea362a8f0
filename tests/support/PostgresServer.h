#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A PostgreSQL server of the test's own: a fresh cluster in a temporary folder, reached
// only through a Unix socket in that folder, trusting its one user. The server runs as an
// ordinary user ("nobody" when the test runs as root, which initdb refuses), and stops when
// the object goes, or when the test process dies whichever way: a guard process waits on a
// pipe from the test and stops the server when the pipe closes.
class PostgresServer {
public:
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // Empty when the server runs; otherwise what went wrong, with the tools' output.
    const QString& failure() const { return m_failure; }

    // postgresql://vexa@/DATABASE?host=FOLDER, a database created empty on the first call.
    QString url(const QString& database);

    // The folder with the server binaries (initdb, pg_ctl), empty when none is installed:
    // VEXA_PG_BIN, the newest of Debian's /usr/lib/postgresql/*/bin, or the PATH.
    static QString binaryFolder();

private:
    bool run(const QString& program, const QStringList& arguments);

    QTemporaryDir m_dir;
    QString m_bin;
    QString m_failure;
    bool m_started = false;
    std::unique_ptr<QProcess> m_guard;
};
