#include "PseudoTerminal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace nb4410sim {

namespace {

[[noreturn]] void fail(const char* what)
{
    throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

void makeRaw(int fd)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        fail("tcgetattr");
    cfmakeraw(&tio); // the speed stays: a pseudo-terminal has none, the simulator paces itself
    if (tcsetattr(fd, TCSANOW, &tio) != 0)
        fail("tcsetattr");
}

} // namespace

PseudoTerminal::PseudoTerminal()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        fail("posix_openpt");
    char name[128] = {};
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0 || ptsname_r(m_master, name, sizeof name) != 0) {
        const int saved = errno;
        ::close(m_master);
        errno = saved;
        fail("pseudo-terminal");
    }
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        const int saved = errno;
        ::close(m_master);
        errno = saved;
        fail("open slave");
    }
    makeRaw(m_slave);
    tcgetattr(m_slave, &m_pristine);
    const int flags = fcntl(m_master, F_GETFL);
    fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal()
{
    HangUp();
}

void PseudoTerminal::ResetLine()
{
    if (m_slave >= 0)
        tcsetattr(m_slave, TCSANOW, &m_pristine);
}

void PseudoTerminal::HangUp()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
}

} // namespace nb4410sim
