#include "CConfigCuffVolume.h"

#include "host/core/ClassTable.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MXmlTags.h"
#include "plugin/tests/common/MConfigStore.h"

namespace nb4410 {

OSTREL_REGISTER_CLASS("OstrelNB4410.CConfigCuffVolume", CConfigCuffVolume)

using ostrel::Variant;

const ConfigTable<CConfigCuffVolume>& CConfigCuffVolume::Fields()
{
    static const ConfigTable<CConfigCuffVolume> table{
        {}, &CConfigCuffVolume::m_testGuideSettings,
        {QString::fromLatin1(kSource), QStringLiteral("20802::Loading cuff volume test configuration data"), 4, 3},
        ConfigMissing::WhenNone};
    return table;
}

CConfigCuffVolume::CConfigCuffVolume() { ResetFields(); }

} // namespace nb4410
