#pragma once

#include <QList>
#include <functional>

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
// the panel shown then runs its entry step. The home panel is there from the start; the
// others are made the first time their entry shows them, since most sessions never visit
// some of them and each costs start-up time.
class PanelNavigation {
public:
    struct Panels {
        HomePanel* home;
        IdentityBox* identity;
    };
    // Each makes its panel, placed and wired into the window; called once at most.
    struct Builders {
        std::function<TransferPanel*()> transfer;
        std::function<InstrumentPanel*()> instrument;
        std::function<ParameterFilePanel*()> parameterFile;
    };

    PanelNavigation(CommandExchange& exchange, OperatorFeedback& feedback, Panels panels,
                    Builders builders);

    // The panels made so far, in menu order: home, transfer, instrument, parameter file.
    QList<QWidget*> panels() const;
    // The panels made so far; null until their entry first shows them.
    TransferPanel* transfer() const { return m_transfer; }
    InstrumentPanel* instrument() const { return m_instrument; }
    ParameterFilePanel* parameterFile() const { return m_parameterFile; }

    // Shows menu entry `index`'s panel, or none for the last entry (the password); returns
    // the entry whose panel is shown.
    int choose(int index);
    void showHomePanel();
    // The identity from the last reply in the identification box.
    void showIdentity();
    // "Transfert" becomes usable once an instrument has been found, made or not yet.
    void enableTransfer();

private:
    // Entry `index`'s panel (1 to 3), made on the first call.
    QWidget* panel(int index);

    CommandExchange& m_exchange;
    OperatorFeedback& m_feedback;
    Panels m_panels;
    Builders m_builders;
    TransferPanel* m_transfer = nullptr;
    InstrumentPanel* m_instrument = nullptr;
    ParameterFilePanel* m_parameterFile = nullptr;
    bool m_transferEnabled = false;
};
