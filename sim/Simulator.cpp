#include "Simulator.h"

#include "host/core/ComError.h"

#include <stdexcept>

namespace nb4410sim {

Simulator::~Simulator()
{
    Stop();
}

QString Simulator::Start(const QHash<QString, QString>& options)
{
    SimulatorOptions parsed;
    try {
        parsed = SimulatorOptions::fromMap(options);
    } catch (const std::invalid_argument& e) {
        throw ostrel::ComError(ostrel::kE_InvalidArg, QStringLiteral("OstrelSim.Simulator"),
                               QStringLiteral("Simulator option: %1").arg(QString::fromLocal8Bit(e.what())));
    }
    try {
        return Start(parsed);
    } catch (const std::runtime_error& e) {
        throw ostrel::ComError(ostrel::kE_Fail, QStringLiteral("OstrelSim.Simulator"),
                               QStringLiteral("Simulator: %1").arg(QString::fromLocal8Bit(e.what())));
    }
}

QString Simulator::Start(const SimulatorOptions& options)
{
    Stop();
    std::lock_guard lock(m_mutex);
    m_pty = std::make_unique<PseudoTerminal>();
    m_server = std::make_unique<SimulatorServer>(options);
    PseudoTerminal* pty = m_pty.get();
    m_server->Start(pty->MasterFd(), [pty] { pty->HangUp(); }, [pty] { pty->ResetLine(); });
    return pty->SlavePath();
}

void Simulator::Serve(int fd, const SimulatorOptions& options)
{
    Stop();
    std::lock_guard lock(m_mutex);
    m_server = std::make_unique<SimulatorServer>(options);
    m_server->Start(fd, nullptr);
}

void Simulator::Stop()
{
    std::lock_guard lock(m_mutex);
    m_server.reset(); // joins the serving thread before the terminal goes
    m_pty.reset();
}

QString Simulator::DevicePath() const
{
    std::lock_guard lock(m_mutex);
    return m_pty ? m_pty->SlavePath() : QString();
}

int Simulator::Exchanges() const
{
    std::lock_guard lock(m_mutex);
    return m_server ? m_server->Exchanges() : 0;
}

} // namespace nb4410sim

namespace nb4410sim {

bool Simulator::TestRunning() const
{
    std::lock_guard lock(m_mutex);
    return m_server && m_server->TestRunning();
}

} // namespace nb4410sim

namespace nb4410sim {

bool Simulator::Serving() const
{
    std::lock_guard lock(m_mutex);
    return m_server && m_server->Serving();
}

} // namespace nb4410sim
