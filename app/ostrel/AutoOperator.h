#pragma once
// The automatic operator of headless runs. It drives the real test-guide windows through their
// operator side (ITestGuide), as the test-guide service announces them: it presses "play",
// waits until the run has ended ("play" released and "stop" disabled), then presses "next".
// It reacts to events (a window opened, a button's state changed, a message shown), not to a
// clock: a timer only watches for a run or a window that never moves on. A run that ended with a message and
// without "next" (the instrument or the line failed) is skipped at once. A window whose result
// view asks for the monitor's readings gets them typed in from the monitor's display when one
// can be created ("OstrelSim.MonitorDisplay", only with the simulator); when it cannot, or the
// display shows no readings of this run, the window is skipped at once with the reason. Confirmations reach it through its own
// message sink, which answers yes; messages are recorded and passed on.
#include "sim/IMonitorDisplay.h"
#include "host/contract/ITestGuide.h"
#include "host/core/MessageService.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

class QTimer;

namespace ostrel {

class AutoOperator : public QObject, private ITestGuideObserver {
    Q_OBJECT
public:
    static constexpr int kNextWaitMs = 10000;  // after a run without a message, for "next" to be enabled
    static constexpr int kDefaultRunTimeoutMs = 15 * 60 * 1000;

    explicit AutoOperator(QObject* parent = nullptr);
    ~AutoOperator() override;

    // Installs the operator's message sink and starts watching; Stop undoes both.
    void Start();
    void Stop();
    void SetRunTimeoutMs(int ms) { m_runTimeoutMs = ms; }
    void SetNextWaitMs(int ms) { m_nextWaitMs = ms; }

    // What the operator had to do beyond play and next (stopping a run that did not end,
    // leaving a window whose "next" stayed disabled), and the messages shown during the run.
    const QStringList& Problems() const { return m_problems; }
    const QStringList& Messages() const { return m_messages; }

    // Told about every message box text and every problem as it happens.
    std::function<void(const QString&)> onMessage;

private:
    class Sink;
    enum class Phase { New, Running, Ran, Leaving };

    void GuideOpened(ITestGuide& guide) override;
    void GuideChanged(ITestGuide& guide) override;
    void GuideClosed(ITestGuide& guide) override;
    // Looks at the window once the events in hand are handled.
    void scheduleExamine();
    void examine();
    void attach(ITestGuide* guide);
    bool enabled(const char* key) const;
    // The watchdog fires examine when the current phase has waited ms.
    void armWatchdog(int ms);
    void press(const char* key);
    void problem(const QString& text);
    bool runEnded() const;
    std::shared_ptr<nb4410sim::IMonitorDisplay> monitorDisplay();
    void notePlay();
    bool typeReadings(); // false: nothing typed, and the reason told

    QTimer* m_watchdog;
    bool m_watching = false;
    bool m_examineQueued = false;
    bool m_messageShown = false; // since play was pressed in this window
    std::shared_ptr<Sink> m_sink;
    std::shared_ptr<IMessageSink> m_previousSink;
    ITestGuide* m_guide = nullptr; // until the service says it closed
    int m_attached = 0;            // counts windows, so a queued press reaches only its own
    Phase m_phase = Phase::New;
    QElapsedTimer m_since;
    bool m_playPressed = false;
    bool m_stopSent = false;
    std::shared_ptr<nb4410sim::IMonitorDisplay> m_display;
    // The display's measurement number when "play" was pressed: readings count only from a
    // later measurement (0: the display was not there yet, so any measurement is later).
    std::int32_t m_measurementAtPlay = 0;
    bool m_readingsTried = false;
    bool m_readingsMissing = false; // tried and failed: "next" will not come
    int m_runTimeoutMs = kDefaultRunTimeoutMs;
    int m_nextWaitMs = kNextWaitMs;
    QStringList m_problems;
    QStringList m_messages;
};

} // namespace ostrel
