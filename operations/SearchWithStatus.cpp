#include "operations/SearchWithStatus.h"

#include "common/Messages.h"
#include "common/OperatorFeedback.h"
#include "common/RestoreGuard.h"

OperationResult searchWithStatus(CommandExchange& exchange, OperatorFeedback& feedback,
                                 const PortLister& listPorts, SearchRecord* record) {
    feedback.AfficheInfo(msg(MsgId::Searching));
    feedback.showStatus();
    RestoreGuard status;
    status.add([&feedback] { feedback.hideStatus(); });
    return searchInstrument(exchange, listPorts, record);
}
