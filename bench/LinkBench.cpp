// The link's figures, each against a floor measured in the same run: one "GRES" exchange
// through the driver against a bare pseudo-terminal answering with a reply of the real size;
// the poll rate against the paced simulator against the wire limit of the line settings; the
// CPU used while the driver waits out reply windows (the wait must sleep).
#include "BenchSupport.h"

#include "host/datalink/FrameCodec.h"
#include "sim/PseudoTerminal.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace linkbench;

bool readExactly(int fd, char* buffer, size_t size)
{
    size_t done = 0;
    while (done < size) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 1000) <= 0)
            return false;
        const ssize_t n = ::read(fd, buffer + done, size - done);
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The request and a reply of the real size, as the line carries them.
QByteArray gresRequest()
{
    return ostrel::FrameCodec::encode(nb4410::protocol::kGRES, {QStringLiteral("300")});
}
QByteArray gresReply()
{
    return ostrel::FrameCodec::encode(nb4410::protocol::ReplyName(nb4410::protocol::kGRES),
                                      {QStringLiteral("300"), QStringLiteral("0"), QStringLiteral("249.5"), QStringLiteral("0"),
                                       QStringLiteral("0.5"), QStringLiteral("15")});
}
qsizetype replySize(const ostrel::Variant& reply)
{
    QStringList fields;
    for (const ostrel::Variant& field : reply.array().items())
        fields << field.toText();
    return ostrel::FrameCodec::encode(QStringLiteral("gres"), fields).size();
}

// A bare pseudo-terminal whose far end answers every request with a reply of the real size:
// the floor under one exchange.
class ReplyEcho {
public:
    ReplyEcho() : m_client(::open(QFile::encodeName(m_pty.SlavePath()).constData(), O_RDWR | O_NOCTTY))
    {
        m_thread = std::thread([this] {
            const QByteArray reply = gresReply();
            const qsizetype requestSize = gresRequest().size();
            char buffer[256];
            qsizetype pending = 0;
            while (!m_stop) {
                pollfd p{m_pty.MasterFd(), POLLIN, 0};
                if (::poll(&p, 1, 50) <= 0)
                    continue;
                const ssize_t n = ::read(m_pty.MasterFd(), buffer, sizeof buffer);
                for (pending += std::max<ssize_t>(n, 0); pending >= requestSize; pending -= requestSize)
                    [[maybe_unused]] const ssize_t written =
                        ::write(m_pty.MasterFd(), reply.constData(), static_cast<size_t>(reply.size()));
            }
        });
    }
    ~ReplyEcho()
    {
        m_stop = true;
        m_thread.join();
        ::close(m_client);
    }
    bool Exchange(const QByteArray& request, std::vector<char>& back)
    {
        return ::write(m_client, request.constData(), static_cast<size_t>(request.size())) == request.size() &&
               readExactly(m_client, back.data(), back.size());
    }

private:
    nb4410sim::PseudoTerminal m_pty;
    int m_client;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// One GRES exchange through driver, serial port, framing and simulator (no pacing), against
// the same bytes over a bare pseudo-terminal, alternating so both see the same machine load.
void BM_DriverRoundTripOverEcho(benchmark::State& state)
{
    LeakSession session(false);
    ReplyEcho echo;
    const QByteArray request = gresRequest();
    std::vector<char> back(static_cast<size_t>(gresReply().size()));
    ostrel::Variant reply;
    constexpr int kRounds = 200;
    double driverS = 0;
    double echoS = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < kRounds; ++i)
            session.Poll(reply);
        const auto t1 = std::chrono::steady_clock::now();
        for (int i = 0; i < kRounds; ++i)
            if (!echo.Exchange(request, back))
                state.SkipWithError("echo failed");
        const auto t2 = std::chrono::steady_clock::now();
        driverS += std::chrono::duration<double>(t1 - t0).count();
        echoS += std::chrono::duration<double>(t2 - t1).count();
    }
    const double rounds = static_cast<double>(state.iterations()) * kRounds;
    state.counters["driver_us"] = driverS / rounds * 1e6;
    state.counters["echo_us"] = echoS / rounds * 1e6;
    state.counters["ratio"] = driverS / echoS;
    state.counters["reply_bytes"] = static_cast<double>(back.size());
}
BENCHMARK(BM_DriverRoundTripOverEcho)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// Polls of a running leak test against the paced simulator, against the wire limit computed
// from the line settings and the bytes of one exchange.
void BM_PacedPollRate(benchmark::State& state)
{
    LeakSession session(true);
    ostrel::Variant reply;
    double polls = 0;
    double seconds = 0;
    qsizetype replyBytes = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < 200; ++i)
            session.Poll(reply);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        polls += 200;
        replyBytes = replySize(reply);
    }
    const ostrel::LinkSettings line = ostrel::LinkSettings::parse(QString::fromLatin1(nb4410::protocol::kLineSettings));
    const double wireS = static_cast<double>(line.WireTimeNs(gresRequest().size() + replyBytes)) / 1e9;
    state.counters["polls_per_s"] = polls / seconds;
    state.counters["wire_limit_per_s"] = 1.0 / wireS;
    state.counters["ratio"] = (polls / seconds) * wireS;
}
BENCHMARK(BM_PacedPollRate)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_ReplyTimeoutCpu(benchmark::State& state)
{
    QuietMessages quiet;
    nb4410sim::PseudoTerminal silent; // nobody answers on the other side
    UsePort(silent.SlavePath());
    for (auto _ : state) {
        auto driver = std::make_shared<nb4410vti::CNB4410VTI>();
        try {
            driver->StartRemote();
        } catch (const ostrel::ComError&) {
        }
        driver->EndRemote(); // waits out the EREM reply too
    }
    state.counters["timeouts_per_iteration"] = 2;
    ostrel::DataLinkRoot::instance()->PortRegistry()->ResetPorts();
}
BENCHMARK(BM_ReplyTimeoutCpu)->Unit(benchmark::kMillisecond)->Iterations(2)->MeasureProcessCPUTime()->UseRealTime();

} // namespace
