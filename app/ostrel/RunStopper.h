#pragma once
// Brings a run to an end on the user's request (Ctrl+C, SIGTERM) the way a technician would:
// in the open test-guide window it presses "stop" while the instrument's test runs (the
// instrument vents the cuff and leaves remote mode as the test element does on stop), then
// "abort" once nothing runs, until no test-guide window is left. The runner is told first, so
// no further element starts. What finished stays saved: the runner saves after every element.
// It acts when the test-guide service says a window opened or changed; a window that did not
// react is pressed again after kRetryMs.
#include "host/contract/ITestGuide.h"

#include <QObject>
#include <functional>

class QTimer;

namespace ostrel {

class RunStopper : public QObject, private ITestGuideObserver {
    Q_OBJECT
public:
    static constexpr int kRetryMs = 500;

    explicit RunStopper(std::function<void()> stopRunner, QObject* parent = nullptr);
    ~RunStopper() override;

    void Stop();
    bool Stopping() const { return m_stopping; }

private:
    void GuideOpened(ITestGuide& guide) override;
    void GuideChanged(ITestGuide& guide) override;
    void GuideClosed(ITestGuide& guide) override;
    // Presses what ends the open window's part, from the event loop ("stop" returns only
    // when the element has stopped the instrument).
    void scheduleAct();
    void act();

    std::function<void()> m_stopRunner;
    QTimer* m_retry; // owned by this object as its Qt parent
    bool m_stopping = false;
    bool m_actQueued = false;
};

} // namespace ostrel
