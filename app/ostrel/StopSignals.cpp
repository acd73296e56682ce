#include "StopSignals.h"

#include "app/common/ProcessSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace ostrel {

namespace {

// The handler may only write to a pipe; one object is active at a time.
int g_writeEnd = -1;
constexpr auto kSignals = ProcessSignals::kStopSignals;
constexpr int kSignalCount = static_cast<int>(kSignals.size());
struct sigaction g_previous[kSignalCount];

extern "C" void onSignal(int signal)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    if (g_writeEnd >= 0) {
        [[maybe_unused]] const auto written = ::write(g_writeEnd, &byte, 1);
    }
    // A second signal ends the program at once.
    ::signal(signal, SIG_DFL);
    errno = saved;
}

} // namespace

StopSignals::StopSignals()
{
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::readSignal);
    struct sigaction action {};
    action.sa_handler = &onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i)
        ::sigaction(kSignals[i], ProcessSignals::Ignored(kSignals[i]) ? nullptr : &action, &g_previous[i]);
}

StopSignals::~StopSignals()
{
    if (m_pipe[0] < 0)
        return;
    for (int i = 0; i < kSignalCount; ++i)
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    g_writeEnd = -1;
    delete m_notifier;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

QString StopSignals::Name(int signal)
{
    switch (signal) {
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    case SIGHUP:
        return QStringLiteral("SIGHUP");
    default:
        return QStringLiteral("signal %1").arg(signal);
    }
}

void StopSignals::readSignal()
{
    unsigned char byte = 0;
    while (::read(m_pipe[0], &byte, 1) == 1) {
        if (m_signal != 0)
            continue;
        m_signal = byte;
        if (onStop)
            onStop(m_signal);
    }
}

} // namespace ostrel
