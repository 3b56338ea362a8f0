#pragma once

#include <QList>

class CommandExchange;
class HomePanel;
class IdentityBox;
class InstrumentPanel;
class OperatorFeedback;
class ParameterFilePanel;
class QWidget;
class TransferPanel;

// The four panels of the main window, one shown at a time, and what choosing one from the
// menu does: every panel but the password's first checks that the instrument still
// answers, and falls back to the home panel and its connection prompt when it does not;
// the panel shown then runs its entry step.
class PanelNavigation {
public:
    struct Panels {
        HomePanel* home;
        TransferPanel* transfer;
        InstrumentPanel* instrument;
        ParameterFilePanel* parameterFile;
        IdentityBox* identity;
    };

    PanelNavigation(CommandExchange& exchange, OperatorFeedback& feedback, Panels panels);

    // In menu order: home, transfer, instrument, parameter file.
    QList<QWidget*> panels() const;
    // Shows menu entry `index`'s panel, or none for the last entry (the password); returns
    // the entry whose panel is shown.
    int choose(int index);
    void showHomePanel();
    // The identity from the last reply in the identification box.
    void showIdentity();

private:
    CommandExchange& m_exchange;
    OperatorFeedback& m_feedback;
    Panels m_panels;
};
