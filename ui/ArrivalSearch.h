#pragma once

#include <QObject>

class PortWatcher;
class QWidget;

// The connection prompt waits for an instrument: a serial port that appears meanwhile starts
// the search by itself, once, after the settle time, as "Connexion" would. It watches only
// while the prompt is shown, so the window never wakes for it otherwise; a port that appears
// while the window is disabled or a dialog is open changes nothing.
class ArrivalSearch : public QObject {
    Q_OBJECT
public:
    // `window` is the main window whose state allows the search.
    explicit ArrivalSearch(QWidget* window, QObject* parent = nullptr);

    // The prompt was shown or hidden.
    void setPromptShown(bool shown);
    bool isWatching() const;

Q_SIGNALS:
    // A port appeared while the prompt waited: search as "Connexion" does.
    void searchRequested();

private:
    void portAppeared();

    QWidget* m_window;
    PortWatcher* m_watcher;
};
