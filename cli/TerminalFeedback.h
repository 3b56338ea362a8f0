#pragma once

#include "common/OperatorFeedback.h"
#include "operations/MeasurementTransfer.h"

#include <QString>
#include <QStringList>

// The window's status window and information dialog, on a terminal. The status text goes
// to standard error: redrawn in place on a terminal, with a bar of the files read during a
// transfer, or as plain lines when standard error is a file or a pipe (one per file of a
// transfer, not one per measurement). The information messages are left to the command,
// which prints the outcome with its result: nobody is there to press "Ok", and nothing is
// asked.
class TerminalFeedback : public OperatorFeedback, public TransferView {
public:
    explicit TerminalFeedback(bool redrawInPlace);
    ~TerminalFeedback() override;

    void AfficheInfo(const QString& texte) override;
    void showStatus() override;
    void hideStatus() override;
    void showInformation(const QString& message) override;
    void setMainWindowEnabled(bool enabled) override { Q_UNUSED(enabled); }

    void clearLines() override {}
    void appendLine(const QString& line) override { Q_UNUSED(line); }
    void progress(int fileCounter, int fileCount, int measurementCounter) override;

private:
    void draw();
    void clearDrawn();
    void printPlain(const QString& line);

    bool m_redraw;
    bool m_shown = false;
    bool m_drawn = false;
    QString m_status;
    QString m_bar;
    QString m_lastPrinted;
    int m_lastFile = 0;
    bool m_inProgress = false;
};

// "[#######.................] " for `done` of `total`.
QString progressBar(int done, int total, int width = 24);
