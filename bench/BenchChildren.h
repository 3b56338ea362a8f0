#pragma once

#include <QString>

// The measurements that need a fresh process of their own; each is this benchmark
// started again with a mode option, and tells the parent on its standard output.

// `--startup program|bare`: prints "shown" at the window's first paint and ends at once.
int startupChild(const QString& kind, int argc, char** argv);

// `--idle bare|home|initialisation [PORT]`: the window at rest (after the start-up search
// on PORT, and for "initialisation" a visit to that panel and back); prints "idle" and
// runs until killed.
int idleChild(const QString& kind, const QString& port, int argc, char** argv);

// `--memory PORT FILE`: one transfer of the whole memory; prints the peak resident
// megabytes and the memo's line count.
int memoryChild(const QString& port, const QString& resultPath, int argc, char** argv);
