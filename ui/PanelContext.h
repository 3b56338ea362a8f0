#pragma once

class CommandExchange;
class FileDialogs;
class OperationGate;
class OperatorFeedback;

// What the panels' handlers work with, owned by the main window: the exchange with the
// instrument (and through it the port), the operator feedback, the file dialogs and the
// gate that lets one operation run at a time.
struct PanelContext {
    CommandExchange& exchange;
    OperatorFeedback& feedback;
    FileDialogs& dialogs;
    OperationGate& gate;
};
