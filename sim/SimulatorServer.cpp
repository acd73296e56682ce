#include "SimulatorServer.h"

#include "InstrumentModel.h"
#include "host/datalink/FrameCodec.h"
#include "host/datalink/FrameDecoder.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace nb4410sim {

SimulatorServer::SimulatorServer(SimulatorOptions options) : m_options(std::move(options))
{
    if (pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("pipe2 failed");
}

SimulatorServer::~SimulatorServer()
{
    Stop();
    ::close(m_wake[0]);
    ::close(m_wake[1]);
}

void SimulatorServer::Start(int fd, std::function<void()> hangUp)
{
    m_fd = fd;
    m_hangUp = std::move(hangUp);
    m_stop = false;
    m_thread = std::thread([this] { run(); });
}

void SimulatorServer::Stop()
{
    if (!m_thread.joinable())
        return;
    m_stop = true;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_wake[1], &byte, 1);
    m_thread.join();
}

bool SimulatorServer::pause(int ms)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!m_stop) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return true;
        pollfd wake{m_wake[0], POLLIN, 0};
        ::poll(&wake, 1, static_cast<int>(left.count()));
    }
    return false;
}

bool SimulatorServer::writeAll(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size() && !m_stop) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        pollfd out[2] = {{m_fd, POLLOUT, 0}, {m_wake[0], POLLIN, 0}};
        ::poll(out, 2, 100);
    }
    return done == bytes.size();
}

bool SimulatorServer::answer(Reply reply)
{
    const int number = ++m_replies;
    const Faults& faults = m_options.faults;
    if (number == faults.dropReply)
        return true;
    if (number == faults.wrongName)
        reply.name = reply.name.toUpper();
    QByteArray frame = ostrel::FrameCodec::encode(reply.name, reply.fields);
    if (number == faults.corruptReply)
        frame[frame.size() - 1] = frame.back() == '0' ? '1' : '0';
    int delayMs = 0;
    if (m_options.pacing)
        delayMs += static_cast<int>(frame.size() * kBitsPerByte * 1000LL / kBaudRate);
    if (number == faults.delayReply)
        delayMs += SimulatorOptions::kDelayedReplyMs;
    if (delayMs > 0 && !pause(delayMs))
        return false;
    return writeAll(frame);
}

void SimulatorServer::run()
{
    InstrumentModel model(m_options);
    ostrel::FrameDecoder decoder;
    const auto start = std::chrono::steady_clock::now();
    const auto simulatedNow = [&] {
        const std::chrono::duration<double> real = std::chrono::steady_clock::now() - start;
        return real.count() * m_options.timeScale;
    };

    char buffer[4096];
    while (!m_stop) {
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            return;
        if (m_stop)
            return;
        if (fds[0].revents & (POLLERR | POLLNVAL))
            return;
        if (!(fds[0].revents & (POLLIN | POLLHUP)))
            continue;
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0) {
            if (!pause(50)) // nobody on the line (EIO): wait for the next peer
                return;
            continue;
        }
        for (const ostrel::DecodedFrame& frame : decoder.feed(QByteArrayView(buffer, n))) {
            bool ok = true;
            if (frame.kind == ostrel::DecodedFrame::Kind::Dropped)
                ok = answer(model.Malformed());
            else
                ok = answer(model.Handle(frame.name, frame.fields, simulatedNow()));
            if (!ok)
                return;
            const int exchanges = ++m_exchanges;
            if (m_options.faults.hangUpAfter > 0 && exchanges >= m_options.faults.hangUpAfter) {
                if (m_hangUp)
                    m_hangUp();
                return;
            }
        }
    }
}

} // namespace nb4410sim
