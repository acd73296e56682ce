#include "AutoOperator.h"

#include "ReadingEntry.h"

#include "host/core/ClassRegistry.h"
#include "host/core/Steps.h"
#include "host/core/Variant.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QToolBar>
#include <QWidget>

namespace ostrel {

namespace {
const QString kToolbar = QStringLiteral("tbrPerform");
const QString kCaption = QStringLiteral("TEST GUIDE");
const QString kPlay = QStringLiteral("play");
const QString kStop = QStringLiteral("stop");
const QString kNext = QStringLiteral("next");
const QString kSkip = QStringLiteral("skip");
const QString kAbort = QStringLiteral("abort");
} // namespace

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
            m_owner.onMessage(QStringLiteral("message: ") + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    }
    bool Confirm(const QString& text, const QString&) override
    {
        if (m_owner.onMessage)
            m_owner.onMessage(QStringLiteral("confirmed: ") + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
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
    if (!m_watching && qApp) {
        qApp->installEventFilter(this);
        m_watching = true;
    }
    scheduleExamine(); // a window may be showing already
}

void AutoOperator::Stop()
{
    m_watchdog->stop();
    if (m_watching && qApp) {
        qApp->removeEventFilter(this);
        m_watching = false;
    }
    for (const auto& connection : m_windowWatch)
        disconnect(connection);
    m_windowWatch.clear();
    if (m_sink) {
        MessageService::instance().SetSink(m_previousSink);
        m_sink.reset();
        m_previousSink.reset();
    }
}

bool AutoOperator::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow())
        scheduleExamine();
    return false;
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

void AutoOperator::attach(QWidget* window)
{
    for (const auto& connection : m_windowWatch)
        disconnect(connection);
    m_windowWatch.clear();
    m_window = window;
    m_phase = Phase::New;
    m_stopSent = false;
    m_playPressed = false;
    m_readingsTried = false;
    m_messageShown = false;
    m_watchdog->stop();
    auto* toolbar = window->findChild<QToolBar*>(kToolbar);
    if (!toolbar)
        return;
    for (QAction* action : toolbar->actions())
        m_windowWatch.push_back(connect(action, &QAction::changed, this, &AutoOperator::scheduleExamine));
    if (QAction* play = Button(window, kPlay))
        m_windowWatch.push_back(connect(play, &QAction::toggled, this, [this](bool on) { m_playPressed = m_playPressed || on; }));
    m_since.start();
}

QWidget* AutoOperator::ActiveTestGuide()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return nullptr;
    if (modal->findChild<QToolBar*>(kToolbar) || modal->windowTitle().contains(kCaption, Qt::CaseInsensitive))
        return modal;
    return nullptr;
}

QAction* AutoOperator::Button(QWidget* window, const QString& key)
{
    auto* toolbar = window ? window->findChild<QToolBar*>(kToolbar) : nullptr;
    if (!toolbar)
        return nullptr;
    for (QAction* action : toolbar->actions())
        if (action->objectName() == key)
            return action;
    return nullptr;
}

void AutoOperator::problem(const QString& text)
{
    m_problems << text;
    if (onMessage)
        onMessage(QStringLiteral("operator: ") + text);
}

bool AutoOperator::runEnded() const
{
    QAction* play = Button(m_window, kPlay);
    QAction* stop = Button(m_window, kStop);
    return play && !play->isChecked() && (!stop || !stop->isEnabled());
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
    if (!ReadingEntry::HasReadingView(m_window))
        return;
    if (auto display = monitorDisplay())
        runStep("measurement at play", [&] { m_measurementAtPlay = display->State().measurementNumber; });
}

void AutoOperator::typeReadings()
{
    // One attempt per window: typed readings that do not enable "next" are not typed again.
    m_readingsTried = true;
    auto display = monitorDisplay();
    if (!display)
        return;
    nb4410sim::MonitorDisplayState state;
    runStep("monitor readings", [&] { state = display->State(); });
    if (!state.complete || state.measurementNumber == m_measurementAtPlay) {
        problem(QStringLiteral("the monitor display shows no readings of this run"));
        return;
    }
    QString why;
    if (!ReadingEntry::TypeReadings(m_window, state, &why))
        problem(why);
    else if (onMessage)
        onMessage(QStringLiteral("operator: typed the monitor's readings %1/%2 (%3) mmHg, %4 BPM")
                      .arg(numberToText(state.systolicMmHg), numberToText(state.diastolicMmHg),
                           numberToText(state.mapMmHg), numberToText(state.heartRateBpm)));
}

void AutoOperator::press(const QString& key)
{
    QPointer<QAction> action = Button(m_window, key);
    if (!action)
        return;
    // Pressed from the event loop, not from here: "play" returns only when the run has
    // ended, and a timer is not fired again while its own slot is running.
    QMetaObject::invokeMethod(
        this,
        [action] {
            if (action)
                action->trigger();
        },
        Qt::QueuedConnection);
}

void AutoOperator::examine()
{
    QWidget* window = ActiveTestGuide();
    if (!window)
        return;
    if (window != m_window)
        attach(window);
    switch (m_phase) {
    case Phase::New:
        if (QAction* play = Button(m_window, kPlay); !play || !play->isEnabled()) {
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
        press(kPlay);
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
            press(kStop);
        } else if (!m_stopSent) {
            // Woken before the deadline (a button changed, or the timer came early): keep
            // watching, or an endless run would never be stopped.
            armWatchdog(m_runTimeoutMs);
        }
        return;
    case Phase::Ran: {
        if (!runEnded())
            return;
        QAction* next = Button(m_window, kNext);
        if (next && next->isEnabled()) {
            m_phase = Phase::Leaving;
            m_since.start();
            press(kNext);
            armWatchdog(m_nextWaitMs);
            return;
        }
        if (!m_readingsTried && ReadingEntry::HasReadingView(m_window)) {
            typeReadings(); // "next" follows once every reading is in
            scheduleExamine();
            return;
        }
        // A run that failed with a message will not enable "next": leave at once. Otherwise
        // give the window its grace, then leave without a verdict rather than hang.
        if (!m_messageShown && m_since.elapsed() < m_nextWaitMs) {
            armWatchdog(m_nextWaitMs);
            return;
        }
        m_phase = Phase::Leaving;
        m_since.start();
        if (QAction* skip = Button(m_window, kSkip); skip && skip->isEnabled()) {
            problem(QStringLiteral("\"next\" stayed disabled after the run; pressed skip"));
            press(kSkip);
        } else {
            problem(QStringLiteral("\"next\" stayed disabled after the run; pressed abort"));
            press(kAbort);
        }
        armWatchdog(m_nextWaitMs);
        return;
    }
    case Phase::Leaving:
        // The window stays when the element did not let it go.
        if (m_since.elapsed() >= m_nextWaitMs) {
            problem(QStringLiteral("the test guide did not close; pressed abort"));
            m_since.start();
            press(kAbort);
            armWatchdog(m_nextWaitMs);
        } else {
            armWatchdog(m_nextWaitMs);
        }
        return;
    }
}

} // namespace ostrel
