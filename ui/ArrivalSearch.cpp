#include "ui/ArrivalSearch.h"

#include "link/PortWatcher.h"

#include <QApplication>
#include <QWidget>

ArrivalSearch::ArrivalSearch(QWidget* window, QObject* parent)
    : QObject(parent), m_window(window), m_watcher(new PortWatcher(this)) {
    setObjectName(QStringLiteral("ArrivalSearch"));
    connect(m_watcher, &PortWatcher::portAppeared, this, &ArrivalSearch::portAppeared);
}

void ArrivalSearch::setPromptShown(bool shown) {
    // A port already there when the prompt came has been searched: only newcomers count.
    if (shown)
        m_watcher->start();
    else
        m_watcher->stop();
}

bool ArrivalSearch::isWatching() const {
    return m_watcher->isRunning();
}

void ArrivalSearch::portAppeared() {
    // The password dialog disables the window; any other dialog is modal.
    if (!m_window->isEnabled() || QApplication::activeModalWidget())
        return;
    Q_EMIT searchRequested();
}
