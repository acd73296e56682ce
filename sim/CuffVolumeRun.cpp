#include "CuffVolumeRun.h"

namespace nb4410sim {

QStringList CuffVolumeRun::Fields(double elapsedS) const
{
    const bool ended = Ended(elapsedS);
    return {QString::number(Type()), ended ? QStringLiteral("1") : QStringLiteral("0"), ended ? text(m_volumeCcm) : QStringLiteral("0")};
}

} // namespace nb4410sim
