#pragma once

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class TFormMain;
class TFormPassword;

// The program's main window as the program entry makes it, working in a temporary folder
// and searching the ports given. Every information dialog and error report is answered
// as soon as it shows, as an operator who reads nothing would.
class ProgramWindow : public QObject {
    Q_OBJECT
public:
    ProgramWindow();
    ~ProgramWindow() override;

    // Makes and shows the window; true once the start-up search has said its message.
    bool start(const QStringList& ports);
    TFormMain& main() { return *m_main; }
    // Clicks menu entry `index`, as the operator does.
    void chooseMenu(int index);
    QString folder() const { return m_dir.path(); }

    // Waits, running the event loop, until `count` messages have been answered in all.
    bool waitForMessages(int count, int timeoutMs = 60000);
    int messages() const { return m_messages; }
    QString lastMessage() const { return m_lastMessage; }

    // The Lecture entry, then "Transfert" into `resultPath`; the number of memo lines.
    int transfer(const QString& resultPath);

Q_SIGNALS:
    void answered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TFormMain> m_main;
    std::unique_ptr<TFormPassword> m_password;
    int m_messages = 0;
    QString m_lastMessage;
};
