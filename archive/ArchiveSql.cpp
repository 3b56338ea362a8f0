#include "archive/ArchiveSql.h"

#include "archive/ArchiveError.h"
#include "common/Messages.h"

#include <QSqlError>

namespace {

[[noreturn]] void fail(const QString& archiveName, const QSqlError& error) {
    throw ArchiveError(msg(MsgId::ArchiveRequestFailed).arg(archiveName, error.text()));
}

} // namespace

QSqlQuery runQuery(QSqlDatabase& db, const QString& archiveName, const QString& sql,
                   const QVariantList& values) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // PostgreSQL prepares no table definitions: a query without values runs as it is.
    if (values.isEmpty()) {
        if (!query.exec(sql))
            fail(archiveName, query.lastError());
        return query;
    }
    if (!query.prepare(sql))
        fail(archiveName, query.lastError());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        fail(archiveName, query.lastError());
    return query;
}

WriteTransaction::WriteTransaction(QSqlDatabase& db, ArchiveLocation::Engine engine,
                                   QString archiveName)
    : m_db(db), m_engine(engine), m_archiveName(std::move(archiveName)) {
    if (m_engine == ArchiveLocation::Engine::Sqlite) {
        QSqlQuery begin(m_db);
        if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE")))
            fail(m_archiveName, begin.lastError());
    } else if (!m_db.transaction()) {
        fail(m_archiveName, m_db.lastError());
    }
    m_open = true;
}

WriteTransaction::~WriteTransaction() {
    if (!m_open)
        return;
    if (m_engine == ArchiveLocation::Engine::Sqlite)
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
    else
        m_db.rollback();
}

void WriteTransaction::commit() {
    bool committed = false;
    QSqlError error;
    if (m_engine == ArchiveLocation::Engine::Sqlite) {
        QSqlQuery query(m_db);
        committed = query.exec(QStringLiteral("COMMIT"));
        error = query.lastError();
    } else {
        committed = m_db.commit();
        error = m_db.lastError();
    }
    if (!committed)
        fail(m_archiveName, error);
    m_open = false;
}
