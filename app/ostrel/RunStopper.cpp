#include "RunStopper.h"

#include "host/run/TestGuideService.h"

#include <QTimer>

namespace ostrel {

RunStopper::RunStopper(std::function<void()> stopRunner, QObject* parent)
    : QObject(parent), m_stopRunner(std::move(stopRunner)), m_retry(new QTimer(this))
{
    m_retry->setSingleShot(true);
    m_retry->setInterval(kRetryMs);
    connect(m_retry, &QTimer::timeout, this, &RunStopper::act);
}

RunStopper::~RunStopper()
{
    TestGuideService::instance().RemoveObserver(this);
}

void RunStopper::Stop()
{
    if (m_stopping)
        return;
    m_stopping = true;
    if (m_stopRunner)
        m_stopRunner();
    TestGuideService::instance().AddObserver(this);
    act();
}

void RunStopper::GuideOpened(ITestGuide&)
{
    scheduleAct();
}

void RunStopper::GuideChanged(ITestGuide&)
{
    scheduleAct();
}

void RunStopper::GuideClosed(ITestGuide&)
{
    m_retry->stop();
}

void RunStopper::scheduleAct()
{
    if (m_actQueued)
        return;
    m_actQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_actQueued = false;
            act();
        },
        Qt::QueuedConnection);
}

void RunStopper::act()
{
    ITestGuide* guide = TestGuideService::instance().OpenGuide();
    if (!guide)
        return;
    m_retry->start();
    if (guide->IsEnabled(QString::fromLatin1(TestGuideButton::kStop)))
        guide->Press(QString::fromLatin1(TestGuideButton::kStop));
    else if (!guide->IsRunning())
        guide->Press(QString::fromLatin1(TestGuideButton::kAbort));
}

} // namespace ostrel
