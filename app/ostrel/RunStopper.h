#pragma once
// Brings a run to an end on the user's request (Ctrl+C, SIGTERM) the way a technician would:
// in the open test-guide window it presses "stop" while the instrument's test runs (the
// instrument vents the cuff and leaves remote mode as the test element does on stop), then
// "abort" once nothing runs, until no test-guide window is left. The runner is told first, so
// no further element starts. What finished stays saved: the runner saves after every element.
#include <QObject>
#include <functional>

class QTimer;

namespace ostrel {

class RunStopper : public QObject {
    Q_OBJECT
public:
    static constexpr int kPollMs = 50;

    explicit RunStopper(std::function<void()> stopRunner, QObject* parent = nullptr);

    void Stop();
    bool Stopping() const { return m_stopping; }

private:
    void tick();

    std::function<void()> m_stopRunner;
    QTimer* m_timer; // owned by this object as its Qt parent
    bool m_stopping = false;
};

} // namespace ostrel
