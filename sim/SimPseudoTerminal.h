#pragma once

#include <QString>

// The simulator's end of a pseudo-terminal pair. The master is raw and non-blocking;
// one slave descriptor stays open for the pair's whole life, because without it every
// read on the master fails with EIO between two openings of the program's port.
class SimPseudoTerminal {
public:
    SimPseudoTerminal() = default;
    SimPseudoTerminal(const SimPseudoTerminal&) = delete;
    SimPseudoTerminal& operator=(const SimPseudoTerminal&) = delete;
    ~SimPseudoTerminal() { close(); }

    // Opens a new pair and, when `linkPath` is not empty, points a symbolic link there at
    // the slave (an existing link is replaced; any other file in the way is an error).
    // Raises VexaError on failure, leaving nothing open.
    void open(const QString& linkPath);
    // Closes both descriptors, which the far end sees as a hang-up, and removes the link
    // if it still points at this pair.
    void close();

    bool isOpen() const { return m_master >= 0; }
    int masterFd() const { return m_master; }
    QString slavePath() const { return m_slavePath; }
    QString linkPath() const { return m_linkPath; }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_linkPath;
};
