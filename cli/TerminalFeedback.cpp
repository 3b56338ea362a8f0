#include "cli/TerminalFeedback.h"

#include "cli/Console.h"
#include "common/TerminalText.h"

#include <algorithm>
#include <utility>

TerminalFeedback::TerminalFeedback(bool redrawInPlace) : m_redraw(redrawInPlace) {}

TerminalFeedback::~TerminalFeedback() {
    clearDrawn();
}

void TerminalFeedback::AfficheInfo(const QString& texte) {
    m_status = texte;
    if (!m_shown)
        return;
    if (m_redraw)
        draw();
    else if (!m_inProgress)
        printPlain(m_status);
}

void TerminalFeedback::showStatus() {
    m_shown = true;
    if (m_redraw)
        draw();
    else
        printPlain(m_status);
}

void TerminalFeedback::hideStatus() {
    clearDrawn();
    m_shown = false;
    m_inProgress = false;
    m_bar.clear();
    m_lastFile = 0;
}

void TerminalFeedback::showInformation(const QString& message) {
    // The message comes after the status line, which is gone by then in the window too.
    // The command prints the outcome with its result.
    Q_UNUSED(message);
    clearDrawn();
}

void TerminalFeedback::progress(int fileCounter, int fileCount, int measurementCounter) {
    Q_UNUSED(measurementCounter);
    m_inProgress = true;
    // The file counter may run past the count the instrument gave.
    m_bar = progressBar(std::min(fileCounter - 1, fileCount), fileCount);
    if (m_redraw) {
        draw();
    } else if (fileCounter != m_lastFile) {
        printPlain(m_status);
    }
    m_lastFile = fileCounter;
}

void TerminalFeedback::draw() {
    if (!m_shown)
        return;
    // Back to the line's start, the new text, the rest of the old one erased.
    console::errRaw(u'\r' + m_bar + terminalSafe(m_status) + QStringLiteral("\x1b[K"));
    m_drawn = true;
}

void TerminalFeedback::clearDrawn() {
    if (!m_drawn)
        return;
    console::errRaw(QStringLiteral("\r\x1b[K"));
    m_drawn = false;
}

void TerminalFeedback::printPlain(const QString& line) {
    if (line.isEmpty() || line == m_lastPrinted)
        return;
    m_lastPrinted = line;
    console::err(line);
}

QString progressBar(int done, int total, int width) {
    const int filled = total > 0 ? std::clamp(done * width / total, 0, width) : 0;
    return u'[' + QString(filled, u'#') + QString(width - filled, u'.') + QStringLiteral("] ");
}
