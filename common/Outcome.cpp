#include "common/Outcome.h"

#include "common/Messages.h"

namespace {

QString doneMessage(const OperationResult& result) {
    switch (result.operation) {
    case Operation::Search:
        return msg(MsgId::DetectedOn).arg(result.port);
    case Operation::Transfer:
    case Operation::SpecificRead:
        return msg(MsgId::ReadDone);
    case Operation::SpecificWrite:
        return msg(MsgId::SpecificWriteDone);
    case Operation::Clock:
        return msg(MsgId::ClockDone);
    case Operation::Erase:
        return msg(MsgId::EraseDone);
    case Operation::Send:
        return msg(MsgId::SendDone);
    }
    return {};
}

QString firstMessage(const OperationResult& result) {
    switch (result.outcome) {
    case Outcome::Done:
        return doneMessage(result);
    case Outcome::NoInstrument:
        return msg(MsgId::NotDetected);
    case Outcome::NoAnswer:
        return msg(MsgId::NoAnswer);
    case Outcome::CommError:
        // The line that went away says how; a silent instrument has no more to say.
        return result.reason.isEmpty() ? msg(MsgId::CommError) : result.reason;
    case Outcome::ReadError:
        return msg(MsgId::ReadError);
    case Outcome::EmptyMemory:
        return msg(MsgId::NoMeasurement);
    case Outcome::InstrumentError:
        return msg(MsgId::UnknownCommand);
    case Outcome::InvalidFile:
        return msg(MsgId::InvalidFile);
    case Outcome::FileError:
    case Outcome::PortBusy:
        return result.reason;
    case Outcome::Cancelled:
        return {};
    }
    return {};
}

} // namespace

QString outcomeMessage(const OperationResult& result) {
    QString message = firstMessage(result);
    // The operator may have agreed to replace it: say why it is still there.
    if (!result.keptFile.isEmpty())
        message += QStringLiteral("\r\n") + msg(MsgId::EarlierFileKept).arg(result.keptFile);
    return message;
}
