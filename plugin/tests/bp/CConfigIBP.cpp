#include "CConfigIBP.h"

#include "MConfigBP.h"

#include "host/core/ErrorService.h"
#include "host/core/Steps.h"
#include "host/core/StringUtil.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MMeasureKey.h"
#include "plugin/measure/MXmlTags.h"
#include "plugin/tests/common/MConfigStore.h"

namespace nb4410 {

using ostrel::runStep;
using ostrel::Variant;

namespace {
QString text(const Variant& value) { return ostrel::numberToText(value); }
} // namespace

CConfigIBP::CConfigIBP() { ResetFields(); }

Variant CConfigIBP::RetrieveTestParams()
{
    return Variant(ostrel::VariantArray{QStringLiteral("100"), text(Variant(std::int32_t{btIndependent})),
                                        QStringLiteral("0"), QStringLiteral("0"), text(Variant(m_systolic)),
                                        text(Variant(m_diastolic)), text(Variant(m_heartRate)),
                                        text(Variant(m_pulsePressure)), text(Variant(m_arrhythmia))});
}

Variant CConfigIBP::RetrievePresetValue(const QString& key)
{
    if (key == QLatin1String(MMeasureKey::kSyst))
        return Variant(m_systolic);
    if (key == QLatin1String(MMeasureKey::kDias))
        return Variant(m_diastolic);
    if (key == QLatin1String(MMeasureKey::kHart))
        return Variant(m_heartRate);
    if (key == QLatin1String(MMeasureKey::kPuls))
        return Variant(m_pulsePressure);
    return Variant();
}

void CConfigIBP::StorePresetValue(const QString& key, const Variant& value)
{
    runStep("store preset value", [&] {
        if (key == QLatin1String(MMeasureKey::kSyst))
            m_systolic = value.toSingle();
        else if (key == QLatin1String(MMeasureKey::kDias))
            m_diastolic = value.toSingle();
        else if (key == QLatin1String(MMeasureKey::kHart))
            m_heartRate = value.toInteger();
        else if (key == QLatin1String(MMeasureKey::kPuls))
            m_pulsePressure = value.toSingle();
    });
}

} // namespace nb4410
