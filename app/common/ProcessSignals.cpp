#include "ProcessSignals.h"

#include <csignal>

namespace ostrel {

void ProcessSignals::IgnoreBrokenPipes()
{
    std::signal(SIGPIPE, SIG_IGN);
}

bool ProcessSignals::Ignored(int signal)
{
    struct sigaction current {};
    return ::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

} // namespace ostrel
