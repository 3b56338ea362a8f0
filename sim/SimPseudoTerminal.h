#pragma once

#include <QString>

// The instrument's end of a pseudo-terminal pair, for the simulator and for the tests that
// play the far end themselves. The master is raw and non-blocking; one slave descriptor
// stays open for the pair's whole life, because without it every read on the master fails
// with EIO between two openings of the program's port.
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
    // The pair's own slave descriptor: the line settings the program left and the bytes
    // waiting for it are seen through it.
    int slaveFd() const { return m_slave; }
    QString slavePath() const { return m_slavePath; }
    QString linkPath() const { return m_linkPath; }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_linkPath;
};
