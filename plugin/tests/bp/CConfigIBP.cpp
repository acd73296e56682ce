#include "CConfigIBP.h"

#include "MConfigBP.h"

#include "host/core/ErrorService.h"
#include "host/core/Steps.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MMeasureKey.h"
#include "plugin/measure/MXmlTags.h"
#include "plugin/tests/common/MConfigStore.h"

namespace nb4410 {

using ostrel::runStep;
using ostrel::Variant;

CConfigIBP::CConfigIBP() { ResetFields(); }

Variant CConfigIBP::RetrieveTestParams()
{
    return MConfigBP::TestParams(btIndependent, 0, m_systolic, m_diastolic, m_heartRate, m_pulsePressure, m_arrhythmia);
}

Variant CConfigIBP::RetrievePresetValue(const QString& key) { return MConfigFields::KeyedValue(Fields(), *this, key); }

void CConfigIBP::StorePresetValue(const QString& key, const Variant& value)
{
    runStep("store preset value", [&] { MConfigFields::SetKeyed(Fields(), *this, key, value); });
}

} // namespace nb4410
