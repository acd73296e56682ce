#include "FTimer.h"

namespace nb4410vti {

FTimer::FTimer(QObject* parent) : QObject(parent)
{
    tmrTimer.setObjectName(QStringLiteral("tmrTimer"));
    tmrTimer.setTimerType(Qt::PreciseTimer);
    connect(&tmrTimer, &QTimer::timeout, this, &FTimer::Timer);
}

void FTimer::setInterval(std::int32_t intervalMs)
{
    tmrTimer.stop();
    m_intervalMs = intervalMs;
    if (intervalMs > 0)
        tmrTimer.start(intervalMs);
}

} // namespace nb4410vti
