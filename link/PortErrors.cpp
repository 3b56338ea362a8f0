#include "link/PortErrors.h"

#include "link/PortDiagnosis.h"
#include "link/PortReport.h"

#include <cerrno>
#include <memory>

namespace {

EComPort carrying(EComPort error, PortAttempt attempt) {
    auto record = std::make_shared<PortAttempt>(std::move(attempt));
    error.setDetail(openFailureDetail(*record));
    error.setAttempt(std::move(record));
    return error;
}

} // namespace

EComPort openFailure(const QString& name, qint64 systemError) {
    return carrying(EComPort(CE_OpenFailed, systemError), diagnoseOpenFailure(name, systemError));
}

void refuseBusyPort(const QString& name, const SystemFacts& facts) {
    std::optional<PortAttempt> attempt = busyPort(name, facts);
    if (!attempt)
        return;
    // The number Qt gives for a port whose lock is held: one busy port, one error.
    EComPort error(CE_OpenFailed, EACCES);
    attempt->error = error.message();
    throw carrying(std::move(error), std::move(*attempt));
}
