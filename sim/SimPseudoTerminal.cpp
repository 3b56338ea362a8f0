#include "sim/SimPseudoTerminal.h"

#include "common/Errors.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemError(const QString& what) {
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

void makeLink(const QString& linkPath, const QString& target) {
    const QByteArray link = QFile::encodeName(linkPath);
    const QFileInfo info(linkPath);
    if (info.isSymLink()) {
        ::unlink(link.constData());
    } else if (info.exists()) {
        throw VexaError(
            QStringLiteral("Cannot make the link %1: a file is in the way").arg(linkPath));
    }
    if (::symlink(QFile::encodeName(target).constData(), link.constData()) != 0)
        throw VexaError(systemError(QStringLiteral("Cannot make the link ") + linkPath));
}

} // namespace

void SimPseudoTerminal::open(const QString& linkPath) {
    close();
    try {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0)
            throw VexaError(systemError(QStringLiteral("Cannot open a pseudo-terminal")));
        char name[256];
        if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 ||
            ::ptsname_r(m_master, name, sizeof name) != 0)
            throw VexaError(systemError(QStringLiteral("Cannot prepare the pseudo-terminal")));
        m_slavePath = QFile::decodeName(name);
        m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_slave < 0)
            throw VexaError(systemError(QStringLiteral("Cannot open ") + m_slavePath));

        // Raw both ways: no echo of what the program writes, no CR/LF translation, no
        // signal characters. The program sets its own mode when it opens the port, but
        // bytes exchanged before that must pass untouched too.
        termios mode{};
        if (::tcgetattr(m_master, &mode) != 0)
            throw VexaError(systemError(QStringLiteral("Cannot read the terminal mode")));
        ::cfmakeraw(&mode);
        ::cfsetspeed(&mode, B38400);
        if (::tcsetattr(m_master, TCSANOW, &mode) != 0)
            throw VexaError(systemError(QStringLiteral("Cannot set the terminal mode")));
        const int flags = ::fcntl(m_master, F_GETFL);
        if (flags < 0 || ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0)
            throw VexaError(systemError(QStringLiteral("Cannot make the line non-blocking")));

        if (!linkPath.isEmpty()) {
            makeLink(linkPath, m_slavePath);
            m_linkPath = linkPath;
        }
    } catch (...) {
        close();
        throw;
    }
}

void SimPseudoTerminal::close() {
    if (!m_linkPath.isEmpty()) {
        if (QFileInfo(m_linkPath).symLinkTarget() == QFileInfo(m_slavePath).absoluteFilePath())
            ::unlink(QFile::encodeName(m_linkPath).constData());
        m_linkPath.clear();
    }
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = -1;
    m_slave = -1;
    m_slavePath.clear();
}
