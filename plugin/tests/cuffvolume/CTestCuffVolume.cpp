#include "CTestCuffVolume.h"

#include "CConfigCuffVolume.h"
#include "CResultCuffVolume.h"

#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "plugin/measure/MMeasureKey.h"

namespace nb4410 {

OSTREL_REGISTER_CLASS("OstrelNB4410.CTestCuffVolume", CTestCuffVolume)

using ostrel::Variant;
using ostrel::VariantArray;

CTestCuffVolume::CTestCuffVolume() = default;

Variant CTestCuffVolume::GetMeasurementList()
{
    return MeasurementTable({{QLatin1String(MMeasureKey::kCvol), QStringLiteral("20370::Cuff Volume")}});
}

QStringList CTestCuffVolume::InstructionTexts()
{
    return {ostrel::tr4410(QStringLiteral("20800::1. Attach the cuff to the NB-4410.")),
            ostrel::tr4410(QStringLiteral("20801::2. Press play to start the test."))};
}

VariantArray CTestCuffVolume::ParameterSet() { return VariantArray{Variant(kTestId).text()}; }

bool CTestCuffVolume::TakeReply(const VariantArray& reply)
{
    // Until the instrument ends its test the volume field means nothing.
    if (!(Field(reply, kEndField).val() > 0))
        return false;
    // A reply too short to hold the volume leaves it as it was.
    if (kVolumeField < reply.count())
        if (const auto cuff = result())
            cuff->SetCuffVolume(Field(reply, kVolumeField).toSingle());
    EvaluateAndShow();
    return true;
}

} // namespace nb4410
