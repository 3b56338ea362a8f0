#pragma once

#include "archive/ArchiveLocation.h"

#include <QSqlDatabase>

// The archive's tables, created on first use and brought up to date by numbered
// migrations, each recorded in schema_version once it has run.

// The version this program writes and reads.
int latestSchemaVersion();

// Runs the migrations the archive lacks, all in one transaction that writers of other PCs
// wait for; throws ArchiveError when the archive is newer than this program.
void migrateArchive(QSqlDatabase& db, ArchiveLocation::Engine engine, const QString& archiveName);
