#pragma once
// Serves the instrument on one descriptor (a pseudo-terminal's master or a serial device) in
// a thread of its own: frames in, the model's replies out, paced at the line's byte rate and
// bent by the configured faults.
#include "SimulatorOptions.h"

#include <QByteArray>
#include <atomic>
#include <functional>
#include <thread>

namespace nb4410sim {

class SimulatorServer {
public:
    explicit SimulatorServer(SimulatorOptions options);
    ~SimulatorServer();
    SimulatorServer(const SimulatorServer&) = delete;
    SimulatorServer& operator=(const SimulatorServer&) = delete;

    // hangUp is called from the serving thread when the hang-up fault strikes.
    void Start(int fd, std::function<void()> hangUp);
    void Stop();
    int Exchanges() const { return m_exchanges.load(); }

    static constexpr int kBitsPerByte = 11; // start, 8 data, odd parity, stop
    static constexpr int kBaudRate = 38400;

private:
    void run();
    bool pause(int ms); // false when stopping
    bool writeAll(const QByteArray& bytes);
    bool answer(struct Reply reply);

    SimulatorOptions m_options;
    std::function<void()> m_hangUp;
    std::thread m_thread;
    int m_fd = -1;
    int m_wake[2] = {-1, -1};
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_exchanges{0};
    int m_replies = 0;
};

} // namespace nb4410sim
