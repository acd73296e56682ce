// One "GRES" exchange over a pseudo-terminal against the simulator (no pacing), beside a bare
// exchange of the same sizes over a pseudo-terminal (the request out, a reply as long as the
// simulator's real "gres" back): the ratio is what the driver, the serial port, the framing
// and the simulator add to the line itself. And the CPU used while the
// driver waits out one reply time-out: the wait must sleep.
#include "host/core/MessageService.h"
#include "host/datalink/DataLinkRoot.h"
#include "host/datalink/FrameCodec.h"
#include "sim/PseudoTerminal.h"
#include "sim/Simulator.h"
#include "vti/CNB4410VTI.h"

#include <QCoreApplication>
#include <QFile>
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

// One whole frame (STX ... ETX and the checksum) read from fd.
QByteArray readFrame(int fd)
{
    QByteArray frame;
    char byte = 0;
    while (readExactly(fd, &byte, 1)) {
        frame += byte;
        if (byte == ostrel::FrameCodec::kEtx) {
            QByteArray crc(ostrel::FrameCodec::kCrcDigits, '\0');
            if (!readExactly(fd, crc.data(), static_cast<size_t>(crc.size())))
                return {};
            return frame + crc;
        }
    }
    return {};
}

// The simulator's reply to "GRES 300" during a leak test, as bytes on the wire.
QByteArray realGresReply()
{
    QTemporaryDir dir;
    nb4410sim::Simulator simulator;
    const QString path = simulator.Start({{QStringLiteral("Pacing"), QStringLiteral("0")},
                                          {QStringLiteral("StateFile"), dir.filePath(QStringLiteral("op.ini"))}});
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY);
    QByteArray reply;
    std::atomic<bool> done{false};
    // The simulator answers from the Qt event loop; the exchange runs beside it.
    std::thread client([&] {
        using ostrel::FrameCodec;
        for (const QByteArray& request :
             {FrameCodec::encode(QStringLiteral("IREM"), {QStringLiteral("0")}),
              FrameCodec::encode(QStringLiteral("STST"), {QStringLiteral("300"), QStringLiteral("250"), QStringLiteral("1"),
                                                          QStringLiteral("0")}),
              FrameCodec::encode(QStringLiteral("GRES"), {QStringLiteral("300")})}) {
            if (::write(fd, request.constData(), static_cast<size_t>(request.size())) != request.size())
                break;
            reply = readFrame(fd);
        }
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    client.join();
    ::close(fd);
    return reply;
}

void BM_RawPtyEcho(benchmark::State& state)
{
    // The request of the exchange above, and a reply of the size the simulator really sends.
    const QByteArray request = ostrel::FrameCodec::encode(QStringLiteral("GRES"), {QStringLiteral("300")});
    const QByteArray reply = realGresReply();
    if (reply.isEmpty()) {
        state.SkipWithError("the simulator did not answer GRES");
        return;
    }
    nb4410sim::PseudoTerminal pty;
    const int client = ::open(QFile::encodeName(pty.SlavePath()).constData(), O_RDWR | O_NOCTTY);
    std::atomic<bool> stop{false};
    std::thread echo([&] {
        std::vector<char> buffer(static_cast<size_t>(request.size()));
        while (!stop) {
            pollfd p{pty.MasterFd(), POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            if (readExactly(pty.MasterFd(), buffer.data(), buffer.size()))
                [[maybe_unused]] const ssize_t written = ::write(pty.MasterFd(), reply.constData(), static_cast<size_t>(reply.size()));
        }
    });
    std::vector<char> back(static_cast<size_t>(reply.size()));
    for (auto _ : state) {
        if (::write(client, request.constData(), static_cast<size_t>(request.size())) != request.size() ||
            !readExactly(client, back.data(), back.size())) {
            state.SkipWithError("echo failed");
            break;
        }
    }
    state.counters["request_bytes"] = static_cast<double>(request.size());
    state.counters["reply_bytes"] = static_cast<double>(reply.size());
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
