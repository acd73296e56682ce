#pragma once
// Serves the instrument on one descriptor (a pseudo-terminal's master or a serial device) in
// a thread of its own: frames in, the model's replies out, paced at the line's byte rate and
// bent by the configured faults.
#include "SimulatorOptions.h"

#include "host/datalink/LinkSettings.h"

#include <QByteArray>
#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <thread>

namespace nb4410sim {

class SimulatorServer {
public:
    explicit SimulatorServer(SimulatorOptions options);
    ~SimulatorServer();
    SimulatorServer(const SimulatorServer&) = delete;
    SimulatorServer& operator=(const SimulatorServer&) = delete;

    // hangUp is called from the serving thread when the hang-up fault strikes, newSession
    // when a client enters remote mode (IREM), before the reply.
    void Start(int fd, std::function<void()> hangUp, std::function<void()> newSession = nullptr);
    void Stop();
    int Exchanges() const { return m_exchanges.load(); }
    bool TestRunning() const { return m_testRunning.load(); }
    bool Serving() const { return m_serving.load(); }

    // The line the simulator paces by: nb4410::protocol::kLineSettings.
    static ostrel::LinkSettings Line();
    static constexpr int kIdlePollMs = 50; // how often a line without a peer is looked at

private:
    using Clock = std::chrono::steady_clock;
    enum class Fault { None, Drop, Corrupt, Delay, WrongName, Duplicate };

    void run();
    bool pauseUntil(Clock::time_point until); // false when stopping
    bool writeAll(const QByteArray& bytes);
    // requestDone: when the request's last byte was (or would have been) on the line.
    bool answer(struct Reply reply, const QString& command, Clock::time_point requestDone);
    Fault faultOf(int replyNumber, const QString& command);
    Clock::duration wireTime(qsizetype bytes) const;

    SimulatorOptions m_options;
    std::function<void()> m_hangUp;
    std::function<void()> m_newSession;
    std::thread m_thread;
    int m_fd = -1;
    int m_wake[2] = {-1, -1};
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_exchanges{0};
    std::atomic<bool> m_testRunning{false};
    std::atomic<bool> m_serving{false};
    int m_replies = 0;
    bool m_commandFaultDone = false;
    ostrel::LinkSettings m_line = Line();
    static constexpr std::int64_t kSleepSliceNs = 1'000'000;
    Clock::time_point m_receiveFree{}; // the line towards the instrument is busy until then
    Clock::time_point m_sendFree{};    // the line towards the driver is busy until then
    std::mt19937 m_random;
};

} // namespace nb4410sim
