#pragma once
#include "host/core/Variant.h"
#include "host/core/BasicNumber.h"

namespace nb4410::testing {

// A "GRES" reply of the leak test: end indicator, pressure, drop and elapsed seconds.
inline ostrel::VariantArray leakReply(std::int32_t elapsedS, float drop, std::int32_t pressure = 240, bool end = false)
{
    ostrel::VariantArray reply(6);
    reply[0] = QStringLiteral("GRES");
    reply[1] = QString::number(end ? 1 : 0);
    reply[2] = QString::number(pressure);
    reply[3] = QStringLiteral("0");
    reply[4] = ostrel::numberToText(drop);
    reply[5] = QString::number(elapsedS);
    return reply;
}

} // namespace nb4410::testing
