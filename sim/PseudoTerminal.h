#pragma once
// A pseudo-terminal pair in raw mode. The simulator keeps a descriptor of the slave side open
// itself, so the master never sees a hang-up between two links opening the slave.
#include <QString>
#include <termios.h>

namespace nb4410sim {

class PseudoTerminal {
public:
    PseudoTerminal(); // fails with std::runtime_error
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int MasterFd() const { return m_master; }
    QString SlavePath() const { return m_slavePath; }
    // Closes both sides: whoever has the slave open sees the line go dead.
    void HangUp();
    // Back to the raw settings the terminal was made with. A client that dies does not
    // restore what it set, and what it leaves (parity bits a pseudo-terminal half keeps) makes
    // the next client's open fail; so every new session starts from here.
    void ResetLine();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    termios m_pristine{};
};

} // namespace nb4410sim
