#pragma once

#include <QString>

// Where the archive lives, from its address: "sqlite:PATH", or a PostgreSQL connection URI
// as libpq writes it ("postgresql://user@host:port/db",
// "postgresql://user@/db?host=/run/postgresql", other parameters such as sslmode passed through). A
// password is never taken from an address: libpq reads it from ~/.pgpass, PGPASSFILE or the
// environment.
struct ArchiveLocation {
    enum class Engine { Sqlite, Postgres };

    Engine engine = Engine::Sqlite;
    QString sqlitePath;     // SQLite: the database file
    QString host;           // PostgreSQL: a host name, an address, or a socket folder
    int port = -1;          // PostgreSQL: -1 for libpq's default
    QString user;           // PostgreSQL: empty for libpq's default
    QString database;       // PostgreSQL: empty for libpq's default
    QString connectOptions; // PostgreSQL: the other parameters, as Qt's driver takes them

    // The archive as messages name it: the file, or user@host:port/database.
    QString display() const;
};

// Reads an archive address; throws ArchiveError when it is malformed or holds a password
// (the message never repeats the address, which may hold one).
ArchiveLocation parseArchiveUrl(const QString& url);

// The address in VEXA_ARCHIVE, empty when the variable is unset or blank.
QString archiveUrlFromEnvironment();
