#pragma once

#include "cli/ArchiveHook.h"
#include "operations/DockingLedger.h"

#include <QString>
#include <QStringList>

#include <optional>

class InstrumentSession;

// What the watcher does with every instrument that is docked.
struct DockingOptions {
    QString folder;
    bool setClock = false;
    bool eraseAfterDownload = false;
    // Where each download goes besides the folder; the memory is erased only once it is there.
    std::optional<ArchiveTarget> archive;
};

// One port that appeared, handled as `transfer --every-instrument` handles each port: the
// presence check and identity, the window's transfer into a result file of its own, then the
// clock and the erase asked for.
struct DockedDownload {
    // Set when an instrument answered: the ledger's line.
    std::optional<DockingRecord> record;
    QString resultPath; // empty when none was written
    QStringList lines;  // the lines received, as written
    // For the operator: the outcome, the port's record and fix, why the memory was kept.
    QStringList report;
    bool failed = false; // the report is about something that went wrong
};

DockedDownload downloadDocked(InstrumentSession& session, const QString& port,
                              const DockingOptions& options);

// A result name in `folder` no file there has yet, compared case-folded: VEXAyymmddhhnn-
// <serial>.txt, then -2, -3... A re-plugged instrument never replaces its earlier file.
QString freeResultPath(const QString& folder, const QString& serialNumber, const QString& port);
