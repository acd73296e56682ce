#include "AutoOperator.h"

#include "ReadingEntry.h"

#include "app/common/ConsoleMessageSink.h"
#include "host/core/ClassRegistry.h"
#include "host/core/Steps.h"
#include "host/core/Variant.h"
#include "host/run/TestGuideService.h"
#include "host/core/BasicNumber.h"

#include <QTimer>

namespace ostrel {

using Key = TestGuideButton;

// Answers every confirmation with yes (the operator means to go on) and records what is shown.
class AutoOperator::Sink : public IMessageSink {
public:
    explicit Sink(AutoOperator& owner) : m_owner(owner) {}
    void Show(MessageIcon, const QString& text, const QString&) override
    {
        m_owner.m_messages << text;
        m_owner.m_messageShown = true;
        m_owner.scheduleExamine();
        if (m_owner.onMessage)
            m_owner.onMessage(QStringLiteral("message: ") + ConsoleMessageSink::Flat(text));
    }
    bool Confirm(const QString& text, const QString&) override
    {
        if (m_owner.onMessage)
            m_owner.onMessage(QStringLiteral("confirmed: ") + ConsoleMessageSink::Flat(text));
        return true;
    }

private:
    AutoOperator& m_owner;
};

AutoOperator::AutoOperator(QObject* parent) : QObject(parent), m_watchdog(new QTimer(this))
{
    m_watchdog->setSingleShot(true);
    // A coarse timer may fire a little early; the deadlines below are compared with a clock.
    m_watchdog->setTimerType(Qt::PreciseTimer);
    connect(m_watchdog, &QTimer::timeout, this, &AutoOperator::examine);
}

AutoOperator::~AutoOperator()
{
    Stop();
}

void AutoOperator::Start()
{
    if (!m_sink) {
        m_sink = std::make_shared<Sink>(*this);
        m_previousSink = MessageService::instance().SetSink(m_sink);
    }
    if (!m_watching) {
        TestGuideService::instance().AddObserver(this);
        m_watching = true;
    }
    // A window may be showing already.
    if (ITestGuide* open = TestGuideService::instance().OpenGuide())
        GuideOpened(*open);
}

void AutoOperator::Stop()
{
    m_watchdog->stop();
    if (m_watching) {
        TestGuideService::instance().RemoveObserver(this);
        m_watching = false;
    }
    m_guide = nullptr;
    if (m_sink) {
        MessageService::instance().SetSink(m_previousSink);
        m_sink.reset();
        m_previousSink.reset();
    }
}

void AutoOperator::GuideOpened(ITestGuide& guide)
{
    attach(&guide);
    scheduleExamine();
}

void AutoOperator::GuideChanged(ITestGuide& guide)
{
    if (&guide != m_guide)
        return;
    // Seen at once: a run may start and end before the queued look.
    m_playPressed = m_playPressed || guide.IsRunning();
    scheduleExamine();
}

void AutoOperator::GuideClosed(ITestGuide& guide)
{
    if (&guide != m_guide)
        return;
    m_guide = nullptr;
    ++m_attached;
    m_watchdog->stop();
}

void AutoOperator::scheduleExamine()
{
    if (m_examineQueued || !m_watching)
        return;
    m_examineQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_examineQueued = false;
            examine();
        },
        Qt::QueuedConnection);
}

void AutoOperator::armWatchdog(int ms)
{
    m_watchdog->start(std::max<qint64>(0, ms - m_since.elapsed()));
}

void AutoOperator::attach(ITestGuide* guide)
{
    m_guide = guide;
    ++m_attached;
    m_phase = Phase::New;
    m_stopSent = false;
    m_playPressed = false;
    m_readingsTried = false;
    m_readingsMissing = false;
    m_messageShown = false;
    m_watchdog->stop();
    m_since.start();
}

bool AutoOperator::enabled(const char* key) const
{
    return m_guide && m_guide->IsEnabled(QString::fromLatin1(key));
}

void AutoOperator::problem(const QString& text)
{
    m_problems << text;
    if (onMessage)
        onMessage(QStringLiteral("operator: ") + text);
}

bool AutoOperator::runEnded() const
{
    return m_guide && !m_guide->IsRunning() && !enabled(Key::kStop);
}

std::shared_ptr<nb4410sim::IMonitorDisplay> AutoOperator::monitorDisplay()
{
    // Asked again until it exists: the simulator's library may come into the process only
    // with the first run.
    if (!m_display)
        runStep("monitor display", [&] {
            m_display = query<nb4410sim::IMonitorDisplay>(
                ClassRegistry::instance().Create(QString::fromLatin1(nb4410sim::IMonitorDisplay::kProgId)));
        });
    return m_display;
}

void AutoOperator::notePlay()
{
    m_measurementAtPlay = 0;
    if (!ReadingEntry::HasReadingView(m_guide->Window()))
        return;
    if (auto display = monitorDisplay())
        runStep("measurement at play", [&] { m_measurementAtPlay = display->State().measurementNumber; });
}

bool AutoOperator::typeReadings()
{
    // One attempt per window: typed readings that do not enable "next" are not typed again.
    m_readingsTried = true;
    auto display = monitorDisplay();
    if (!display) {
        problem(QStringLiteral("no monitor display to read: the automatic operator reads the monitor only on the "
                               "built-in simulator (a person types the readings with --operator person)"));
        return false;
    }
    nb4410sim::MonitorDisplayState state;
    runStep("monitor readings", [&] { state = display->State(); });
    if (!state.complete || state.measurementNumber == m_measurementAtPlay) {
        problem(QStringLiteral("the monitor display shows no readings of this run"));
        return false;
    }
    QString why;
    if (!ReadingEntry::TypeReadings(m_guide->Window(), state, &why)) {
        problem(why);
        return false;
    }
    if (onMessage)
        onMessage(QStringLiteral("operator: typed the monitor's readings %1/%2 (%3) mmHg, %4 BPM")
                      .arg(numberToText(state.systolicMmHg), numberToText(state.diastolicMmHg),
                           numberToText(state.mapMmHg), numberToText(state.heartRateBpm)));
    return true;
}

void AutoOperator::press(const char* key)
{
    // Pressed from the event loop, not from here: "play" returns only when the run has
    // ended, and a timer is not fired again while its own slot is running. The window may
    // have closed by then.
    QMetaObject::invokeMethod(
        this,
        [this, attached = m_attached, key = QString::fromLatin1(key)] {
            if (m_guide && attached == m_attached)
                m_guide->Press(key);
        },
        Qt::QueuedConnection);
}

void AutoOperator::examine()
{
    if (!m_guide)
        return;
    switch (m_phase) {
    case Phase::New:
        if (!enabled(Key::kPlay)) {
            problem(QStringLiteral("the test guide offers no play button"));
            m_readingsTried = true; // nothing ran, so the display shows nothing of this window
            m_phase = Phase::Ran;
            m_since.start();
            scheduleExamine();
            return;
        }
        m_phase = Phase::Running;
        m_since.start();
        m_messageShown = false;
        notePlay();
        press(Key::kPlay);
        armWatchdog(m_runTimeoutMs);
        return;
    case Phase::Running:
        if (m_playPressed && runEnded()) {
            m_phase = Phase::Ran;
            m_since.start();
            scheduleExamine();
        } else if (!m_stopSent && m_since.elapsed() >= m_runTimeoutMs) {
            // A run that does not end is stopped once.
            m_stopSent = true;
            problem(QStringLiteral("the run did not end within %1 s; pressed stop").arg(m_runTimeoutMs / 1000));
            press(Key::kStop);
        } else if (!m_stopSent) {
            // Woken before the deadline (a button changed, or the timer came early): keep
            // watching, or an endless run would never be stopped.
            armWatchdog(m_runTimeoutMs);
        }
        return;
    case Phase::Ran: {
        if (!runEnded())
            return;
        if (enabled(Key::kNext)) {
            m_phase = Phase::Leaving;
            m_since.start();
            press(Key::kNext);
            armWatchdog(m_nextWaitMs);
            return;
        }
        if (!m_readingsTried && ReadingEntry::HasReadingView(m_guide->Window())) {
            if (typeReadings()) { // "next" follows once every reading is in
                scheduleExamine();
                return;
            }
            m_readingsMissing = true;
        }
        // A run that failed with a message, or whose readings could not be typed, will not
        // enable "next": leave at once. Otherwise give the window its grace, then leave
        // without a verdict rather than hang.
        if (!m_messageShown && !m_readingsMissing && m_since.elapsed() < m_nextWaitMs) {
            armWatchdog(m_nextWaitMs);
            return;
        }
        m_phase = Phase::Leaving;
        m_since.start();
        if (enabled(Key::kSkip)) {
            problem(QStringLiteral("\"next\" stayed disabled after the run; pressed skip"));
            press(Key::kSkip);
        } else {
            problem(QStringLiteral("\"next\" stayed disabled after the run; pressed abort"));
            press(Key::kAbort);
        }
        armWatchdog(m_nextWaitMs);
        return;
    }
    case Phase::Leaving:
        // The window stays when the element did not let it go.
        if (m_since.elapsed() >= m_nextWaitMs) {
            problem(QStringLiteral("the test guide did not close; pressed abort"));
            m_since.start();
            press(Key::kAbort);
            armWatchdog(m_nextWaitMs);
        } else {
            armWatchdog(m_nextWaitMs);
        }
        return;
    }
}

} // namespace ostrel
