#include "CTestLeak.h"

#include "CConfigLeak.h"
#include "CResultLeak.h"

#include "host/core/BasicNumber.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/measure/MMeasureKey.h"

namespace nb4410 {

OSTREL_REGISTER_CLASS("OstrelNB4410.CTestLeak", CTestLeak)

using ostrel::Variant;
using ostrel::VariantArray;

CTestLeak::CTestLeak() = default;

Variant CTestLeak::GetMeasurementList()
{
    return MeasurementTable({{QLatin1String(MMeasureKey::kDrop), QStringLiteral("20371::Pressure Drop")},
                             {QLatin1String(MMeasureKey::kRate), QStringLiteral("20372::Leak Rate")}});
}

QStringList CTestLeak::InstructionTexts()
{
    return {ostrel::tr4410(QStringLiteral("20850::1. Attach the cuff and/or the monitor according to the configuration. "
                                          "(Click the info button to view the configuration.)")),
            ostrel::tr4410(QStringLiteral("20851::2. Power on the blood pressure unit, and wait until it is ready.")),
            ostrel::tr4410(QStringLiteral("20852::3. Press play to start the test.")), QString()};
}

void CTestLeak::PrepareRun()
{
    const auto configuration = config();
    m_runDurationS = configuration ? configuration->Duration() : 0;
}

bool CTestLeak::TakeReply(const VariantArray& reply)
{
    bool done = false;
    const std::int32_t elapsedS = ostrel::roundToLong(Field(reply, kElapsedField).val());
    if (elapsedS > 0) {
        done = Field(reply, kEndField).val() > 0;
        if (const auto leak = result())
            leak->TakeReply(reply, elapsedS);
        EvaluateAndShow();
    }
    if (Guide())
        Guide()->UpdatePerformData(ostrel::roundToLong(Field(reply, kPressureField).val()), Variant(elapsedS));
    if (m_runDurationS > 0 && elapsedS >= m_runDurationS)
        done = true;
    return done;
}

} // namespace nb4410
