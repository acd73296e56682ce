#pragma once
// "GRES" replies of the over-pressure test as the driver hands them on: texts, field 0 the
// test type, 1 the end indicator, 2 the pressure, 3 the peak pressure, 4 the release indicator.
#include "host/core/Variant.h"

namespace nb4410::testing {

inline ostrel::VariantArray overPressureReply(bool end, const char* pressure, const char* peak, const char* release)
{
    return ostrel::VariantArray::fromTexts({QStringLiteral("400"), end ? QStringLiteral("1") : QStringLiteral("0"),
                                            QString::fromLatin1(pressure), QString::fromLatin1(peak),
                                            QString::fromLatin1(release)});
}

} // namespace nb4410::testing
