#pragma once

#include "link/InstrumentSearch.h"

class CommandExchange;
class OperatorFeedback;

// The search as the window runs it from its timer: the status window says it is under way
// and goes again whichever way the search ends. The result is searchInstrument's.
// `record`, when given, tells what the search met on each port.
OperationResult searchWithStatus(CommandExchange& exchange, OperatorFeedback& feedback,
                                 const PortLister& listPorts = {}, SearchRecord* record = nullptr);
