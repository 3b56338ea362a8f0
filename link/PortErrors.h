#pragma once

#include "link/EComPort.h"
#include "link/SystemFacts.h"

#include <QString>

// The errors a port that cannot be used raises: each carries the port's record and, as its
// detail, the sentence a user reads about it.

// Refuses, before anything touches the device, a port that another program has open or
// whose lock file is not a regular file: the error is the one a held port raises, naming
// the holder.
void refuseBusyPort(const QString& name, const SystemFacts& facts = SystemFacts());

// The error a port that would not open raises: the fixed message, the plain second line
// and the diagnosis.
EComPort openFailure(const QString& name, qint64 systemError);
