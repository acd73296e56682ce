#include "SimulatedMonitorPanel.h"

#include "host/core/ClassRegistry.h"
#include "host/core/Steps.h"
#include "sim/IMonitorDisplay.h"

#include <QHBoxLayout>
#include <QLabel>
#include <cmath>

namespace ostrel {

namespace {
QString whole(double value)
{
    return QString::number(std::lround(value));
}
} // namespace

SimulatedMonitorPanel::SimulatedMonitorPanel(QWidget* parent) : QFrame(parent), m_lblDisplay(new QLabel(this))
{
    setObjectName(QStringLiteral("fraSimulatedMonitor"));
    m_lblDisplay->setObjectName(QStringLiteral("lblSimulatedMonitor"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(m_lblDisplay);
    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, &SimulatedMonitorPanel::Refresh);
    hide();
}

SimulatedMonitorPanel::~SimulatedMonitorPanel() = default;

void SimulatedMonitorPanel::SetSimulatorInUse(bool inUse)
{
    setVisible(inUse);
    if (inUse) {
        Refresh();
        m_timer.start();
    } else {
        m_timer.stop();
    }
}

std::shared_ptr<nb4410sim::IMonitorDisplay> SimulatedMonitorPanel::display()
{
    if (!m_display)
        runStep("simulated monitor display", [&] {
            m_display = query<nb4410sim::IMonitorDisplay>(ClassRegistry::instance().Create(QString::fromLatin1(nb4410sim::IMonitorDisplay::kProgId)));
        });
    return m_display;
}

void SimulatedMonitorPanel::Refresh()
{
    QString text = tr("Simulated monitor: ");
    const auto monitor = display();
    if (!monitor) {
        // The simulator comes into the process with the first run.
        text += tr("not started");
    } else {
        const nb4410sim::MonitorDisplayState state = monitor->State();
        if (state.measurementNumber == 0)
            text += tr("no measurement yet");
        else if (!state.complete)
            text += tr("measuring...");
        else
            text += tr("SYS %1  DIA %2  MAP %3 mmHg  Pulse %4 /min")
                        .arg(whole(state.systolicMmHg), whole(state.diastolicMmHg), whole(state.mapMmHg), whole(state.heartRateBpm));
    }
    if (m_lblDisplay->text() != text)
        m_lblDisplay->setText(text);
}

QString SimulatedMonitorPanel::Text() const
{
    return m_lblDisplay->text();
}

} // namespace ostrel
