#include "RunStopper.h"

#include "AutoOperator.h"

#include <QAction>
#include <QTimer>
#include <QWidget>

namespace ostrel {

RunStopper::RunStopper(std::function<void()> stopRunner, QObject* parent)
    : QObject(parent), m_stopRunner(std::move(stopRunner)), m_timer(new QTimer(this))
{
    m_timer->setInterval(kPollMs);
    connect(m_timer, &QTimer::timeout, this, &RunStopper::tick);
}

void RunStopper::Stop()
{
    if (m_stopping)
        return;
    m_stopping = true;
    if (m_stopRunner)
        m_stopRunner();
    tick();
    m_timer->start();
}

void RunStopper::tick()
{
    QWidget* guide = AutoOperator::ActiveTestGuide();
    if (!guide)
        return;
    QAction* play = AutoOperator::Button(guide, QStringLiteral("play"));
    QAction* stop = AutoOperator::Button(guide, QStringLiteral("stop"));
    QAction* abort = AutoOperator::Button(guide, QStringLiteral("abort"));
    if (stop && stop->isEnabled()) {
        stop->trigger();
        return;
    }
    const bool running = play && play->isChecked();
    if (!running && abort && abort->isEnabled())
        abort->trigger();
}

} // namespace ostrel
