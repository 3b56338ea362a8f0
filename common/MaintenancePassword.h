#pragma once

#include <QString>

// The password that opens maintenance mode: the instrument's own settings and the locked
// measurement settings. One fixed text, the same for the window and the command line.
bool isMaintenancePassword(const QString& typed);
