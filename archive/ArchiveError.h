#pragma once

#include "common/Errors.h"

// The archive refused a request or could not be used; the message says which archive and
// why, and never holds a password.
class ArchiveError : public VexaError {
public:
    using VexaError::VexaError;
};

// The archive could not be reached at all (no server, no folder, no driver): the download
// waits in the spool instead.
class ArchiveUnreachableError : public ArchiveError {
public:
    using ArchiveError::ArchiveError;
};
