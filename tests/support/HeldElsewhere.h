#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A second program holding a port for as long as this lives: through Qt's lock file, or
// (`plain`) with a bare open, as a terminal program that takes no lock does. Needs
// PORT_HOLDER, the path of the built port-holder.
class HeldElsewhere {
public:
    explicit HeldElsewhere(const QString& port, bool plain = false) {
        QStringList arguments{port};
        if (plain)
            arguments.prepend(QStringLiteral("--plain"));
        m_process.start(QStringLiteral(PORT_HOLDER), arguments);
        if (!m_process.waitForStarted(5000))
            return;
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(5000))
                return;
        m_held = m_process.readLine().trimmed() == "held";
    }
    ~HeldElsewhere() {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished();
    }
    HeldElsewhere(const HeldElsewhere&) = delete;
    HeldElsewhere& operator=(const HeldElsewhere&) = delete;

    bool held() const { return m_held; }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
    bool m_held = false;
};
