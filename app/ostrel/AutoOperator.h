#pragma once
// The automatic operator of headless runs. It drives the real test-guide windows: it watches
// for the modal window with the toolbar "tbrPerform", presses "play", waits until the run has
// ended ("play" released and "stop" disabled), then presses "next". It reacts to events (a
// window shown, a button's state changed, a message shown), not to a clock: a timer only
// watches for a run or a window that never moves on. A run that ended with a message and
// without "next" (the instrument or the line failed) is skipped at once. A window whose result
// view asks for the monitor's readings gets them typed in from the monitor's display when one
// can be created ("OstrelSim.MonitorDisplay", only with the simulator); without it, "next"
// stays disabled and the window is skipped as before. Confirmations reach it through its own
// message sink, which answers yes; messages are recorded and passed on.
#include "sim/IMonitorDisplay.h"
#include "host/core/MessageService.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QTimer;
class QWidget;

namespace ostrel {

class AutoOperator : public QObject {
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

    // The test-guide window among the top-level widgets, when one is modal.
    static QWidget* ActiveTestGuide();
    static QAction* Button(QWidget* window, const QString& key);

private:
    class Sink;
    enum class Phase { New, Running, Ran, Leaving };

    bool eventFilter(QObject* watched, QEvent* event) override;
    // Looks at the window once the events in hand are handled.
    void scheduleExamine();
    void examine();
    void attach(QWidget* window);
    // The watchdog fires examine when the current phase has waited ms.
    void armWatchdog(int ms);
    void press(const QString& key);
    void problem(const QString& text);
    bool runEnded() const;
    std::shared_ptr<nb4410sim::IMonitorDisplay> monitorDisplay();
    void notePlay();
    void typeReadings();

    QTimer* m_watchdog;
    bool m_watching = false;
    bool m_examineQueued = false;
    bool m_messageShown = false; // since play was pressed in this window
    std::vector<QMetaObject::Connection> m_windowWatch;
    std::shared_ptr<Sink> m_sink;
    std::shared_ptr<IMessageSink> m_previousSink;
    QPointer<QWidget> m_window;
    Phase m_phase = Phase::New;
    QElapsedTimer m_since;
    bool m_playPressed = false;
    bool m_stopSent = false;
    std::shared_ptr<nb4410sim::IMonitorDisplay> m_display;
    // The display's measurement number when "play" was pressed: readings count only from a
    // later measurement (0: the display was not there yet, so any measurement is later).
    std::int32_t m_measurementAtPlay = 0;
    bool m_readingsTried = false;
    int m_runTimeoutMs = kDefaultRunTimeoutMs;
    int m_nextWaitMs = kNextWaitMs;
    QStringList m_problems;
    QStringList m_messages;
};

} // namespace ostrel
