#include "PostgresServer.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace {

const QString kUser = QStringLiteral("vexa");

struct Account {
    uid_t uid;
    gid_t gid;
};

// Who the server runs as: this process's user, or "nobody" for root.
Account serverAccount() {
    if (::geteuid() != 0)
        return {::geteuid(), ::getegid()};
    const passwd* nobody = ::getpwnam("nobody");
    return {nobody ? nobody->pw_uid : 65534, nobody ? nobody->pw_gid : 65534};
}

void becomeServerAccount(QProcess& process) {
    process.setChildProcessModifier([] {
        if (::geteuid() != 0)
            return;
        const Account account = serverAccount();
        if (::setgroups(0, nullptr) != 0 || ::setgid(account.gid) != 0 ||
            ::setuid(account.uid) != 0)
            ::_exit(126);
    });
}

} // namespace

QString PostgresServer::binaryFolder() {
    const QString given = qEnvironmentVariable("VEXA_PG_BIN");
    if (!given.isEmpty())
        return given;
    QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(versions.begin(), versions.end(), numeric);
    for (auto v = versions.crbegin(); v != versions.crend(); ++v) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(*v);
        if (QFileInfo(bin + QStringLiteral("/pg_ctl")).isExecutable())
            return bin;
    }
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("pg_ctl"));
    return onPath.isEmpty() ? QString() : QFileInfo(onPath).absolutePath();
}

PostgresServer::PostgresServer() : m_bin(binaryFolder()) {
    if (m_bin.isEmpty()) {
        m_failure = QStringLiteral("no PostgreSQL server binaries (initdb, pg_ctl): install the "
                                   "package postgresql (scripts/install-deps.sh does)");
        return;
    }
    const Account account = serverAccount();
    if (!m_dir.isValid() ||
        ::chown(QFile::encodeName(m_dir.path()).constData(), account.uid, account.gid) != 0) {
        m_failure = QStringLiteral("cannot prepare the folder %1").arg(m_dir.path());
        return;
    }
    const QString data = m_dir.filePath(QStringLiteral("data"));
    // Durability is not what is tested here: without fsync the cluster starts in a moment.
    if (!run(QStringLiteral("initdb"),
             {QStringLiteral("--pgdata=") + data, QStringLiteral("--username=") + kUser,
              QStringLiteral("--auth=trust"), QStringLiteral("--no-sync"),
              QStringLiteral("--encoding=UTF8"), QStringLiteral("--no-locale")}))
        return;

    // Started before the server, so that nothing can leave the server behind.
    m_guard = std::make_unique<QProcess>();
    m_guard->start(QStringLiteral("/bin/sh"),
                   {QStringLiteral("-c"),
                    QStringLiteral("cat >/dev/null; pid=$(head -n 1 \"$1\" 2>/dev/null) && "
                                   "kill -QUIT \"$pid\" 2>/dev/null; exit 0"),
                    QStringLiteral("guard"), data + QStringLiteral("/postmaster.pid")});
    if (!m_guard->waitForStarted()) {
        m_failure = QStringLiteral("cannot start the guard process");
        return;
    }
    m_started = run(QStringLiteral("pg_ctl"),
                    {QStringLiteral("start"), QStringLiteral("--wait"), QStringLiteral("--silent"),
                     QStringLiteral("--pgdata=") + data,
                     QStringLiteral("--log=") + m_dir.filePath(QStringLiteral("server.log")),
                     QStringLiteral("--options=-c listen_addresses='' -k ") + m_dir.path() +
                         QStringLiteral(" -c fsync=off -c synchronous_commit=off"
                                        " -c full_page_writes=off")});
    if (!m_started) {
        QFile log(m_dir.filePath(QStringLiteral("server.log")));
        if (log.open(QIODevice::ReadOnly))
            m_failure += QString::fromLocal8Bit(log.readAll());
    }
}

PostgresServer::~PostgresServer() {
    if (m_started)
        run(QStringLiteral("pg_ctl"),
            {QStringLiteral("stop"), QStringLiteral("--wait"), QStringLiteral("--silent"),
             QStringLiteral("--mode=immediate"),
             QStringLiteral("--pgdata=") + m_dir.filePath(QStringLiteral("data"))});
    if (m_guard) {
        m_guard->closeWriteChannel();
        m_guard->waitForFinished();
    }
}

bool PostgresServer::run(const QString& program, const QStringList& arguments) {
    QProcess process;
    becomeServerAccount(process);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(m_dir.path());
    process.start(m_bin + QLatin1Char('/') + program, arguments);
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0)
        return true;
    m_failure +=
        QStringLiteral("%1 failed (%2): %3\n")
            .arg(program, process.errorString(), QString::fromLocal8Bit(process.readAll()));
    return false;
}

QString PostgresServer::url(const QString& database) {
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("admin"));
        db.setHostName(m_dir.path());
        db.setUserName(kUser);
        db.setDatabaseName(QStringLiteral("postgres"));
        QSqlQuery create(db);
        if (!db.open())
            m_failure = db.lastError().text();
        else if (!create.exec(QStringLiteral("CREATE DATABASE ") + database))
            m_failure = create.lastError().text();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
    return QStringLiteral("postgresql://%1@/%2?host=%3").arg(kUser, database, m_dir.path());
}
