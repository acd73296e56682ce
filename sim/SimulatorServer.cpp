#include "SimulatorServer.h"

#include "InstrumentModel.h"
#include "host/datalink/FrameCodec.h"
#include "host/datalink/FrameDecoder.h"
#include "vti/NB4410Protocol.h"

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

void SimulatorServer::Start(int fd, std::function<void()> hangUp, std::function<void()> newSession)
{
    m_fd = fd;
    m_hangUp = std::move(hangUp);
    m_newSession = std::move(newSession);
    m_stop = false;
    m_serving = true;
    m_thread = std::thread([this] {
        run();
        m_serving = false;
    });
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

ostrel::LinkSettings SimulatorServer::Line()
{
    return ostrel::LinkSettings::parse(QString::fromLatin1(nb4410::protocol::kLineSettings));
}

SimulatorServer::Clock::duration SimulatorServer::wireTime(qsizetype bytes) const
{
    if (!m_options.pacing)
        return Clock::duration::zero();
    return std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(m_line.WireTimeNs(bytes)));
}

bool SimulatorServer::pauseUntil(Clock::time_point until)
{
    // Sleeps in slices of at most a millisecond, each aimed at the absolute time: one long
    // sleep on a busy machine ends milliseconds late (more than a byte time), short ones wake
    // on time, so bytes leave within a fraction of a millisecond of their time.
    while (!m_stop) {
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(until - Clock::now());
        if (left.count() <= 0)
            return true;
        const std::int64_t sliceNs = std::min<std::int64_t>(left.count(), kSleepSliceNs);
        const timespec timeout{static_cast<time_t>(sliceNs / 1'000'000'000), static_cast<long>(sliceNs % 1'000'000'000)};
        pollfd wake{m_wake[0], POLLIN, 0};
        ::ppoll(&wake, 1, &timeout, nullptr);
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

SimulatorServer::Fault SimulatorServer::faultOf(int number, const QString& command)
{
    const Faults& faults = m_options.faults;
    if (!m_commandFaultDone && !faults.faultCommand.isEmpty() && command == faults.faultCommand) {
        m_commandFaultDone = true;
        static const std::pair<const char*, Fault> kKinds[] = {{"corrupt", Fault::Corrupt}, {"drop", Fault::Drop},
                                                               {"delay", Fault::Delay}, {"duplicate", Fault::Duplicate},
                                                               {"wrongname", Fault::WrongName}};
        for (const auto& [name, fault] : kKinds)
            if (faults.commandFault == QLatin1String(name))
                return fault;
    }
    if (number == faults.dropReply)
        return Fault::Drop;
    if (number == faults.corruptReply)
        return Fault::Corrupt;
    if (number == faults.delayReply)
        return Fault::Delay;
    if (number == faults.wrongName)
        return Fault::WrongName;
    if (number == faults.duplicateReply)
        return Fault::Duplicate;
    if (faults.randomFaultEvery > 0 && std::uniform_int_distribution<int>(1, faults.randomFaultEvery)(m_random) == 1) {
        static constexpr Fault kRandom[] = {Fault::Drop, Fault::Corrupt, Fault::Delay, Fault::Duplicate};
        return kRandom[std::uniform_int_distribution<int>(0, 3)(m_random)];
    }
    return Fault::None;
}

bool SimulatorServer::answer(Reply reply, const QString& command, Clock::time_point requestDone)
{
    const Fault fault = faultOf(++m_replies, command);
    if (fault == Fault::Drop)
        return true;
    if (fault == Fault::WrongName)
        reply.name = reply.name.toUpper();
    QByteArray frame = ostrel::FrameCodec::encode(reply.name, reply.fields);
    if (fault == Fault::Corrupt)
        frame[frame.size() - 1] = frame.back() == '0' ? '1' : '0';
    if (fault == Fault::Duplicate)
        frame += frame;
    // The reply starts once the request is in and the line is free, and is whole when its
    // last byte has crossed.
    Clock::time_point done = std::max(requestDone, m_sendFree) + wireTime(frame.size());
    m_sendFree = done;
    if (fault == Fault::Delay)
        done += std::chrono::milliseconds(m_options.delayedReplyMs);
    if (!pauseUntil(done))
        return false;
    return writeAll(frame);
}

void SimulatorServer::run()
{
    InstrumentModel model(m_options);
    m_random.seed(m_options.faults.seed);
    ostrel::FrameDecoder decoder;
    const auto start = std::chrono::steady_clock::now();
    const auto simulatedNow = [&] {
        const std::chrono::duration<double> real = std::chrono::steady_clock::now() - start;
        return real.count() * m_options.timeScale;
    };

    // When the running test began (negative: none runs), for the fault that cuts the line mid-test.
    double testStartS = -1;
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
            // nobody on the line (EIO): wait for the next peer
            if (!pauseUntil(Clock::now() + std::chrono::milliseconds(kIdlePollMs)))
                return;
            continue;
        }
        // The bytes came at once over the pseudo-terminal; on the line they take their time.
        const Clock::time_point received = std::max(Clock::now(), m_receiveFree) + wireTime(n);
        m_receiveFree = received;
        for (const ostrel::DecodedFrame& frame : decoder.feed(QByteArrayView(buffer, n))) {
            bool ok = true;
            if (frame.kind == ostrel::DecodedFrame::Kind::Dropped)
                ok = answer(model.Malformed(), QString(), received);
            else {
                if (frame.name == nb4410::protocol::kIREM && m_newSession)
                    m_newSession();
                const double nowS = simulatedNow();
                Reply reply = model.Handle(frame.name, frame.fields, nowS);
                m_testRunning = model.Running(nowS);
                if (!m_testRunning)
                    testStartS = -1;
                else if (testStartS < 0)
                    testStartS = nowS;
                ok = answer(std::move(reply), frame.name, received);
            }
            if (!ok)
                return;
            const int exchanges = ++m_exchanges;
            const bool cutInTest = m_options.faults.hangUpInTestS > 0 && testStartS >= 0
                && simulatedNow() - testStartS >= m_options.faults.hangUpInTestS;
            if (cutInTest || (m_options.faults.hangUpAfter > 0 && exchanges >= m_options.faults.hangUpAfter)) {
                if (m_hangUp)
                    m_hangUp();
                return;
            }
        }
    }
}

} // namespace nb4410sim
