#include "CTestOverPressure.h"

#include "CConfigOverPressure.h"
#include "CResultOverPressure.h"

#include "host/core/BasicNumber.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/measure/MMeasureKey.h"

namespace nb4410 {

OSTREL_REGISTER_CLASS("OstrelNB4410.CTestOverPressure", CTestOverPressure)

using ostrel::Variant;
using ostrel::VariantArray;

CTestOverPressure::CTestOverPressure() = default;

Variant CTestOverPressure::GetMeasurementList()
{
    return MeasurementTable({{QLatin1String(MMeasureKey::kPeak), QStringLiteral("20373::Monitor Release Pressure")},
                             {QLatin1String(CResultOverPressure::kReleaseKey), QStringLiteral("20903::Monitor Release")}});
}

QStringList CTestOverPressure::InstructionTexts()
{
    return {ostrel::tr4410(QStringLiteral("20900::1. Attach the cuff and the blood pressure unit to the NB-4410.")),
            ostrel::tr4410(QStringLiteral("20901::2. Power on the blood pressure unit, and wait until it is ready.")),
            ostrel::tr4410(QStringLiteral("20902::3. Press play to start the test."))};
}

bool CTestOverPressure::TakeReply(const VariantArray& reply)
{
    // The run has no duration of its own: the instrument ends it, or the operator stops it.
    const bool done = Field(reply, kEndField).val() > 0;
    if (const auto overPressure = result())
        overPressure->TakeReply(reply);
    EvaluateAndShow();
    if (Guide())
        Guide()->UpdatePerformData(ostrel::roundToLong(Field(reply, kPressureField).val()));
    return done;
}

} // namespace nb4410
