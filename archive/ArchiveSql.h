#pragma once

#include "archive/ArchiveLocation.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// The few steps every request to the archive takes, the same for both engines.

// Prepares and runs a query with its values in order; throws ArchiveError naming the
// archive with the engine's reason.
QSqlQuery runQuery(QSqlDatabase& db, const QString& archiveName, const QString& sql,
                   const QVariantList& values = {});

// One transaction that writes: SQLite takes its write lock at the start (so that two
// writers wait for each other instead of failing half-way), PostgreSQL relies on its row
// locks. Rolled back unless committed.
class WriteTransaction {
public:
    WriteTransaction(QSqlDatabase& db, ArchiveLocation::Engine engine, QString archiveName);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void commit();

private:
    QSqlDatabase& m_db;
    ArchiveLocation::Engine m_engine;
    QString m_archiveName;
    bool m_open = false;
};
