#include "ProcessSignals.h"

#include <csignal>

namespace ostrel {

void ProcessSignals::IgnoreBrokenPipes()
{
    std::signal(SIGPIPE, SIG_IGN);
}

} // namespace ostrel
