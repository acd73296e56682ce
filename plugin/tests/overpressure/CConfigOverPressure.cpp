#include "CConfigOverPressure.h"

#include "host/contract/IReport.h"
#include "host/core/LanguageService.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MXmlTags.h"
#include "plugin/tests/common/MConfigStore.h"

namespace nb4410 {

using ostrel::Variant;
using ostrel::VariantArray;

CConfigOverPressure::CConfigOverPressure() { ResetFields(); }

VariantArray CConfigOverPressure::TestParameters() const
{
    return MConfigFields::Parameters(Fields(), *this, kTestType);
}

VariantArray CConfigOverPressure::ConfigurationInformation() const
{
    return MConfigFields::InformationRows(Fields(), *this);
}

} // namespace nb4410
