// One "GRES" exchange over a pseudo-terminal against the simulator (no pacing), beside a bare
// echo of the same bytes over a pseudo-terminal: the ratio is what the driver, the serial
// port, the framing and the simulator add to the line itself. And the CPU used while the
// driver waits out one reply time-out: the wait must sleep.
#include "host/core/MessageService.h"
#include "host/datalink/DataLinkRoot.h"
#include "host/datalink/FrameCodec.h"
#include "sim/PseudoTerminal.h"
#include "sim/Simulator.h"
#include "vti/CNB4410VTI.h"

#include <QTemporaryDir>
#include <atomic>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

class QuietSink : public ostrel::IMessageSink {
public:
    void Show(ostrel::MessageIcon, const QString&, const QString&) override {}
    bool Confirm(const QString&, const QString&) override { return false; }
};

void usePort(const QString& path)
{
    ostrel::DataLinkRoot::instance()->PortRegistry()->SetPorts({{1, ostrel::PortEntry{QStringLiteral("NB-4410"), path, {}}}});
}

void BM_DriverGresRoundTrip(benchmark::State& state)
{
    QTemporaryDir dir;
    nb4410sim::Simulator simulator;
    usePort(simulator.Start({{QStringLiteral("Pacing"), QStringLiteral("0")},
                             {QStringLiteral("StateFile"), dir.filePath(QStringLiteral("op.ini"))}}));
    auto driver = std::make_shared<nb4410vti::CNB4410VTI>();
    driver->StartRemote();
    ostrel::Variant params(ostrel::VariantArray::fromTexts(
        {QStringLiteral("300"), QStringLiteral("250"), QStringLiteral("1"), QStringLiteral("0")}));
    driver->StartTest(params);
    std::int32_t testId = 300;
    ostrel::Variant reply;
    for (auto _ : state) {
        driver->GetTestResult(testId, reply);
        benchmark::DoNotOptimize(reply);
    }
    driver->EndRemote();
    ostrel::DataLinkRoot::instance()->PortRegistry()->ResetPorts();
}
BENCHMARK(BM_DriverGresRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();

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

void BM_RawPtyEcho(benchmark::State& state)
{
    // The request and the reply of the exchange above, as bytes.
    const QByteArray request = ostrel::FrameCodec::encode(QStringLiteral("GRES"), {QStringLiteral("300")});
    nb4410sim::PseudoTerminal pty;
    const int client = ::open(QFile::encodeName(pty.SlavePath()).constData(), O_RDWR | O_NOCTTY);
    std::atomic<bool> stop{false};
    std::thread echo([&] {
        char buffer[256];
        while (!stop) {
            pollfd p{pty.MasterFd(), POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            const ssize_t n = ::read(pty.MasterFd(), buffer, sizeof buffer);
            if (n > 0)
                [[maybe_unused]] const ssize_t written = ::write(pty.MasterFd(), buffer, static_cast<size_t>(n));
        }
    });
    std::vector<char> back(static_cast<size_t>(request.size()));
    for (auto _ : state) {
        if (::write(client, request.constData(), static_cast<size_t>(request.size())) != request.size() ||
            !readExactly(client, back.data(), back.size())) {
            state.SkipWithError("echo failed");
            break;
        }
    }
    stop = true;
    echo.join();
    ::close(client);
}
BENCHMARK(BM_RawPtyEcho)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ReplyTimeoutCpu(benchmark::State& state)
{
    auto previous = ostrel::MessageService::instance().SetSink(std::make_shared<QuietSink>());
    nb4410sim::PseudoTerminal silent; // nobody answers on the other side
    usePort(silent.SlavePath());
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
    ostrel::MessageService::instance().SetSink(previous);
}
BENCHMARK(BM_ReplyTimeoutCpu)->Unit(benchmark::kMillisecond)->Iterations(2)->MeasureProcessCPUTime()->UseRealTime();

} // namespace
